// Backup and restore runs over a series of disks: the disk in the drive is a
// folder whose free space is its capacity less what it holds, disks change
// when the program asks for the next one.
#include <gtest/gtest.h>

#include <cstring>

#include "backup/backup_info.h"
#include "backup/backup_run.h"
#include "backup/restore_run.h"
#include "corelib/files.h"
#include "corelib/folders.h"
#include "corelib/notice.h"
#include "disk_set.h"
#include "support/sandbox.h"

namespace {

std::int64_t g_capacity = 0;
std::string g_drive;

std::int64_t FakeFreeSpace(const std::string&) {
    std::int64_t used = 0;
    for (const auto& file : FilesOf(g_drive)) used += static_cast<std::int64_t>(file.second.size());
    return g_capacity - used;
}

struct ProgressCount {
    int steps = 0;
    int stopAtStep = -1;  // the person presses "中断" once this many steps are done
};

// The window of a run: the person answers what it shows, the bar counts.
RunWindow CountingWindow(ProgressCount* count) {
    RunWindow window;
    window.context = count;
    window.show = [](void*, const Notice& notice) {
        return AnswerAsThePerson(nullptr, notice.text.c_str(), notice.caption.c_str(), notice.type);
    };
    window.advance = [](void* c) { ++static_cast<ProgressCount*>(c)->steps; };
    window.stopRequested = [](void* c) {
        auto* count = static_cast<ProgressCount*>(c);
        return count->steps == count->stopAtStep &&
               AnswerAsThePerson(nullptr, kRestoreStopQuestion, kStopCaption, kMbYesNo) == kIdYes;
    };
    return window;
}

class BackupRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_person.Clear();
        g_capacity = 10000;
        g_drive = sandbox_.path("drive/");
        MakeFolderPath(g_drive);
        disks_ = std::make_unique<DiskSet>(g_drive, g_drive);
        SetFreeSpaceFunction(FakeFreeSpace);
    }
    void TearDown() override {
        SetFreeSpaceFunction(nullptr);
    }

    // A disk request answered by inserting disk n and pressing OK.
    DiskAction Insert(int n) {
        return [this, n] {
            disks_->Insert(n);
            return kIdOk;
        };
    }
    static DiskAction Cancel() {
        return [] { return kIdCancel; };
    }

    Files DataFiles() const {
        Files files = FilesOf(sandbox_.folder());
        return files;
    }
    int Backup(ProgressCount* count) {
        run_ = BackupRun{};
        run_.dataFolder = sandbox_.folder();
        run_.backupFolder = g_drive;
        if (!BeginBackup(&run_)) {
            g_person.boxes.push_back({run_.failure.text, run_.failure.caption});
            return -1;
        }
        return CopyBackupFiles(&run_, CountingWindow(count));
    }
    RestoreResult Restore(ProgressCount* count) {
        restore_ = RestoreRun{};
        restore_.dataFolder = sandbox_.folder();
        restore_.backupFolder = g_drive;
        if (!BeginRestore(&restore_)) {
            g_person.boxes.push_back({restore_.failure.text, restore_.failure.caption});
            return RestoreResult::kStopped;
        }
        return RestoreFiles(&restore_, CountingWindow(count));
    }
    static BackupInfo InfoOn(const Files& disk) {
        BackupInfo info = {};
        const Bytes& bytes = disk.at(kBackupInfoName);
        EXPECT_EQ(bytes.size(), sizeof(info));
        std::memcpy(&info, bytes.data(), std::min(bytes.size(), sizeof(info)));
        return info;
    }
    static std::vector<std::string> Texts() { return g_person.Texts(); }

    Sandbox sandbox_;
    std::unique_ptr<DiskSet> disks_;
    BackupRun run_;
    RestoreRun restore_;
};

// Three files where the second does not fit: disk 1 holds file 1, the first
// piece of file 2 and (1, time, 1, 3); disk 2 the rest, file 3 and (2, time,
// 0, 3). Disk 1 inserted again is refused, and so are disk 1 and another
// run's disk when the restore asks for disk 2.
TEST_F(BackupRunTest, ThreeFilesOverTwoDisksComeBackByteForByte) {
    const Files original = {{"ﾕｰｻﾞ.DBF", PatternBytes(6000, 1)}, {"1.DAT", PatternBytes(6000, 2)},
                            {"2.DAT", PatternBytes(6000, 3)}};
    PutFiles(sandbox_.folder(), original);
    g_person.diskActions = {Insert(1), Insert(2)};
    ProgressCount backupSteps;
    ASSERT_EQ(Backup(&backupSteps), 1);
    EXPECT_EQ(backupSteps.steps, 3);
    ASSERT_EQ(run_.files.size(), 3u);
    EXPECT_EQ(run_.files[0], "ﾕｰｻﾞ.DBF");
    const std::string second = run_.files[1], third = run_.files[2];
    EXPECT_EQ(Texts(), (std::vector<std::string>{"ドライブ /: のフロッピーを2枚目に交換して下さい。",
                                                 kBackupSameRunDiskText,
                                                 "ドライブ /: のフロッピーを2枚目に交換して下さい。"}));

    Files disk1 = disks_->Disk(1), disk2 = disks_->Disk(2);
    ASSERT_EQ(disk1.size(), 3u);
    EXPECT_EQ(disk1["ﾕｰｻﾞ.DBF"], original.at("ﾕｰｻﾞ.DBF"));
    const Bytes& whole = original.at(second);
    const std::size_t firstPiece = 10000 - 6000 - sizeof(BackupInfo);
    EXPECT_EQ(disk1[second], Bytes(whole.begin(), whole.begin() + firstPiece));
    ASSERT_EQ(disk2.size(), 3u);
    EXPECT_EQ(disk2[second], Bytes(whole.begin() + firstPiece, whole.end()));
    EXPECT_EQ(disk2[third], original.at(third));
    BackupInfo info1 = InfoOn(disk1), info2 = InfoOn(disk2);
    EXPECT_EQ(+info1.diskNumber, 1);
    EXPECT_EQ(+info1.continues, 1);
    EXPECT_EQ(+info1.fileCount, 3);
    EXPECT_EQ(+info2.diskNumber, 2);
    EXPECT_EQ(+info2.continues, 0);
    EXPECT_EQ(+info2.fileCount, 3);
    EXPECT_TRUE(SameRun(info1.startTime, run_.startTime));
    EXPECT_TRUE(SameRun(info2.startTime, run_.startTime));

    // After the backup: the table changed, a user registered, a file lost.
    WriteBytes(sandbox_.path("ﾕｰｻﾞ.DBF"), PatternBytes(100, 9));
    WriteBytes(sandbox_.path("3.DAT"), PatternBytes(700, 10));
    FileDelete(sandbox_.path(third).c_str());
    // Another run's disk 2: the same files under another start time.
    Files otherRun = disk2;
    BackupInfo other = info2;
    other.startTime.second = static_cast<uint16_t>((other.startTime.second + 1) % 60);
    otherRun[kBackupInfoName] = Bytes(reinterpret_cast<unsigned char*>(&other),
                                      reinterpret_cast<unsigned char*>(&other) + sizeof(other));
    disks_->Prepare(3, otherRun);
    g_person.boxes.clear();
    disks_->Insert(1);
    g_person.diskActions = {Insert(1), Insert(3), Insert(2)};
    ProgressCount restoreSteps;
    ASSERT_EQ(Restore(&restoreSteps), RestoreResult::kDone);
    EXPECT_EQ(restoreSteps.steps, 3);  // the split file counts once
    const std::string prompt = "ドライブ /: のフロッピーを2枚目に交換して下さい。";
    const std::string wrong = "ドライブ /:のフロッピーは2枚目ではありません。\nお手数ですが復帰元をもう一度、確認してみて下さい。";
    EXPECT_EQ(Texts(), (std::vector<std::string>{prompt, wrong, prompt, wrong, prompt}));
    Files restored = DataFiles();
    Files expected = original;
    expected["3.DAT"] = PatternBytes(700, 10);  // registered after the backup: kept
    EXPECT_EQ(restored, expected);
    EXPECT_FALSE(FolderExists(StagingFolder(sandbox_.folder())));
    EXPECT_EQ(RestoreEndNotice(restore_).text, kRestoreDoneText);
}

// Files that no backup of ours wrote are never erased: a folder that holds
// some is refused before anything is written, a disk that holds some is
// refused and the next one asked for; a disk of an older backup is emptied.
TEST_F(BackupRunTest, SomeoneElsesFilesAreRefusedAndKept) {
    PutFiles(sandbox_.folder(), {{"1.DAT", PatternBytes(6000, 1)}, {"2.DAT", PatternBytes(6000, 2)}});
    const Files foreign = {{"GAME.DAT", PatternBytes(10, 5)}, {"ADDRESS.DBF", PatternBytes(10, 6)}};
    PutFiles(g_drive, foreign);
    ProgressCount steps;
    EXPECT_EQ(Backup(&steps), -1);
    EXPECT_EQ(Texts(), std::vector<std::string>{kBackupOtherFilesText});
    EXPECT_EQ(disks_->Disk(1), foreign);

    // An empty disk 1; disk 2 someone else's, disk 3 an older backup with a
    // file of ours and a file put beside it later.
    disks_->Insert(4);
    disks_->Prepare(2, foreign);
    BackupInfo older = {};
    older.diskNumber = 1;
    older.startTime = {2001, 4, 0, 1, 9, 30, 0, 0};
    Files olderBackup = {{"OLD.DAT", PatternBytes(300, 7)},
                         {kBackupInfoName, Bytes(reinterpret_cast<unsigned char*>(&older),
                                                 reinterpret_cast<unsigned char*>(&older) + sizeof(older))},
                         {"readme.txt", PatternBytes(30, 8)}};
    disks_->Prepare(3, olderBackup);
    g_person.boxes.clear();
    g_person.diskActions = {Insert(2), Insert(3)};
    ASSERT_EQ(Backup(&steps), 1);
    EXPECT_EQ(g_person.boxes.size(), 3u);
    EXPECT_EQ(g_person.boxes[1].text, kBackupOtherFilesDiskText);
    EXPECT_EQ(disks_->Disk(2), foreign);
    Files disk3 = disks_->Disk(3);
    EXPECT_EQ(disk3.count("OLD.DAT"), 0u);
    EXPECT_EQ(disk3.count("readme.txt"), 1u);
    EXPECT_EQ(+InfoOn(disk3).diskNumber, 2);
}

// A data file that cannot be replaced is named, the others are restored, and
// its restored copy waits in the staging folder.
TEST_F(BackupRunTest, AFileThatCannotBePutInPlaceIsNamedAndKeptStaged) {
    g_capacity = 1 << 20;
    const Files original = {{"1.DAT", PatternBytes(600, 1)}, {"2.DAT", PatternBytes(700, 2)}};
    PutFiles(sandbox_.folder(), original);
    ProgressCount steps;
    ASSERT_EQ(Backup(&steps), 1);
    EXPECT_TRUE(g_person.boxes.empty());
    WriteBytes(sandbox_.path("1.DAT"), PatternBytes(10, 3));
    FileDelete(sandbox_.path("2.DAT").c_str());
    MakeFolderPath(sandbox_.path("2.DAT"));  // a folder where the file belongs: no file can go there
    EXPECT_EQ(Restore(&steps), RestoreResult::kPartly);
    EXPECT_EQ(FilesOf(sandbox_.folder()), (Files{{"1.DAT", original.at("1.DAT")}}));
    EXPECT_EQ(restore_.notRestored, std::vector<std::string>{"2.DAT"});
    const std::string staging = StagingFolder(sandbox_.folder());
    EXPECT_EQ(FilesOf(staging), (Files{{"2.DAT", original.at("2.DAT")}}));
    std::string text = RestoreEndNotice(restore_).text;
    EXPECT_NE(text.find("\n    2.DAT\n"), std::string::npos) << text;
    EXPECT_NE(text.find(staging), std::string::npos) << text;
}

}  // namespace
