// The sound server vanishes under the real program: killed while a file
// plays, absent at start-up, and back again. Runs in its own test bed
// (label faults-bed) beside bed_agent.sh, so no other test loses its sound;
// the case of no device at all runs in the bed without a server (noaudio).
#include <windows.h>

#include <mmsystem.h>

#include "bed_agent_client.h"
#include "fault_fixture.h"
#include "tests/support/recording.h"

namespace {

class DeviceFaultTest : public QuellboxFaultTest {
protected:
    void SetUp() override
    {
        QuellboxFaultTest::SetUp();
        ASSERT_FALSE(BedUnixFolder().empty()) << "runs inside the test bed beside bed_agent.sh";
        sound_ = BedWineFolder() + "\\device_fault.wav";
        ASSERT_TRUE(WriteSineWave(sound_, 20.0));
    }
    void TearDown() override
    {
        QuellboxFaultTest::TearDown();
        // Whatever happened, the next test finds a server.
        BedAction("start-pulse");
    }

    std::string sound_;
};

TEST_F(DeviceFaultTest, KillingTheServerWhilePlayingEndsPlaybackAndTheNextPlayWorksOnceItIsBack)
{
    StartActive();
    ASSERT_TRUE(Open(sound_));
    Play();
    ASSERT_TRUE(HeardSince(RecordingFrames(), 5000)) << "nothing was heard before the server went";
    ASSERT_TRUE(BedAction("kill-pulse"));

    // The playback ends by itself: the device's error (if it reports one)
    // is answered and the lamps go dark.
    std::string told;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::string box = app_.AnswerMessageBox(0);
            if (!box.empty()) told += box + "|";
            return !told.empty() && !GreenLit(app_) && !RedLit(app_);
        },
        60000))
        << "messages: " << told;
    EXPECT_TRUE(app_.OpensItsMenuNext()) << "another message: " << app_.AnswerMessageBox(0);
    char lost[256] = "";
    waveOutGetErrorTextA(MMSYSERR_NODRIVER, lost, sizeof lost);
    EXPECT_EQ(told, std::string(lost) + "|") << "the user is told once, in the device service's words";

    ASSERT_TRUE(BedAction("start-pulse"));
    const size_t from = RecordingFrames();
    app_.Command(IDC_PLAY);
    EXPECT_TRUE(WaitUntil([this] { return GreenLit(app_); }, 5000)) << app_.AnswerMessageBox(2000);
    EXPECT_TRUE(HeardSince(from, 10000)) << "the second playback is not heard";
    // It plays to the end of the file, the lamps dark after it, and says nothing.
    EXPECT_TRUE(WaitForPlaybackEnd(60000));
    EXPECT_TRUE(app_.OpensItsMenuNext()) << "the second playback died: " << app_.AnswerMessageBox(0);
    app_.Command(IDM_EXIT);
    EXPECT_EQ(app_.WaitForExit(10000), 0);
}

// Run in the bed without a sound server (label noaudio): the device lookup
// finds nothing at start-up, and Play reports the device.
TEST_F(QuellboxFaultTest, NoDeviceAtStartTellsTheUserAndPlayReportsTheDevice)
{
    const std::string sound = BedWineFolder() + "\\no_device.wav";
    ASSERT_TRUE(WriteSineWave(sound, 2.0));
    ASSERT_TRUE(app_.Start());
    EXPECT_EQ(app_.AnswerMessageBox(15000), "No Wave Out device/driver has been installed in this system.");
    ASSERT_TRUE(app_.WaitForMainWindow());
    ASSERT_TRUE(app_.ActivatePanel(20000));
    ASSERT_TRUE(Open(sound));
    app_.Command(IDC_PLAY);
    const std::string told = app_.AnswerMessageBox(10000);
    EXPECT_FALSE(told.empty()) << "Play must report the missing device";
    EXPECT_TRUE(WaitForPlaybackEnd(5000));
    EXPECT_TRUE(Responsive());
    app_.Command(IDM_EXIT);
    EXPECT_EQ(app_.WaitForExit(10000), 0);
    DeleteFileA(sound.c_str());
}

}  // namespace
