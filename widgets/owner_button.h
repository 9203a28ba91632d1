// The five owner-drawn push buttons of the panel.
#pragma once
#include <windows.h>

// Draws the button of the item in its pressed picture while ODS_SELECTED is
// set, else in its up picture (also when disabled). Other ids draw nothing.
void DrawOwnerButton(const DRAWITEMSTRUCT* item);
