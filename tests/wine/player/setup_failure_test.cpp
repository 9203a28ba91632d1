// Every refusal of a start: its one message box, its code, the stopped
// look, and nothing left open: the file can be deleted at once (it is opened
// without delete sharing), the device is free for the next playback. The
// process's handles are counted by the stress and the no-device tests.
#include <windows.h>
#include <mmsystem.h>

#include "tests/support/message_box_catcher.h"
#include "tests/support/wav_builder.h"
#include "tests/wine/player/player_fixture.h"

namespace {

std::string DeviceText(uint32_t code)
{
    char text[256] = {};
    waveOutGetErrorTextA(code, text, sizeof text);
    return text;
}

class SetupFailureTest : public PlayerTest {
protected:
    // Plays path and returns the one box's text; *code gets Play's result.
    std::string Refusal(const std::string& path, uint32_t* code, uint32_t device = 0, uint32_t blockSize = 3528)
    {
        MessageBoxCatcher catcher;
        *code = PlayFile(path, blockSize, device);
        EXPECT_NE(*code, 0u);
        EXPECT_EQ(catcher.Boxes().size(), 1u);
        if (catcher.Boxes().size() == 1) {
            const CaughtBox& box = catcher.Boxes()[0];
            EXPECT_EQ(box.caption, "Quellbox");
            EXPECT_TRUE(box.errorIcon);
            EXPECT_EQ(box.buttonCount, 1);
            EXPECT_TRUE(box.hasOk);
            owner_ = box.owner;
        }
        ExpectStoppedLook();
        EXPECT_TRUE(DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) << "the file is still open";
        return catcher.OnlyText();
    }

    static Bytes Fmt(uint16_t tag = 1) { FormatFields f; f.tag = tag; return FormatPayload(f); }
    static Bytes SomeData() { return Bytes(4000, 0x11); }

    HWND owner_ = nullptr;
};

TEST_F(SetupFailureTest, AMissingFileIsRefusedInABoxOwnedByTheMainWindowIfThereIsOne)
{
    uint32_t code = 0;
    EXPECT_EQ(Refusal(dir_.File("nothing-here.wav"), &code), "Error in opening file.");
    EXPECT_EQ(code, 100u);
    EXPECT_EQ(owner_, nullptr) << "no main window: the box has no owner";

    WNDCLASSA cls = {};
    cls.lpfnWndProc = DefWindowProcA;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "zantil_quellbox";
    RegisterClassA(&cls);
    HWND main = CreateWindowExA(0, "zantil_quellbox", "Quellbox", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Refusal(dir_.File("absent.wav"), &code), "Error in opening file.");
    EXPECT_EQ(owner_, main);
    DestroyWindow(main);
    UnregisterClassA("zantil_quellbox", GetModuleHandleA(nullptr));
}

// A file the player's own reading refuses: its text and Play's code.
struct BrokenFile {
    const char* name;
    Bytes bytes;
    const char* text;
    uint32_t code;
};

TEST_F(SetupFailureTest, EachBrokenFileGetsItsOwnMessage)
{
    const Bytes fmt = Fmt();
    const Bytes data = SomeData();
    Bytes cutFmt;
    AppendChunkDeclared(&cutFmt, "fmt ", 16, Bytes(6, 1));
    const uint32_t notFound = static_cast<uint32_t>(MMIOERR_CHUNKNOTFOUND);
    const BrokenFile files[] = {
        {"not RIFF", Bytes(200, 'x'), "This is not a WAV file.", notFound},
        {"other RIFF form", RiffOf("AVI ", {{"avih", Bytes(56, 0)}}), "This is not a WAV file.", notFound},
        {"no format chunk", RiffOf("WAVE", {{"data", data}}), "WAV file is corrupted.", notFound},
        {"format chunk cut short", RiffFile("WAVE", cutFmt), "Failed to read format chunk.", 100},
        {"compressed", RiffOf("WAVE", {{"fmt ", Fmt(2)}, {"data", data}}), "This is not a PCM file.", 100},
        {"data before format", RiffOf("WAVE", {{"data", data}, {"fmt ", fmt}}), "WAV file has no data chunk.",
         notFound},
        {"empty data chunk", RiffOf("WAVE", {{"fmt ", fmt}, {"data", Bytes()}}), "The data chunk has no data.", 100},
    };
    for (const BrokenFile& f : files) {
        uint32_t code = 0;
        EXPECT_EQ(Refusal(WriteBytes(f.bytes), &code), f.text) << f.name;
        EXPECT_EQ(code, f.code) << f.name;
    }
}

TEST_F(SetupFailureTest, ADeviceThatDoesNotExistOrABlockOfNoWholeFrameGetsTheDevicesOwnText)
{
    const uint32_t device = GetNumWaveOutDevs() + 3;
    uint32_t code = 0;
    const std::string text = Refusal(WriteWave(TestSignal(2000, 2, 1), 2), &code, device);
    EXPECT_EQ(code, static_cast<uint32_t>(MMSYSERR_BADDEVICEID));
    EXPECT_EQ(text, DeviceText(code));
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(Refusal(WriteWave(TestSignal(2000, 2, 1), 2), &code, 0, 3), DeviceText(MMSYSERR_INVALPARAM));
    EXPECT_EQ(code, static_cast<uint32_t>(MMSYSERR_INVALPARAM));
}

TEST_F(SetupFailureTest, BlockSizeWhoseBuffersCannotBeSizedIn32Bits)
{
    // blockSize / 2 doubles of 8 bytes: 4 GB and more, which a 32-bit size
    // would wrap to a small block.
    for (uint32_t blockSize : {0x40000000u, 0x80000000u, 0xFFFFFFFCu}) {
        uint32_t code = 0;
        const std::string text = Refusal(WriteWave(TestSignal(2000, 2, 1), 2), &code, 0, blockSize);
        EXPECT_EQ(code, 7u) << blockSize;
        EXPECT_EQ(text, "Out of memory. Double precision buffer cannot be allocated.") << blockSize;
    }
    // The device and the player are free for the next playback.
    EXPECT_EQ(PlayFile(WriteWave(TestSignal(2000, 2, 2), 2), BlockBytes(50)), 0u);
    EXPECT_TRUE(WaitForStopped(5000));
}

// Keeps the player's notify window from being made on the thread that sets
// it: a CBT hook that refuses its creation.
LRESULT CALLBACK RefuseNotifyWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        char name[64] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
        if (lstrcmpA(name, "QuellboxPlayerNotify") == 0) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct RefusedStart {
    const TransportPanel* panel;
    std::string path;
    uint32_t code = 0;
    std::vector<CaughtBox> boxes;
};

DWORD WINAPI PlayWithoutNotifyWindow(void* parameter)
{
    auto* start = static_cast<RefusedStart*>(parameter);
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseNotifyWindow, nullptr, GetCurrentThreadId());
    MessageBoxCatcher catcher;
    const TransportPanel& p = *start->panel;
    start->code = Play(p.play, p.stop, p.pause, p.greenLed, p.redLed, 0, start->path.c_str(), 0, 8820);
    start->boxes = catcher.Boxes();
    UnhookWindowsHookEx(hook);
    return 0;
}

TEST_F(SetupFailureTest, WithoutItsNotifyWindowTheStartIsRefusedCleanly)
{
    RefusedStart start;
    start.panel = &panel_;
    start.path = WriteWave(TestSignal(20000, 2, 3), 2);
    HANDLE thread = CreateThread(nullptr, 0, PlayWithoutNotifyWindow, &start, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    // The start changes this thread's buttons: their messages are served here.
    EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 10000));
    CloseHandle(thread);

    EXPECT_EQ(start.code, 7u);
    ASSERT_EQ(start.boxes.size(), 1u);
    EXPECT_EQ(start.boxes[0].text, DeviceText(MMSYSERR_NOMEM));
    EXPECT_EQ(start.boxes[0].caption, "Quellbox");
    ExpectStoppedLook();
    EXPECT_TRUE(DeleteFileA(start.path.c_str())) << "the file is still open";

    // On a thread that can have its window, the next start plays to its end.
    EXPECT_EQ(PlayFile(WriteWave(TestSignal(8000, 2, 4), 2), BlockBytes(50)), 0u);
    EXPECT_TRUE(WaitForStopped(5000));
    ExpectStoppedLook();
}

TEST_F(PlayerTest, VolumeExportCarriesItsDecoratedName)
{
    HMODULE player = GetModuleHandleA("player.dll");
    ASSERT_NE(player, nullptr);
    EXPECT_NE(GetProcAddress(player, "_ChangeVolume@16"), nullptr);
    EXPECT_EQ(GetNumWaveOutDevs(), waveOutGetNumDevs());
    EXPECT_GE(GetNumWaveOutDevs(), 1u);
}

}  // namespace
