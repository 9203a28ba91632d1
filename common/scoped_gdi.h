// Scope-bound owners of device contexts and GDI objects: each gives back at
// the end of its scope what its constructor took, in reverse order of
// declaration, so a drawing routine cannot leave an object selected or
// undeleted on any way out. Each stands for one drawing: nothing is kept.
#pragma once
#include <windows.h>

// A window's DC from GetDC (the screen's for no window), or one that
// GetWindowDC gave, released at the end of the scope.
struct ScopedGetDC {
    HWND window;
    HDC dc;

    explicit ScopedGetDC(HWND w) : window(w), dc(GetDC(w)) {}
    ScopedGetDC(HWND w, HDC given) : window(w), dc(given) {}
    ~ScopedGetDC()
    {
        if (dc) ReleaseDC(window, dc);
    }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;

    operator HDC() const { return dc; }
};

// A memory DC compatible with another, deleted at the end of the scope; none
// when it cannot be made.
struct ScopedMemDC {
    HDC dc;

    explicit ScopedMemDC(HDC compatibleWith) : dc(CreateCompatibleDC(compatibleWith)) {}
    ~ScopedMemDC()
    {
        if (dc) DeleteDC(dc);
    }
    ScopedMemDC(const ScopedMemDC&) = delete;
    ScopedMemDC& operator=(const ScopedMemDC&) = delete;

    operator HDC() const { return dc; }
};

// BeginPaint on construction, EndPaint at the end of the scope.
struct ScopedPaint {
    HWND window;
    PAINTSTRUCT ps;
    HDC dc;

    explicit ScopedPaint(HWND w) : window(w), ps(), dc(BeginPaint(w, &ps)) {}
    ~ScopedPaint() { EndPaint(window, &ps); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
};

// An object selected into a DC; the object it replaced is selected again at
// the end of the scope. No object selects nothing and restores nothing.
struct ScopedSelectObject {
    HDC dc;
    HGDIOBJ previous;

    ScopedSelectObject(HDC d, HGDIOBJ object) : dc(d), previous(object ? SelectObject(d, object) : nullptr) {}
    ~ScopedSelectObject()
    {
        if (previous) SelectObject(dc, previous);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
};

// A palette selected into a DC (in the background or foreground, as
// SelectPalette takes it); the one it replaced is selected again at the end
// of the scope. No palette selects nothing and restores nothing.
struct ScopedSelectPalette {
    HDC dc;
    HPALETTE previous;

    ScopedSelectPalette(HDC d, HPALETTE palette) : dc(d), previous(palette ? SelectPalette(d, palette, FALSE) : nullptr)
    {
    }
    ~ScopedSelectPalette()
    {
        if (previous) SelectPalette(dc, previous, FALSE);
    }
    ScopedSelectPalette(const ScopedSelectPalette&) = delete;
    ScopedSelectPalette& operator=(const ScopedSelectPalette&) = delete;
};

// A GDI object this scope made or loaded (pen, brush, font, bitmap,
// palette), deleted at the end of the scope.
template <typename T>
struct ScopedGdiObj {
    T object;

    explicit ScopedGdiObj(T o) : object(o) {}
    ~ScopedGdiObj()
    {
        if (object) DeleteObject(object);
    }
    ScopedGdiObj(const ScopedGdiObj&) = delete;
    ScopedGdiObj& operator=(const ScopedGdiObj&) = delete;

    operator T() const { return object; }
};
