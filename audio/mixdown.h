// The mixdown renderer: renders the current source through the effects
// patch at the master volume into a 16-bit stereo WAV file, one block per
// posted WM_MIXDOWN_STEP, so the window driving it stays responsive and can
// cancel between blocks. PrepareMixdown and the state are in mixdown_render.h.
#pragma once
#include <windows.h>

#include "audio/mixdown_render.h"

// Posted to the driving window with both parameters 0 whenever the next
// step of the render is due.
constexpr UINT WM_MIXDOWN_STEP = WM_USER + 50;

// Opens the source and the temporary file, writes the headers, sets up the
// effect modules and posts the first step to window. False after any
// failure, with everything it obtained released and no file of its making
// left behind.
bool StartMixdown(HWND window);

// Renders one block and posts the next step. False after a read or write
// failure, with both buffers released, both files closed and the temporary
// file deleted.
bool RenderNextBlock(HWND window);

// Writes the closing LIST chunk (correcting the sizes first when the source
// ended early or the render was cut short), closes both files and frees
// both buffers. With nothing open it releases nothing. False when the file
// could not be completed; the temporary file is then deleted.
bool FinishMixdown();
