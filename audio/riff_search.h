// The chunk search of the multimedia file services, safe on hostile files.
#pragma once
#include <windows.h>
#include <mmsystem.h>

// Does what mmioDescend does with MMIO_FINDRIFF, MMIO_FINDLIST or
// MMIO_FINDCHUNK (chunk, parent and the file position as it leaves them),
// with one difference: the position is carried in 64 bits, and a chunk whose
// stated size reaches past the largest offset the file services can seek to
// ends the search with MMIOERR_CHUNKNOTFOUND. The system's own search adds
// the sizes in 32 bits, so a size such as 0xFFFFFFF7 wraps the position back
// onto a chunk already passed and the search never ends.
MMRESULT FindRiffChunk(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags);
