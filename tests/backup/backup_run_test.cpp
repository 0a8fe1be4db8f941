// Backup and restore runs over a series of disks: the disk in the drive is a
// folder whose free space is its capacity less what it holds, disks change
// when the program asks for the next one.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <utility>

#include "backup/backup_run.h"
#include "backup/restore_journal.h"
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
    int Backup(bool removable = true) {
        run_ = BackupRun{};
        run_.dataFolder = sandbox_.folder();
        run_.backupFolder = drive_;
        run_.removableDisk = removable;
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
    // backup with a diary of ours and files of the person's own put beside it
    // later. The older diary cannot be deleted at first (read-only): left
    // there, a restore would take it for this run's; the disk is refused and
    // asked for again. Then only what a backup writes is erased.
    disks_.Insert(4);
    disks_.Prepare(2, foreign);
    BackupInfo older = {};
    older.diskNumber = 1;
    older.startTime = {2001, 4, 0, 1, 9, 30, 0, 0};
    disks_.Prepare(3, {{"7.DAT", PatternBytes(300, 7)}, {kBackupInfoName, InfoBytes(older)},
                       {"readme.txt", PatternBytes(30, 8)}, {"家計簿.DAT", PatternBytes(40, 9)}});
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
    EXPECT_EQ(disk3.count("7.DAT"), 0u);
    EXPECT_EQ(disk3["readme.txt"], PatternBytes(30, 8));
    EXPECT_EQ(disk3["家計簿.DAT"], PatternBytes(40, 9));
}

// A second backup into a folder erases what a backup of ours writes (the
// information file, the users table, the diaries and item files, also of
// users deleted since, and whatever the data folder holds) and keeps a file
// the person put there; a restore from it leaves that file where it is.
TEST_F(BackupRunTest, ASecondBackupErasesOnlyWhatABackupWrites) {
    g_capacity = 1 << 20;
    const Files data = {{"ﾕｰｻﾞ.DBF", PatternBytes(300, 1)}, {"1.DAT", PatternBytes(600, 2)},
                        {"ITEM1.DAT", PatternBytes(7, 3)}, {"分類1.DAT", PatternBytes(90, 4)}};
    PutFiles(sandbox_.folder(), data);
    ASSERT_EQ(Backup(), 1);
    const Files own = {{"家計簿.DAT", PatternBytes(50, 5)}, {"ITEMS.DAT", PatternBytes(5, 6)},
                       {"0012.DAT", PatternBytes(5, 7)}};
    PutFiles(drive_, own);
    PutFiles(drive_, {{"4.DAT", PatternBytes(500, 8)}, {"item4.dat", PatternBytes(7, 9)}});  // a user deleted since
    ASSERT_EQ(Backup(), 1);
    Files expected = data;
    for (const auto& file : own) expected.insert(file);
    EXPECT_EQ(DataOn(disks_.Disk(1)), expected);
    EXPECT_EQ(DiskPlace(disks_.Disk(1)), "disk 1 of 4 files, last");

    FileDelete(sandbox_.path("1.DAT").c_str());
    ASSERT_EQ(Restore(), RestoreResult::kDone);
    EXPECT_EQ(FilesOf(sandbox_.folder()), data);
}

// A folder on a disk that is not changed (a hard disk) that runs out of space
// is told as such, with the folder and what the backup needs; no disk is
// asked for, and the folder holds no part of a set. Too little space before
// the run keeps the earlier backup untouched.
TEST_F(BackupRunTest, AFullHardDiskIsToldAndHoldsNoPartOfASet) {
    const Files data = {{"1.DAT", PatternBytes(3000, 1)}, {"2.DAT", PatternBytes(3000, 2)}};
    PutFiles(sandbox_.folder(), data);
    ASSERT_EQ(Backup(false), 1);
    const Files earlier = disks_.Disk(1);
    PutFiles(sandbox_.folder(), {{"3.DAT", PatternBytes(4000, 3)}});
    const auto told = [this](const char* needed, const char* missing, const char* done) {
        char text[1024];
        std::snprintf(text, sizeof text, kBackupNoSpaceFormat, drive_.c_str(), needed, missing, done);
        return std::string(text);
    };
    EXPECT_EQ(Backup(false), -1);
    EXPECT_EQ(run_.failure.text, told("10 KB", "21 バイト", ""));
    EXPECT_EQ(disks_.Disk(1), earlier);

    // Room at the start; another program fills the disk while the run copies.
    g_capacity = 20000;
    static std::int64_t s_taken;
    s_taken = 0;
    SetFreeSpaceFunction([](const std::string& folder) {
        return FakeFreeSpace(folder) - std::exchange(s_taken, s_taken + 5000);
    });
    EXPECT_EQ(Backup(false), 0);
    EXPECT_TRUE(g_person.boxes.empty()) << g_person.Texts().front();
    EXPECT_EQ(run_.failure.caption, kBackupFolderCaption);
    EXPECT_NE(run_.failure.text.find("保存先の空き容量が足りません。\n\n保存先：" + drive_ + "\n必要な空き容量：10 KB"),
              std::string::npos)
        << run_.failure.text;
    EXPECT_NE(run_.failure.text.find("保存先に書き込んだファイルは削除しました。"), std::string::npos);
    EXPECT_EQ(disks_.Disk(1), Files{});
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
    Files left = FilesOf(staging);
    EXPECT_EQ(left.erase(kRestoreJournalName), 1u);
    EXPECT_EQ(left, (Files{{"2.DAT", original.at("2.DAT")}}));
    const std::string text = RestoreEndNotice(restore_).text;
    EXPECT_NE(text.find("\n    2.DAT\n"), std::string::npos) << text;
    EXPECT_NE(text.find(staging), std::string::npos) << text;
}

// A restore cut short while it replaced the files (the state above is what a
// kill between two replacements leaves) is finished at the next start, or
// told exactly, file by file, while it cannot be; one cut short before the
// replacement is discarded, the data folder being as it was.
TEST_F(BackupRunTest, ARestoreCutShortIsFinishedAtTheNextStartOrToldExactly) {
    g_capacity = 1 << 20;
    const Files original = {{"ﾕｰｻﾞ.DBF", PatternBytes(300, 1)}, {"1.DAT", PatternBytes(600, 2)},
                            {"2.DAT", PatternBytes(700, 3)}};
    PutFiles(sandbox_.folder(), original);
    ASSERT_EQ(Backup(), 1);
    WriteBytes(sandbox_.path("1.DAT"), PatternBytes(10, 4));
    FileDelete(sandbox_.path("2.DAT").c_str());
    MakeFolderPath(sandbox_.path("2.DAT"));
    ASSERT_EQ(Restore(), RestoreResult::kPartly);
    const std::string staging = StagingFolder(sandbox_.folder());
    const std::string atTheEnd = RestoreEndNotice(restore_).text;
    EXPECT_EQ(atTheEnd.substr(atTheEnd.size() - std::strlen(kRestoreRetryText)), kRestoreRetryText);

    // Still blocked at the next start: which file is old, which restored.
    Notice told = FinishInterruptedRestore(sandbox_.folder());
    EXPECT_EQ(told.caption, kRestoreCaption);
    EXPECT_NE(told.text.find("復帰する前のデータのままです。\n    2.DAT\n\n次のファイルは、復帰したデータです。\n"
                             "    ﾕｰｻﾞ.DBF\n    1.DAT\n\n復帰元から読み込んだデータは\n" + staging),
              std::string::npos)
        << told.text;
    EXPECT_TRUE(FolderExists(staging));

    // The start after the block is gone finishes it.
    RemoveFolder(sandbox_.path("2.DAT"));
    told = FinishInterruptedRestore(sandbox_.folder());
    EXPECT_EQ(told.text, kRestoreFinishedText);
    EXPECT_EQ(FilesOf(sandbox_.folder()), original);
    EXPECT_FALSE(FolderExists(staging));

    // Cut short while the disks were read, the journal half written: discarded.
    PutFiles(staging, {{"1.DAT", PatternBytes(20, 5)}, {std::string(kRestoreJournalName) + ".new", PatternBytes(9, 6)}});
    EXPECT_EQ(FinishInterruptedRestore(sandbox_.folder()).text, kRestoreAbandonedText);
    EXPECT_EQ(FilesOf(sandbox_.folder()), original);
    EXPECT_FALSE(FolderExists(staging));
    EXPECT_TRUE(FinishInterruptedRestore(sandbox_.folder()).empty());
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
