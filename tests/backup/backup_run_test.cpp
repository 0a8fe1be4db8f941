// Backup and restore runs over a series of disks: the disk in the drive is a
// folder whose free space is its capacity less what it holds, disks change
// when the program asks for the next one.
#include <gtest/gtest.h>

#include "backup/backup_run.h"
#include "backup/restore_run.h"
#include "corelib/files.h"
#include "corelib/folders.h"
#include "disk_set.h"
#include "support/sandbox.h"

namespace {

const std::string kAskForDisk2 = "ドライブ /: のフロッピーを2枚目に交換して下さい。";

std::int64_t g_capacity = 0;

std::int64_t FakeFreeSpace(const std::string& folder) {
    std::int64_t used = 0;
    for (const auto& file : FilesOf(folder)) used += static_cast<std::int64_t>(file.second.size());
    return g_capacity - used;
}

// A disk's files but its information file.
Files DataOn(Files disk) {
    disk.erase(kBackupInfoName);
    return disk;
}

class BackupRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_person.Clear();
        g_capacity = 10000;
        MakeFolderPath(drive_);
        SetFreeSpaceFunction(FakeFreeSpace);
    }
    void TearDown() override { SetFreeSpaceFunction(nullptr); }

    // A disk request answered by inserting disk n and pressing OK.
    DiskAction Insert(int n) {
        return [this, n] { disks_.Insert(n); return kIdOk; };
    }
    // The window of a run: the person answers what it shows, steps_ counts the bar's steps.
    RunWindow Window() {
        steps_ = 0;
        RunWindow window;
        window.context = &steps_;
        window.show = [](void*, const Notice& notice) {
            return AnswerAsThePerson(nullptr, notice.text.c_str(), notice.caption.c_str(), notice.type);
        };
        window.advance = [](void* steps) { ++*static_cast<int*>(steps); };
        return window;
    }
    // -1 when the backup is refused before it writes anything (run_.failure says why).
    int Backup() {
        run_ = BackupRun{};
        run_.dataFolder = sandbox_.folder();
        run_.backupFolder = drive_;
        return BeginBackup(&run_) ? CopyBackupFiles(&run_, Window()) : -1;
    }
    RestoreResult Restore(const std::string& dataFolder = "") {
        restore_ = RestoreRun{};
        restore_.dataFolder = dataFolder.empty() ? sandbox_.folder() : dataFolder;
        restore_.backupFolder = drive_;
        EXPECT_EQ(BeginRestore(&restore_), 1) << restore_.failure.text;
        return RestoreFiles(&restore_, Window());
    }

    Sandbox sandbox_;
    const std::string drive_ = sandbox_.path("drive/");
    DiskSet disks_{drive_, drive_};
    int steps_ = 0;
    BackupRun run_;
    RestoreRun restore_;
};

// Three files where the second does not fit: disk 1 holds file 1 and the
// first piece of file 2, disk 2 the rest and file 3. Disk 1 inserted again is
// refused, and so are disk 1 and another run's disk when the restore asks for
// disk 2.
TEST_F(BackupRunTest, ThreeFilesOverTwoDisksComeBackByteForByte) {
    const Files original = {{"ﾕｰｻﾞ.DBF", PatternBytes(6000, 1)}, {"1.DAT", PatternBytes(6000, 2)},
                            {"2.DAT", PatternBytes(6000, 3)}};
    PutFiles(sandbox_.folder(), original);
    g_person.diskActions = {Insert(1), Insert(2)};
    ASSERT_EQ(Backup(), 1);
    EXPECT_EQ(steps_, 3);
    ASSERT_EQ(run_.files.size(), 3u);
    const std::string second = run_.files[1], third = run_.files[2];
    EXPECT_EQ(g_person.Texts(), (std::vector<std::string>{kAskForDisk2, kBackupSameRunDiskText, kAskForDisk2}));

    Files disk1 = disks_.Disk(1), disk2 = disks_.Disk(2);
    EXPECT_EQ(DiskPlace(disk1), "disk 1 of 3 files, continues");
    EXPECT_EQ(DiskPlace(disk2), "disk 2 of 3 files, last");
    EXPECT_TRUE(SameRun(InfoOnDisk(disk1).startTime, run_.startTime));
    EXPECT_TRUE(SameRun(InfoOnDisk(disk2).startTime, run_.startTime));
    // The table first, whole; disk 1 filled to its last byte.
    const Bytes& whole = original.at(second);
    const auto cut = whole.begin() + (10000 - 6000 - sizeof(BackupInfo));
    EXPECT_EQ(DataOn(disk1), (Files{{"ﾕｰｻﾞ.DBF", original.at("ﾕｰｻﾞ.DBF")}, {second, Bytes(whole.begin(), cut)}}));
    EXPECT_EQ(DataOn(disk2), (Files{{second, Bytes(cut, whole.end())}, {third, original.at(third)}}));

    // After the backup: the table changed, a user registered, a file lost.
    WriteBytes(sandbox_.path("ﾕｰｻﾞ.DBF"), PatternBytes(100, 9));
    WriteBytes(sandbox_.path("3.DAT"), PatternBytes(700, 10));
    FileDelete(sandbox_.path(third).c_str());
    // Another run's disk 2: the same files, a start time a millisecond later.
    BackupInfo other = InfoOnDisk(disk2);
    other.startTime.milliseconds = static_cast<uint16_t>((other.startTime.milliseconds + 1) % 1000);
    disk2[kBackupInfoName] = InfoBytes(other);
    disks_.Prepare(3, disk2);
    disks_.Insert(1);
    g_person.boxes.clear();
    g_person.diskActions = {Insert(1), Insert(3), Insert(2)};
    ASSERT_EQ(Restore(), RestoreResult::kDone);
    EXPECT_EQ(steps_, 3);  // the split file counts once
    const std::string wrong = "ドライブ /:のフロッピーは2枚目ではありません。\nお手数ですが復帰元をもう一度、確認してみて下さい。";
    EXPECT_EQ(g_person.Texts(), (std::vector<std::string>{kAskForDisk2, wrong, kAskForDisk2, wrong, kAskForDisk2}));
    Files expected = original;
    expected["3.DAT"] = PatternBytes(700, 10);  // registered after the backup: kept
    EXPECT_EQ(FilesOf(sandbox_.folder()), expected);
    EXPECT_FALSE(FolderExists(StagingFolder(sandbox_.folder())));
    EXPECT_EQ(RestoreEndNotice(restore_).text, kRestoreDoneText);
}

// Files that no backup of ours wrote are never erased: a folder that holds
// some is refused before anything is written, a disk that holds some is
// refused and the next one asked for; a disk of an older backup is emptied.
TEST_F(BackupRunTest, SomeoneElsesFilesAreRefusedAndKept) {
    PutFiles(sandbox_.folder(), {{"1.DAT", PatternBytes(6000, 1)}, {"2.DAT", PatternBytes(6000, 2)}});
    const Files foreign = {{"GAME.DAT", PatternBytes(10, 5)}, {"ADDRESS.DBF", PatternBytes(10, 6)}};
    PutFiles(drive_, foreign);
    EXPECT_EQ(Backup(), -1);
    EXPECT_EQ(run_.failure.text, kBackupOtherFilesText);
    EXPECT_EQ(disks_.Disk(1), foreign);

    // An empty disk 4 first; then disk 2, someone else's, and disk 3, an older
    // backup with a file of ours and a file put beside it later. The older
    // file cannot be deleted at first (read-only): left there, a restore
    // would take it for this run's; the disk is refused and asked for again.
    disks_.Insert(4);
    disks_.Prepare(2, foreign);
    BackupInfo older = {};
    older.diskNumber = 1;
    older.startTime = {2001, 4, 0, 1, 9, 30, 0, 0};
    disks_.Prepare(3, {{"OLD.DAT", PatternBytes(300, 7)}, {kBackupInfoName, InfoBytes(older)},
                       {"readme.txt", PatternBytes(30, 8)}});
    DiskAction readOnly = [this] {
        disks_.Insert(3);
        SetAtomicFailure(AtomicFailure::kDelete);
        return kIdOk;
    };
    g_person.diskActions = {Insert(2), readOnly, Insert(3)};
    ASSERT_EQ(Backup(), 1);
    SetAtomicFailure(AtomicFailure::kNone);
    EXPECT_EQ(g_person.Texts(), (std::vector<std::string>{kAskForDisk2, kBackupOtherFilesDiskText, kAskForDisk2,
                                                          kBackupCannotWriteText, kAskForDisk2}));
    EXPECT_EQ(disks_.Disk(2), foreign);
    Files disk3 = disks_.Disk(3);
    EXPECT_EQ(DiskPlace(disk3), "disk 2 of 2 files, last");
    EXPECT_EQ(disk3.count("OLD.DAT"), 0u);
    EXPECT_EQ(disk3["readme.txt"], PatternBytes(30, 8));
}

// A backup that holds fewer files than its information file counts (stopped
// part way, or a file deleted from it since) is not restored as if whole:
// the person is asked first, and stopping leaves the data folder as it was.
TEST_F(BackupRunTest, AnIncompleteBackupIsNotRestoredWithoutAsking) {
    g_capacity = 1 << 20;
    const Files original = {{"ﾕｰｻﾞ.DBF", PatternBytes(300, 1)}, {"1.DAT", PatternBytes(600, 2)},
                            {"2.DAT", PatternBytes(700, 3)}};
    const Files later = {{"ﾕｰｻﾞ.DBF", PatternBytes(400, 4)}, {"1.DAT", PatternBytes(650, 5)},
                         {"2.DAT", PatternBytes(750, 6)}};
    const std::string question =
        "復帰元には、保存したときの3個のファイルのうち2個しかありません。\n"
        "保存が途中で中断されたか、ファイルが削除されたおそれがあります。\n\nデータの復帰を中断しますか？";
    struct Case {
        int answer;
        RestoreResult result;
        Files after;
    } cases[] = {
        {kIdYes, RestoreResult::kStopped, later},
        {kIdNo, RestoreResult::kDone, {{"ﾕｰｻﾞ.DBF", original.at("ﾕｰｻﾞ.DBF")}, {"1.DAT", original.at("1.DAT")},
                                       {"2.DAT", later.at("2.DAT")}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        PutFiles(sandbox_.folder(), original);
        ASSERT_EQ(Backup(), 1);
        FileDelete((drive_ + "2.DAT").c_str());
        PutFiles(sandbox_.folder(), later);
        g_person.Clear();
        g_person.stopAnswers = {c.answer};
        EXPECT_EQ(Restore(), c.result);
        EXPECT_EQ(g_person.Texts(), std::vector<std::string>{question});
        EXPECT_EQ(FilesOf(sandbox_.folder()), c.after);
        EXPECT_FALSE(FolderExists(StagingFolder(sandbox_.folder())));
    }
}

// A data file that cannot be replaced is named, the others are restored, and
// its restored copy waits in the staging folder.
TEST_F(BackupRunTest, AFileThatCannotBePutInPlaceIsNamedAndKeptStaged) {
    g_capacity = 1 << 20;
    const Files original = {{"1.DAT", PatternBytes(600, 1)}, {"2.DAT", PatternBytes(700, 2)}};
    PutFiles(sandbox_.folder(), original);
    ASSERT_EQ(Backup(), 1);
    EXPECT_TRUE(g_person.boxes.empty());
    WriteBytes(sandbox_.path("1.DAT"), PatternBytes(10, 3));
    FileDelete(sandbox_.path("2.DAT").c_str());
    MakeFolderPath(sandbox_.path("2.DAT"));  // a folder where the file belongs: no file can go there
    EXPECT_EQ(Restore(), RestoreResult::kPartly);
    EXPECT_EQ(FilesOf(sandbox_.folder()), (Files{{"1.DAT", original.at("1.DAT")}}));
    EXPECT_EQ(restore_.notRestored, std::vector<std::string>{"2.DAT"});
    const std::string staging = StagingFolder(sandbox_.folder());
    EXPECT_EQ(FilesOf(staging), (Files{{"2.DAT", original.at("2.DAT")}}));
    const std::string text = RestoreEndNotice(restore_).text;
    EXPECT_NE(text.find("\n    2.DAT\n"), std::string::npos) << text;
    EXPECT_NE(text.find(staging), std::string::npos) << text;
}

// A data folder removed by hand is made again by the restore that brings it back.
TEST_F(BackupRunTest, ARestoreMakesTheDataFolderAgainWhenItHasGone) {
    const Files original = {{"1.DAT", PatternBytes(600, 1)}};
    PutFiles(sandbox_.folder(), original);
    ASSERT_EQ(Backup(), 1);
    const std::string gone = sandbox_.path("gone/");
    EXPECT_EQ(Restore(gone), RestoreResult::kDone);
    EXPECT_EQ(FilesOf(gone), original);
}

}  // namespace
