// A machine with no wave-out device at all (run in a test bed without a
// sound server): the start shows the device service's own text and holds
// nothing.
#include <windows.h>
#include <mmsystem.h>

#include "tests/support/message_box_catcher.h"
#include "tests/wine/player/player_fixture.h"

namespace {

TEST_F(PlayerTest, NoDeviceAtAllRefusesTheStartWithTheDeviceText)
{
    ASSERT_EQ(GetNumWaveOutDevs(), 0u) << "this test runs where no wave-out device exists";
    const std::string path = WriteWave(TestSignal(2000, 2, 1), 2);
    {
        // The first start brings the device service up (its thread, its
        // events): counted from the second one on.
        MessageBoxCatcher warmUp;
        PlayFile(path, BlockBytes(20), 0);
    }
    const unsigned handlesBefore = CountOpenHandles();

    MessageBoxCatcher catcher;
    const uint32_t code = PlayFile(path, BlockBytes(20), 0);
    EXPECT_NE(code, 0u);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    char text[256] = {};
    waveOutGetErrorTextA(code, text, sizeof text);
    EXPECT_EQ(catcher.OnlyText(), text);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Quellbox");
    ExpectStoppedLook();

    // A start that leaked would leave one handle or more behind each time;
    // twenty more refused starts may add none but the odd one of Wine's own
    // background threads.
    for (int i = 0; i < 20; ++i) {
        MessageBoxCatcher again;
        PlayFile(path, BlockBytes(20), 0);
    }
    EXPECT_LE(CountOpenHandles(), handlesBefore + 2);
    EXPECT_TRUE(DeleteFileA(path.c_str())) << "the file is still open";
    EXPECT_EQ(Stop(), 0u);
}

}  // namespace
