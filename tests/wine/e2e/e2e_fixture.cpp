#include "tests/wine/e2e/e2e_fixture.h"

const char kIni[] = "qbx15.ini";

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
    for (int id : kKnobIds) positions.push_back(SendMessageA(app.Control(id), kMsgGetPosition, 0, 0));
    return positions;
}

std::vector<COLORREF> ControlPixels(const QuellboxProcess& app, int id) { return WindowPixels(app.Control(id)); }

std::vector<COLORREF> WindowPixels(HWND control) { return ScreenPixels(control).data; }

void LeftClick(HWND window, int x, int y) { ASSERT_TRUE(ClickAt(window, x, y)) << "the pointer did not get there"; }

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
    ASSERT_TRUE(WaitUntil([this] { return app_.Enabled(IDC_PLAY); }, 5000));
}

void QuellboxTest::Play()
{
    ASSERT_TRUE(app_.Command(IDC_PLAY));
    ASSERT_TRUE(WaitUntil([this] { return app_.Enabled(IDC_STOP); }, 5000));
}

bool QuellboxTest::WaitForPlaybackEnd(DWORD milliseconds)
{
    return WaitUntil([this] { return app_.Enabled(IDC_PLAY) && !app_.Enabled(IDC_STOP); }, milliseconds);
}
