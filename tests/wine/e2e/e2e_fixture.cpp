#include "tests/wine/e2e/e2e_fixture.h"

#include "tests/support/recording.h"

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

namespace {

// A lamp the player lit is clearly of its colour (channel 0 red, 1 green)
// on the screen; a dark one is not.
bool Looks(COLORREF c, int channel)
{
    const int v[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    return v[channel] > 120 && v[channel] > v[(channel + 1) % 3] + 40 && v[channel] > v[(channel + 2) % 3] + 40;
}

constexpr POINT kGreenLampMiddle = {149 + 3, 65 + 1};
constexpr POINT kRedLampMiddle = {181 + 3, 65 + 1};

}  // namespace

bool GreenLit(const QuellboxProcess& app)
{
    return Looks(ScreenPixel(app.MainWindow(), kGreenLampMiddle.x, kGreenLampMiddle.y), 1);
}

bool RedLit(const QuellboxProcess& app)
{
    return Looks(ScreenPixel(app.MainWindow(), kRedLampMiddle.x, kRedLampMiddle.y), 0);
}

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
    ASSERT_TRUE(WaitUntil([this] { return GreenLit(app_); }, 5000)) << "the green lamp never lit";
}

bool QuellboxTest::WaitForPlaybackEnd(DWORD milliseconds)
{
    return WaitUntil([this] { return !GreenLit(app_) && !RedLit(app_); }, milliseconds);
}

void QuellboxTest::ExpectPlayedToTheEnd(const std::vector<int16_t>& expected)
{
    const size_t from = RecordingFrames();
    Play();
    EXPECT_TRUE(WaitForPlaybackEnd(15000));
    ExpectHeardExactly(WaitForStream(from, expected, 5000), expected, kDefaultBlockBytes);
}
