// 300 rounds of Play, Pause and Stop at random short intervals while another
// thread changes the effects and the volume: no crash, no deadlock, no box,
// and no growth of memory or handles between round 50 and round 300.
#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <random>
#include <thread>

#include "audio/effect_modules.h"
#include "tests/support/message_box_catcher.h"
#include "tests/wine/player/player_fixture.h"

namespace {

struct Usage {
    SIZE_T privateBytes;
    DWORD handles;
};

Usage CurrentUsage()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    return {counters.PrivateUsage, handles};
}

void ChangeEverything(std::atomic<bool>* done)
{
    std::mt19937 random(5);
    const int16_t patches[2][4] = {{1, 2, 3, 4}, {4, 3, 2, 1}};
    while (!done->load()) {
        const double v = std::uniform_real_distribution<double>(0.0, 1.0)(random);
        ChangePhaser(v, 50 * v, v, 50, 30, 40);
        ChangeFlanger(v, 40, v, 50 * v, 20, 30);
        ChangeChorus(v, 30, v, 50, 10 * v, 20);
        ChangeChDelay(v, 60, v, 50, 25, 35 * v);
        ChangeVolume(-20 * v, -10 * v);
        NotifyChangesToPlayer(patches[random() % 2], static_cast<int16_t>(random() % 5));
        Sleep(random() % 3);
    }
}

TEST_F(PlayerTest, ThreeHundredRoundsOfTransportUnderLiveChanges)
{
    const std::string path = WriteWave(TestSignal(6000, 2, 31), 2);
    const std::string shortPath = WriteWave(TestSignal(500, 2, 32), 2);
    SetUpAllEffects(44100);
    MessageBoxCatcher catcher;
    std::atomic<bool> done{false};
    std::thread changer(ChangeEverything, &done);

    std::mt19937 random(17);
    auto shortWait = [&] { PumpFor(random() % 40); };
    Usage at50 = {};
    for (int round = 1; round <= 300; ++round) {
        const uint32_t blockSize = BlockBytes(10 + static_cast<int>(random() % 3) * 10);
        ASSERT_EQ(PlayFile(round % 7 == 0 ? shortPath : path, blockSize), 0u) << "round " << round;
        shortWait();
        if (random() % 2) {
            Pause();
            shortWait();
            if (random() % 2) {
                Pause();
                shortWait();
            }
        }
        Stop();
        ASSERT_TRUE(IsWindowEnabled(panel_.play)) << "round " << round;
        if (round == 50) at50 = CurrentUsage();
    }
    done = true;
    changer.join();
    PumpFor(100);
    const Usage at300 = CurrentUsage();

    EXPECT_TRUE(catcher.Boxes().empty()) << catcher.Boxes().front().text;
    EXPECT_LE(at300.handles, at50.handles + 2) << "handles at round 50: " << at50.handles;
    EXPECT_LE(at300.privateBytes, at50.privateBytes + 512 * 1024) << "private bytes at round 50: " << at50.privateBytes;
    ExpectStoppedLook();
}

}  // namespace
