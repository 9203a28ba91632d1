// Files dragged from the desktop and dropped on the real program's panel:
// judged by the title, the buttons, the Mixdown proposal and the sound.
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/wine/e2e/e2e_fixture.h"
#include "tests/wine/player/player_harness.h"

namespace {

// A free spot of the panel, left of the display.
constexpr int kDropX = 120;
constexpr int kDropY = 46;

class DropTest : public QuellboxTest {
protected:
    // A 44100 Hz stereo test signal written as a WAV file in the test's folder.
    std::string Wave(const char* name, int frames, unsigned seed, std::vector<int16_t>* samples = nullptr)
    {
        const std::vector<int16_t> signal = TestSignal(frames, 2, seed);
        const std::string path = folder_.File(name);
        EXPECT_TRUE(WriteTestWave(path, signal, 2));
        if (samples) *samples = signal;
        return path;
    }

    std::string Drop(const std::vector<std::string>& files)
    {
        return DragFilesOnto(app_.MainWindow(), kDropX, kDropY, files);
    }

    bool TitleBecomes(const std::string& title)
    {
        return WaitUntil([&] { return app_.Title() == title; }, 10000);
    }

    // The name the Mixdown command's save dialog proposes; the dialog is
    // then cancelled. "" when no dialog came (Mixdown greyed).
    std::string ProposedMixdownName()
    {
        if (!app_.Command(IDM_MIXDOWN)) return "";
        HWND dialog = app_.WaitForDialog(nullptr, 10000);
        if (!dialog) return "";
        HWND nameBox = GetDlgItem(dialog, cmb13);
        if (!nameBox) nameBox = GetDlgItem(dialog, edt1);
        const std::string name = ControlText(nameBox);
        BringToForeground(dialog);
        PressKey(VK_ESCAPE);
        WaitUntil([dialog] { return !IsWindow(dialog); }, 10000);
        return name;
    }

    TempDir folder_;
};

// The first file's name holds a music sign and a letter whose second byte
// in code page 932 is that of "\\".
TEST_F(DropTest, TheFirstOfTheDroppedFilesOpensAsOpenWouldOpenItAndPlays)
{
    StartActive();
    std::vector<int16_t> first;
    const std::string firstName = "qbx_drop_first \xE8\xA1\xA8 \xE2\x99\xAA.wav";
    const std::string firstPath = Wave(firstName.c_str(), 20000, 31, &first);
    const std::string second = Wave("qbx_drop_second.wav", 20000, 32);
    ASSERT_EQ("dropped", Drop({firstPath, second}));
    ASSERT_TRUE(TitleBecomes(firstName + " - Quellbox")) << app_.Title();
    EXPECT_TRUE(app_.Enabled(IDC_PLAY));
    EXPECT_FALSE(app_.Enabled(IDC_STOP));
    EXPECT_EQ(firstName, ProposedMixdownName());

    ExpectPlayedToTheEnd(first);
}

TEST_F(DropTest, ADropWhilePlayingStopsThePlaybackAndARefusedOneLeavesTheOpenFile)
{
    StartActive();
    std::vector<int16_t> longer, shorter;
    const std::string playing = Wave("qbx_drop_playing.wav", 441000, 33, &longer);
    const std::string next = Wave("qbx_drop_next.wav", 20000, 34, &shorter);
    ASSERT_EQ("dropped", Drop({playing}));
    ASSERT_TRUE(TitleBecomes("qbx_drop_playing.wav - Quellbox")) << app_.Title();
    const size_t from = RecordingFrames();
    Play();
    ASSERT_TRUE(WaitUntil([&] { return WithoutSilence(ReadRecording(from)).size() > 44100; }, 5000));
    ASSERT_EQ("dropped", Drop({next}));
    ASSERT_TRUE(TitleBecomes("qbx_drop_next.wav - Quellbox")) << app_.Title();
    EXPECT_TRUE(WaitForPlaybackEnd(5000)) << "the drop stops the playback";
    // Cut short: the start of the ten-second file heard frame for frame,
    // then nothing more of it.
    const std::vector<int16_t> heard = WaitForStream(from, longer, 3000);
    ASSERT_FALSE(heard.empty()) << "the first file was never heard";
    const Hearing cut = CompareRecording(heard, longer);
    EXPECT_GT(cut.firstWrong, 0);
    EXPECT_LT(cut.firstWrong, static_cast<long>(longer.size() / 4));
    EXPECT_EQ(cut.stoppedAt, heard.size() / 2) << "a wrong frame before the cut";

    // A file that is no WAVE file: the check's message, and nothing changes.
    const std::string text = folder_.File("qbx_drop_text.wav");
    WriteWholeFile(text, "This is plain text, not a RIFF file.");
    ASSERT_EQ("dropped", Drop({text}));
    EXPECT_EQ("This is not a WAVE file.", app_.AnswerMessageBox(10000));
    EXPECT_EQ("qbx_drop_next.wav - Quellbox", app_.Title());
    EXPECT_TRUE(app_.Enabled(IDC_PLAY));
    EXPECT_EQ("qbx_drop_next.wav", ProposedMixdownName());
    ExpectPlayedToTheEnd(shorter);
}

TEST_F(DropTest, BeforeTheFirstRightClickAndUnderADialogADropOpensNothing)
{
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForMainWindow());
    const std::string path = Wave("qbx_drop_early.wav", 20000, 35);
    // The panel takes no files before it is switched on.
    EXPECT_EQ("refused", Drop({path}));
    EXPECT_EQ("Quellbox", app_.Title());

    ASSERT_TRUE(app_.ActivatePanel(20000));
    EXPECT_FALSE(app_.Enabled(IDC_PLAY));
    // The Effects Patch dialog set aside, the panel beside it in reach.
    ASSERT_TRUE(app_.Command(IDM_EFFECTS_PATCH));
    HWND dialog = app_.WaitForDialog("Effects Patch", 10000);
    ASSERT_NE(nullptr, dialog);
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(UncoverAt(app_.MainWindow(), kDropX, kDropY));
    EXPECT_EQ("dropped", Drop({path}));
    // Escape after it: once the dialog has closed, the drop, queued first,
    // has been handled.
    BringToForeground(dialog);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }, 10000));
    EXPECT_EQ("Quellbox", app_.Title());
    EXPECT_FALSE(app_.Enabled(IDC_PLAY));

    // The same drop with the dialog closed opens the file.
    ASSERT_EQ("dropped", Drop({path}));
    EXPECT_TRUE(TitleBecomes("qbx_drop_early.wav - Quellbox")) << app_.Title();
    EXPECT_TRUE(app_.Enabled(IDC_PLAY));
}

}  // namespace
