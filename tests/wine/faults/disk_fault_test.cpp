// Disks and files that fail the real program: a target drive that fills up,
// a temporary file that fills its disk in the middle of the render, a
// read-only target, a target folder that vanishes, and a source that is
// deleted or replaced after it was opened. Runs beside bed_agent.sh.
#include <windows.h>

#include <cstdlib>

#include "bed_agent_client.h"
#include "fault_fixture.h"

namespace {

const char kWriteError[] = "Write Error. Mixdown file will be deleted.";
const char kMixdownError[] = "Error in Mixdown operation.";

class DiskFaultTest : public QuellboxFaultTest {
protected:
    void SetUp() override
    {
        QuellboxFaultTest::SetUp();
        ASSERT_FALSE(BedUnixFolder().empty()) << "runs inside the test bed beside bed_agent.sh";
        folder_ = BedWineFolder() + "\\disk_faults";
        CreateDirectoryA(folder_.c_str(), nullptr);
        source_ = folder_ + "\\source.wav";
        ASSERT_TRUE(CopyFileA((BinaryFolder() + "demo.wav").c_str(), source_.c_str(), FALSE));
    }
    void TearDown() override
    {
        QuellboxFaultTest::TearDown();
        for (const std::string& undo : undo_) BedAction(undo);
    }

    // A tmpfs of kilobytes mounted at a fresh folder of the bed; its Unix path.
    std::string SmallDisk(const std::string& name, int kilobytes)
    {
        const std::string dir = BedUnixFolder() + "/" + name;
        if (!BedAction("mount-small " + dir + " " + std::to_string(kilobytes))) return "";
        undo_.insert(undo_.begin(), "umount " + dir);
        return dir;
    }

    void StartWithSource()
    {
        StartActive();
        ASSERT_TRUE(Open(source_));
    }

    // Runs a mixdown onto target and returns the message it ends with ("" for none).
    std::string Mixdown(const std::string& target)
    {
        if (!app_.MixdownThroughDialog(target)) return "<no save dialog>";
        return app_.AnswerMessageBox(30000);
    }

    std::string folder_, source_;
    std::vector<std::string> undo_;
};

TEST_F(DiskFaultTest, AFullTargetDriveShowsTheWriteErrorAndKeepsTheOldTargetWhole)
{
    const std::string disk = SmallDisk("small_target", 256);
    ASSERT_FALSE(disk.empty());
    ASSERT_TRUE(BedAction("map-drive q " + disk));
    undo_.insert(undo_.begin(), "unmap-drive q");
    ASSERT_TRUE(WriteWholeFile("Q:\\out.wav", "the user's old file"));
    StartWithSource();

    EXPECT_EQ(Mixdown("Q:\\out.wav"), kWriteError);
    EXPECT_TRUE(ReadWholeFile("Q:\\out.wav") == "the user's old file") << "the old target was lost";
    EXPECT_FALSE(FileExists("Q:\\out.wav.qbxtmp")) << "no half-written copy stays behind";
    EXPECT_FALSE(FileExists(TemporaryMixdownPath()));
    EXPECT_TRUE(Responsive());
}

TEST_F(DiskFaultTest, ATemporaryFileThatFillsItsDiskMidRenderIsDeletedAndTheTargetUntouched)
{
    const std::string disk = SmallDisk("small_temp", 192);
    ASSERT_FALSE(disk.empty());
    const char* prefix = std::getenv("WINEPREFIX");
    ASSERT_NE(prefix, nullptr);
    const std::string target = folder_ + "\\kept.wav";
    ASSERT_TRUE(WriteWholeFile(target, "kept"));
    StartWithSource();
    // The Windows directory's temporary file lands on the small disk.
    ASSERT_TRUE(BedAction("link " + std::string(prefix) + "/drive_c/windows/tmpqbx15.wav " + disk + "/tmpqbx15.wav"));

    EXPECT_EQ(Mixdown(target), kMixdownError);
    EXPECT_TRUE(WaitForMixdownEnd(5000));
    EXPECT_TRUE(ReadWholeFile(target) == "kept") << "the target was touched";
    EXPECT_FALSE(FileExists(TemporaryMixdownPath()));
    EXPECT_TRUE(app_.OpensItsMenuNext()) << "one message only: " << app_.AnswerMessageBox(0);
    EXPECT_TRUE(Responsive());
}

TEST_F(DiskFaultTest, AnExistingTargetIsReplacedOnlyByACompleteRender)
{
    const std::string target = folder_ + "\\replaced.wav";
    ASSERT_TRUE(WriteWholeFile(target, "old"));
    StartWithSource();
    ASSERT_TRUE(app_.MixdownThroughDialog(target));
    ASSERT_TRUE(WaitUntil([&] { return ReadWholeFile(target).substr(0, 4) == "RIFF"; }, 30000));
    ASSERT_TRUE(WaitForMixdownEnd(10000));
    EXPECT_TRUE(app_.OpensItsMenuNext()) << "a message after the render: " << app_.AnswerMessageBox(0);
    EXPECT_GT(ReadWholeFile(target).size(), ReadWholeFile(source_).size());
    EXPECT_FALSE(FileExists(target + ".qbxtmp"));
    EXPECT_FALSE(FileExists(TemporaryMixdownPath()));
}

TEST_F(DiskFaultTest, AReadOnlyTargetIsNotReplacedAndTheUserIsTold)
{
    const std::string target = folder_ + "\\read_only.wav";
    ASSERT_TRUE(WriteWholeFile(target, "read only"));
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    StartWithSource();
    EXPECT_EQ(Mixdown(target), kWriteError);
    EXPECT_TRUE(ReadWholeFile(target) == "read only") << "the read-only target was replaced";
    EXPECT_FALSE(FileExists(target + ".qbxtmp"));
    EXPECT_FALSE(FileExists(TemporaryMixdownPath()));
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(target.c_str());
}

TEST_F(DiskFaultTest, ATargetFolderThatVanishesDuringTheRenderEndsInTheWriteError)
{
    ASSERT_TRUE(WriteSineWave(source_, 90.0));
    const std::string gone = folder_ + "\\vanishing";
    ASSERT_TRUE(CreateDirectoryA(gone.c_str(), nullptr));
    StartWithSource();
    const std::string temp = TemporaryMixdownPath();
    DeleteFileA(temp.c_str());  // what it holds from now on is this render
    ASSERT_TRUE(app_.MixdownThroughDialog(gone + "\\out.wav"));
    // The folder goes while the window thread, which renders, is held with
    // the temporary file under way and smaller than the source: blocks of
    // the render are still to come.
    ASSERT_TRUE(WaitUntil([&] { return FileSize(temp) > 0; }, 10000)) << "the render did not start";
    ASSERT_TRUE(app_.HoldWindowThread(true));
    const bool removed = FileSize(temp) < FileSize(source_) && RemoveDirectoryA(gone.c_str());
    ASSERT_TRUE(app_.HoldWindowThread(false));
    ASSERT_TRUE(removed) << "the render had written the whole source, or the folder stayed";
    EXPECT_EQ(app_.AnswerMessageBox(60000), kWriteError);
    EXPECT_FALSE(FileExists(gone));
    EXPECT_FALSE(FileExists(TemporaryMixdownPath()));
    EXPECT_TRUE(Responsive());
}

TEST_F(DiskFaultTest, ASourceDeletedAfterOpenIsReportedByPlayAndPlaysAgainOnceBack)
{
    StartWithSource();
    ASSERT_TRUE(DeleteFileA(source_.c_str()));
    app_.Command(IDC_PLAY);
    EXPECT_EQ(app_.AnswerMessageBox(10000), "Error in opening file.");
    EXPECT_TRUE(WaitForPlaybackEnd(5000));
    ASSERT_TRUE(CopyFileA((BinaryFolder() + "demo.wav").c_str(), source_.c_str(), FALSE));
    Play();
    app_.Command(IDC_STOP);
    EXPECT_TRUE(WaitForPlaybackEnd(5000));
}

TEST_F(DiskFaultTest, ASourceReplacedByAnotherKindOfFileIsReportedByPlay)
{
    StartWithSource();
    ASSERT_TRUE(WriteWholeFile(source_, "This is a text file now, not a sound."));
    app_.Command(IDC_PLAY);
    EXPECT_EQ(app_.AnswerMessageBox(10000), "This is not a WAV file.");
    EXPECT_TRUE(WaitForPlaybackEnd(5000));
    EXPECT_TRUE(Responsive());
}

TEST_F(DiskFaultTest, ASourceDeletedOrReplacedBeforeMixdownEndsInTheMixdownError)
{
    StartWithSource();
    const std::string target = folder_ + "\\never.wav";
    DeleteFileA(target.c_str());

    ASSERT_TRUE(DeleteFileA(source_.c_str()));
    EXPECT_EQ(Mixdown(target), kMixdownError);
    EXPECT_FALSE(FileExists(target));
    EXPECT_FALSE(FileExists(TemporaryMixdownPath()));

    ASSERT_TRUE(WriteWholeFile(source_, "RIFF, but not a wave any more"));
    EXPECT_EQ(Mixdown(target), kMixdownError);
    EXPECT_FALSE(FileExists(target));
    EXPECT_FALSE(FileExists(TemporaryMixdownPath()));
    EXPECT_TRUE(Responsive());
}

}  // namespace
