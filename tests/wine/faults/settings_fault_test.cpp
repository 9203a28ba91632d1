// Nonsense in qbx15.ini: the real program starts, plays with a latency
// inside 10..500 on the first device (heard in the bed's recording), and
// writes sane values back.
#include <cstdlib>

#include "fault_fixture.h"
#include "tests/support/recording.h"

namespace {

struct Nonsense {
    const char* latency;
    std::string device;
    int expectedLatency;  // 0: anything within 10..500
};

class SettingsFaultTest : public QuellboxFaultTest {};

TEST_F(SettingsFaultTest, NonsenseLatencyAndDeviceNamesNeitherCrashNorStick)
{
    const Nonsense cases[] = {
        {"99999999999999999999", "x", 0},
        {"-5", std::string(300, 'D'), 10},
        {"abc", "Device\twith\ttabs", 10},
        {"65636", "", 100},  // read as a 16-bit value
        {"-2147483648", std::string(31, 'e'), 0},
    };
    const std::string sound = BinaryFolder() + "demo.wav";
    const std::vector<std::string> devices = DeviceNames();
    ASSERT_FALSE(devices.empty());
    for (const Nonsense& c : cases) {
        SCOPED_TRACE(std::string("latency ") + c.latency);
        ForgetSettings();
        WritePrivateProfileStringA("Wave Out", "Latency", c.latency, kIni);
        WritePrivateProfileStringA("Wave Out", "Device", c.device.c_str(), kIni);
        StartActive();
        ASSERT_TRUE(Open(sound));
        const size_t from = RecordingFrames();
        app_.Command(IDC_PLAY);
        EXPECT_TRUE(WaitUntil([&] { return GreenLit(app_); }, 5000)) << app_.AnswerMessageBox(1000);
        EXPECT_TRUE(HeardSince(from, 10000)) << "nothing heard on the first device";
        app_.Command(IDC_STOP);
        EXPECT_TRUE(WaitForPlaybackEnd(5000));
        EXPECT_TRUE(app_.OpensItsMenuNext()) << app_.AnswerMessageBox(0);
        app_.Command(IDM_EXIT);
        ASSERT_EQ(app_.WaitForExit(10000), 0);

        const int latency = std::atoi(IniText("Wave Out", "Latency").c_str());
        EXPECT_TRUE(latency >= 10 && latency <= 500 && (!c.expectedLatency || latency == c.expectedLatency)) << latency;
        EXPECT_EQ(IniText("Wave Out", "Device"), devices[0]);
    }
}

}  // namespace
