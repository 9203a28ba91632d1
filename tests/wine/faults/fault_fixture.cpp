#include "fault_fixture.h"

#include "tests/support/wav_builder.h"

namespace {

const char kIni[] = "qbx15.ini";

struct Found {
    const char* className;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam)
{
    auto* found = reinterpret_cast<Found*>(lParam);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, found->className) == 0) found->windows.push_back(window);
    return TRUE;
}

}  // namespace

void StoreSetting(const char* section, const char* key, const char* value)
{
    WritePrivateProfileStringA(section, key, value, kIni);
}

std::string StoredSetting(const char* section, const char* key)
{
    char text[512] = "";
    GetPrivateProfileStringA(section, key, "<none>", text, sizeof text, kIni);
    return text;
}

bool WriteSineWave(const std::string& path, double seconds)
{
    const int frames = static_cast<int>(seconds * 44100);
    return WriteFileBytes(path, PcmWave(FormatFields{}, SineSamples(frames, 2, 441.0, 44100.0, 8000.0)));
}

void QuellboxFaultTest::SetUp() { ForgetSettings(); }

void QuellboxFaultTest::TearDown()
{
    // No test may leave a message box or dialog behind unnoticed.
    if (app_.Pid() && app_.WaitForExit(0) == -1) {
        EXPECT_EQ(app_.AnswerMessageBox(0), "") << "a stray message box";
    }
}

void QuellboxFaultTest::StartActive()
{
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForMainWindow());
    ASSERT_TRUE(app_.ActivatePanel(20000));
}

bool QuellboxFaultTest::Open(const std::string& path)
{
    if (!app_.OpenThroughDialog(path)) return false;
    return WaitUntil([this] { return app_.Enabled(IDC_PLAY); }, 5000);
}

bool QuellboxFaultTest::WaitForMixdownEnd(DWORD milliseconds)
{
    return WaitUntil([this] { return !app_.WaitForDialog("Progress", 0); }, milliseconds);
}

bool AnswersMessages(HWND window, DWORD milliseconds)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, milliseconds, &result) != 0;
}

bool QuellboxFaultTest::Responsive(DWORD milliseconds) const { return AnswersMessages(app_.MainWindow(), milliseconds); }

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className)
{
    Found found = {className, {}};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

bool QuellboxFaultTest::TransportStopped() const
{
    return app_.Enabled(IDC_PLAY) && !app_.Enabled(IDC_PAUSE) && !app_.Enabled(IDC_STOP);
}

bool QuellboxFaultTest::WaitForStopped(DWORD milliseconds) const
{
    return WaitUntil([this] { return TransportStopped(); }, milliseconds);
}

std::vector<COLORREF> QuellboxFaultTest::LedColours() const
{
    std::vector<COLORREF> colours;
    for (HWND led : ChildrenOfClass(app_.MainWindow(), "LED")) {
        RECT r = {};
        GetClientRect(led, &r);
        colours.push_back(ScreenPixel(led, r.right / 2, r.bottom / 2));
    }
    return colours;
}
