// A test of the real player.dll through its import library, with a real
// transport panel on the screen and the real wave-out device.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "model/source_format.h"
#include "player/player.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wav_builder.h"
#include "tests/wine/player/player_harness.h"

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel_ = CreateTransportPanel();
        NotifyChangesToPlayer(nullptr, 0);
        ChangeVolume(0.0, 0.0);
    }
    void TearDown() override
    {
        Stop();
        DestroyTransportPanel(&panel_);
    }

    static uint32_t BlockBytes(int latencyMs) { return static_cast<uint32_t>(LatencyToBytesAtRate(latencyMs, 44100)); }

    // Writes bytes, or a test wave of samples, to a file of its own.
    std::string WriteBytes(const Bytes& bytes)
    {
        const std::string path = dir_.File("play" + std::to_string(++files_) + ".wav");
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }
    std::string WriteWave(const std::vector<int16_t>& samples, int channels)
    {
        return WriteBytes(PcmWave({1, static_cast<uint16_t>(channels), 44100, 16}, samples));
    }

    uint32_t PlayFile(const std::string& path, uint32_t blockSize, uint32_t device = 0)
    {
        return Play(panel_.play, panel_.stop, panel_.pause, panel_.greenLed, panel_.redLed, device, path.c_str(), 0,
                    blockSize);
    }

    bool WaitForStopped(DWORD timeoutMs)
    {
        return PumpUntil([&] { return IsWindowEnabled(panel_.play) != FALSE; }, timeoutMs);
    }

    void ExpectButtons(bool playing)
    {
        EXPECT_EQ(IsWindowEnabled(panel_.play) != FALSE, !playing);
        EXPECT_EQ(IsWindowEnabled(panel_.stop) != FALSE, playing);
        EXPECT_EQ(IsWindowEnabled(panel_.pause) != FALSE, playing);
    }
    void ExpectLeds(bool greenLit, bool redLit)
    {
        EXPECT_EQ(LedCentre(panel_.greenLed), LampColour(greenLit, "GREEN"));
        EXPECT_EQ(LedCentre(panel_.redLed), LampColour(redLit, "RED"));
    }
    // Starts path, checks the playing look, waits for the end by itself and
    // checks the stopped look; returns the recording's length at the start.
    size_t PlayToItsEnd(const std::string& path, uint32_t blockSize)
    {
        const size_t from = RecordingFrames();
        EXPECT_EQ(PlayFile(path, blockSize), 0u);
        ExpectButtons(true);
        ExpectLeds(true, false);
        EXPECT_TRUE(WaitForStopped(5000)) << "the playback ends by itself";
        ExpectStoppedLook();
        return from;
    }

    void ExpectStoppedLook()
    {
        ExpectButtons(false);
        ExpectLeds(false, false);
    }

    TempDir dir_;
    TransportPanel panel_;
    int files_ = 0;
};
