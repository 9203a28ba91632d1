#include "tests/wine/e2e/e2e_fixture.h"

const char kIni[] = "qbx15.ini";

std::string WindowsFile(const char* name)
{
    char path[MAX_PATH] = "";
    GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path) + "\\" + name;
}

void ForgetSettings() { DeleteFileA(WindowsFile(kIni).c_str()); }

std::string IniText(const char* section, const char* key)
{
    char text[64] = "";
    GetPrivateProfileStringA(section, key, "<none>", text, sizeof text, kIni);
    return text;
}

std::string TempFile(const char* name)
{
    char dir[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

std::string DemoWav() { return BinaryFolder() + "demo.wav"; }




std::vector<LRESULT> KnobPositions(const QuellboxProcess& app)
{
    std::vector<LRESULT> positions;
    for (int id : kKnobIds) positions.push_back(SendMessageA(app.Control(id), 1028, 0, 0));
    return positions;
}

std::vector<COLORREF> ControlPixels(const QuellboxProcess& app, int id) { return WindowPixels(app.Control(id)); }

std::vector<COLORREF> WindowPixels(HWND control)
{
    RECT r = {};
    GetClientRect(control, &r);
    POINT origin = {0, 0};
    ClientToScreen(control, &origin);
    // One copy of the screen area (pixel by pixel reads are far too slow
    // to follow the intro's letters).
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = r.right;
    info.bmiHeader.biHeight = -r.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP copy = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<COLORREF> pixels;
    if (copy) {
        HGDIOBJ old = SelectObject(memory, copy);
        BitBlt(memory, 0, 0, r.right, r.bottom, screen, origin.x, origin.y, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const COLORREF*>(bits);
        pixels.assign(p, p + r.right * r.bottom);
        SelectObject(memory, old);
        DeleteObject(copy);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

void LeftClick(HWND window, int x, int y)
{
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void QuellboxTest::StartActive()
{
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForMainWindow());
    ASSERT_TRUE(app_.ActivatePanel(20000));
}

void QuellboxTest::StartWith(const std::string& path)
{
    StartActive();
    ASSERT_TRUE(app_.OpenThroughDialog(path));
    ASSERT_TRUE(WaitUntil([this] { return app_.Enabled(kPlay); }, 5000));
}

void QuellboxTest::Play()
{
    app_.Command(kPlay);
    ASSERT_TRUE(WaitUntil([this] { return app_.Enabled(kStop); }, 5000));
}

bool QuellboxTest::WaitForPlaybackEnd(DWORD milliseconds)
{
    return WaitUntil([this] { return app_.Enabled(kPlay) && !app_.Enabled(kStop); }, milliseconds);
}
