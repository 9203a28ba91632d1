#include "widgets/offscreen.h"

bool BeginOffscreen(Offscreen* picture, HDC target, HBITMAP background, int width, int height)
{
    picture->width = width;
    picture->height = height;
    picture->dc = CreateCompatibleDC(target);
    if (!picture->dc) return false;
    picture->canvas = CreateCompatibleBitmap(target, width, height);
    if (!picture->canvas) {
        DeleteDC(picture->dc);
        return false;
    }
    picture->oldCanvas = SelectObject(picture->dc, picture->canvas);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ oldSource = SelectObject(source, background);
    BitBlt(picture->dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    SelectObject(source, oldSource);
    DeleteDC(source);
    return true;
}

void EndOffscreen(Offscreen* picture, HDC target)
{
    BitBlt(target, 0, 0, picture->width, picture->height, picture->dc, 0, 0, SRCCOPY);
    SelectObject(picture->dc, picture->oldCanvas);
    DeleteObject(picture->canvas);
    DeleteDC(picture->dc);
}
