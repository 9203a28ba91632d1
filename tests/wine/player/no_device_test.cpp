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
    DWORD handlesBefore = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handlesBefore);

    MessageBoxCatcher catcher;
    const uint32_t code = PlayFile(path, BlockBytes(20), 0);
    EXPECT_NE(code, 0u);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    char text[256] = {};
    waveOutGetErrorTextA(code, text, sizeof text);
    EXPECT_EQ(catcher.OnlyText(), text);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Quellbox");
    ExpectStoppedLook();
    DWORD handlesAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
    EXPECT_EQ(handlesAfter, handlesBefore);
    EXPECT_TRUE(DeleteFileA(path.c_str())) << "the file is still open";
    EXPECT_EQ(Stop(), 0u);
}

}  // namespace
