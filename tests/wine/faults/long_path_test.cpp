// Paths of 259, 260 and 300 characters through the real modules: the source
// check, the player's start and the mixdown's start. A path that fits (259
// characters and the NUL) works; a longer one is refused with the module's
// own message and never cut short into the name of another file.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "audio/mixdown.h"
#include "audio/mixdown_render.h"
#include "audio/source_check.h"
#include "dialogs/error_box.h"
#include "model/source_format.h"
#include "player/player.h"
#include "tests/support/message_box_catcher.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wav_builder.h"

namespace {

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// A file of exactly length characters under base (folders made as needed
// through the long-path form, which the ANSI calls cannot use).
std::string LongPath(const std::string& base, size_t length)
{
    std::string dir = base + "\\" + std::string(200, 'd');
    CreateDirectoryW((L"\\\\?\\" + Wide(dir)).c_str(), nullptr);
    return dir + "\\" + std::string(length - dir.size() - 5, 'f') + ".wav";
}

bool WriteLong(const std::string& path, const Bytes& bytes)
{
    HANDLE file = CreateFileW((L"\\\\?\\" + Wide(path)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool ExistsLong(const std::string& path)
{
    return GetFileAttributesW((L"\\\\?\\" + Wide(path)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

class LongPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_sourceFormat = {44100, 0, 0, 0};
        wave_ = PcmWave(FormatFields{}, SineSamples(4410, 2, 441.0, 44100.0, 5000.0));
        for (size_t length : {259u, 260u, 300u}) {
            paths_[length] = LongPath(dir_.Path(), length);
            ASSERT_EQ(paths_[length].size(), length);
            ASSERT_TRUE(WriteLong(paths_[length], wave_));
        }
    }
    void TearDown() override
    {
        for (auto& entry : paths_) DeleteFileW((L"\\\\?\\" + Wide(entry.second)).c_str());
        RemoveDirectoryW((L"\\\\?\\" + Wide(dir_.Path() + "\\" + std::string(200, 'd'))).c_str());
    }

    TempDir dir_;
    Bytes wave_;
    std::map<size_t, std::string> paths_;
};

TEST_F(LongPathTest, TheSourceCheckTakesA259CharacterPathAndRefusesLongerOnesOnce)
{
    {
        MessageBoxCatcher boxes;
        EXPECT_TRUE(CheckSourceFile(paths_[259].c_str()));
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(g_sourceFormat.dataLength, wave_.size() - 44);
    }
    for (size_t length : {260u, 300u}) {
        g_sourceFormat = {22050, 1, 7, 0};
        MessageBoxCatcher boxes;
        EXPECT_FALSE(AcceptSourceFile(nullptr, paths_[length].c_str())) << length;
        EXPECT_EQ(boxes.OnlyText(), "Open file error.") << length;
        EXPECT_EQ(g_sourceFormat.sampleRate, 22050u);
        EXPECT_EQ(g_sourceFormat.dataLength, 7u);
    }
}

TEST_F(LongPathTest, ThePlayerRefusesAPathPastTheLimitWithItsOpenMessage)
{
    for (size_t length : {260u, 300u}) {
        MessageBoxCatcher boxes;
        const uint32_t code = Play(nullptr, nullptr, nullptr, nullptr, nullptr, 0, paths_[length].c_str(), 0, 26460);
        EXPECT_EQ(code, 100u) << length;
        EXPECT_EQ(boxes.OnlyText(), "Error in opening file.") << length;
    }
}

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

TEST_F(LongPathTest, AMixdownWhoseTemporaryPathIsTooLongCreatesNoFileUnderACutName)
{
    ASSERT_TRUE(CheckSourceFile(paths_[259].c_str()));
    WNDCLASSA cls = {};
    cls.lpfnWndProc = PlainProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "QbxLongPathWindow";
    RegisterClassA(&cls);
    HWND window = CreateWindowA("QbxLongPathWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(window, nullptr);

    // Cut to 259 characters, this temporary path would name a file beside
    // the 259-character source.
    std::string temp = paths_[259];
    temp.back() = 'x';
    temp += std::string(41, 't');
    const std::string cut = temp.substr(0, 259);
    PrepareMixdown(paths_[259].c_str(), temp.c_str(), 32768);
    EXPECT_FALSE(StartMixdown(window));
    EXPECT_FALSE(ExistsLong(cut));
    FinishMixdown();

    // A temporary path that fits renders.
    const std::string fits = dir_.File("fits.wav");
    PrepareMixdown(paths_[259].c_str(), fits.c_str(), 32768);
    EXPECT_TRUE(StartMixdown(window));
    FinishMixdown();
    EXPECT_TRUE(ExistsLong(fits));
    DeleteFileA(fits.c_str());
    DestroyWindow(window);
}

}  // namespace
