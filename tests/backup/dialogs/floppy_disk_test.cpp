// Backup and restore across real floppy disks: drive A: of the Wine prefix is
// a removable drive holding a 1,474,560-byte tmpfs (floppy_disks.sh mounts it
// and runs these tests). Disks change while the program asks for the next
// one: the test takes the files of the disk in the drive out and puts those
// of the other disk in.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "backup/backup_info.h"
#include "backup/backup_run.h"
#include "backup/dialogs/backup_dialogs.h"
#include "backup/restore_run.h"
#include "corelib/files.h"
#include "corelib/folders.h"
#include "corelib/msgbox.h"
#include "corelib/registry.h"
#include "diary/dialogs/dialog_driver.h"
#include "backup/disk_set.h"
#include "resources/resource.h"
#include "shell/application.h"
#include "support/sandbox.h"

namespace {

const char kDrive[] = "A:\\";
constexpr std::int64_t kDiskBytes = 1474560;

void RemoveTree(const std::string& folder) {
    for (const std::string& name : ListFolderFiles(folder, nullptr)) FileDelete((folder + name).c_str());
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != ".." && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            RemoveTree(folder + name + "\\");
            RemoveFolder(folder + name);
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

// Fills the disk in the drive from outside the program, leaving `left` bytes.
void FillDisk(std::int64_t left) {
    std::int64_t free = FolderFreeBytes(kDrive);
    WriteBytes(std::string(kDrive) + "FILLER.BIN", Bytes(static_cast<std::size_t>(std::max<std::int64_t>(free - left, 0))));
}

HWND ProgressDialog(const char* title) {
    HWND found = FindWindowA("#32770", title);
    return found && IsWindowVisible(found) ? found : nullptr;
}

// With PELMO_DIALOG_SHOTS set, what the progress window shows, for a person to look at.
void SaveShot(HWND window, const char* name) {
    if (const char* folder = std::getenv("PELMO_DIALOG_SHOTS")) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        SaveWindowBitmap(window, std::string(folder) + "\\" + name + ".bmp");
    }
}

class FloppyDisk : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("PELMO_FLOPPY_DRIVE"))
            GTEST_SKIP() << "no floppy disk in drive A: (these tests run through tests/backup/dialogs/floppy_disks.sh)";
        ASSERT_EQ(GetDriveTypeA(kDrive), static_cast<UINT>(DRIVE_REMOVABLE));
        RemoveTree(kDrive);
        ASSERT_EQ(FolderFreeBytes(kDrive), kDiskBytes);
        InitializePelmoProcess(GetModuleHandleA(nullptr));
        sandbox_ = std::make_unique<Sandbox>();
        SetRegistryValue("BackupDir", kDrive, kAreaSettings);
        g_person.Clear();
        SetMessageBoxFunction(AnswerAsThePerson);
        disks_ = std::make_unique<DiskSet>(kDrive, kDrive);
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override {
        if (!sandbox_) return;
        DestroyWindow(owner_);
        SetMessageBoxFunction(nullptr);
        SetFreeSpaceFunction(nullptr);
        g_person.Clear();
        RemoveTree(kDrive);
        sandbox_.reset();
    }

    DiskAction Insert(int n) {
        return [this, n] {
            disks_->Insert(n);
            return kIdOk;
        };
    }
    static std::vector<std::string> Texts() { return g_person.Texts(); }
    Files DataFiles() const { return FilesOf(sandbox_->folder()); }
    static BackupInfo InfoOn(const Files& disk) {
        BackupInfo info = {};
        auto found = disk.find(kBackupInfoName);
        EXPECT_TRUE(found != disk.end() && found->second.size() == sizeof(info));
        if (found != disk.end()) std::memcpy(&info, found->second.data(), std::min(found->second.size(), sizeof(info)));
        return info;
    }

    // A table of 1,000,000 bytes and two data files of 600,000: the second
    // file does not fit beside the table and goes on on disk 2.
    Files BackUpThreeFiles() {
        const Files original = {{"ﾕｰｻﾞ.DBF", PatternBytes(1000000, 1)}, {"1.DAT", PatternBytes(600000, 2)},
                                {"2.DAT", PatternBytes(600000, 3)}};
        PutFiles(sandbox_->folder(), original);
        g_person.diskActions = {Insert(2)};
        EXPECT_EQ(RunBackup(owner_), 1);
        g_person.boxes.clear();
        return original;
    }

    std::unique_ptr<Sandbox> sandbox_;
    std::unique_ptr<DiskSet> disks_;
    HWND owner_ = nullptr;
};

// The second file is split: disk 1 holds file 1, the first piece of file 2
// and (1, time, 1, 3); disk 2 the rest, file 3 and (2, time, 0, 3). Disk 1
// inserted again is refused by the backup and by the restore, as is a disk
// of another run; the restore gives every file back byte for byte and keeps
// a user registered after the backup.
TEST_F(FloppyDisk, ThreeFilesSpanTwoDisksAndComeBackWhole) {
    const Files original = {{"ﾕｰｻﾞ.DBF", PatternBytes(1000000, 1)}, {"1.DAT", PatternBytes(600000, 2)},
                            {"2.DAT", PatternBytes(600000, 3)}};
    PutFiles(sandbox_->folder(), original);
    LRESULT position = -1, high = -1;
    bool ownerEnabled = true;
    g_person.atDiskRequest = [&] {
        HWND progress = ProgressDialog("データの保存");
        ASSERT_NE(progress, nullptr);
        SaveShot(progress, "backup_progress");
        position = SendDlgItemMessageA(progress, IDC_BACKUP_PROGRESS, PBM_GETPOS, 0, 0);
        high = SendDlgItemMessageA(progress, IDC_BACKUP_PROGRESS, PBM_GETRANGE, FALSE, 0);
        ownerEnabled = IsWindowEnabled(owner_) != FALSE;
    };
    g_person.diskActions = {Insert(1), Insert(2)};
    ASSERT_EQ(RunBackup(owner_), 1);
    const std::string request = "ドライブ A: のフロッピーを2枚目に交換して下さい。";
    EXPECT_EQ(Texts(), (std::vector<std::string>{request, kBackupSameRunDiskText, request, kBackupDoneText}));
    EXPECT_EQ(position, 1);  // the table is done, the split file not yet
    EXPECT_EQ(high, 3);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(ProgressDialog("データの保存"), nullptr);

    Files disk1 = disks_->Disk(1), disk2 = disks_->Disk(2);
    BackupInfo info1 = InfoOn(disk1), info2 = InfoOn(disk2);
    EXPECT_EQ(disk1.size(), 3u);
    EXPECT_EQ(disk1["ﾕｰｻﾞ.DBF"], original.at("ﾕｰｻﾞ.DBF"));
    ASSERT_EQ(disk2.size(), 3u);
    std::string second, third;
    for (const char* name : {"1.DAT", "2.DAT"}) (disk1.count(name) ? second : third) = name;
    ASSERT_FALSE(second.empty());
    ASSERT_FALSE(third.empty());
    // Disk 1 was full: 4,096 bytes went to the information file, 1,003,520 to the table.
    const std::size_t firstPiece = kDiskBytes - 4096 - 1003520;
    Bytes joined = disk1[second];
    EXPECT_EQ(joined.size(), firstPiece);
    joined.insert(joined.end(), disk2[second].begin(), disk2[second].end());
    EXPECT_EQ(joined, original.at(second));
    EXPECT_EQ(disk2[third], original.at(third));
    EXPECT_EQ(+info1.diskNumber, 1);
    EXPECT_EQ(+info1.continues, 1);
    EXPECT_EQ(+info1.fileCount, 3);
    EXPECT_EQ(+info2.diskNumber, 2);
    EXPECT_EQ(+info2.continues, 0);
    EXPECT_EQ(+info2.fileCount, 3);
    EXPECT_TRUE(SameRun(info1.startTime, info2.startTime));

    // After the backup: the users table changed, a user registered, a file lost.
    WriteBytes(sandbox_->path("ﾕｰｻﾞ.DBF"), PatternBytes(300, 9));
    WriteBytes(sandbox_->path("3.DAT"), PatternBytes(15449, 10));
    FileDelete(sandbox_->path(third).c_str());
    Files otherRun = disk2;
    info2.startTime.milliseconds = static_cast<uint16_t>((info2.startTime.milliseconds + 1) % 1000);
    otherRun[kBackupInfoName] = Bytes(reinterpret_cast<unsigned char*>(&info2),
                                      reinterpret_cast<unsigned char*>(&info2) + sizeof(info2));
    disks_->Prepare(3, otherRun);
    disks_->Insert(1);
    g_person.boxes.clear();
    g_person.atDiskRequest = [&] {
        HWND progress = ProgressDialog("データの復帰");
        ASSERT_NE(progress, nullptr);
        SaveShot(progress, "restore_progress");
        position = SendDlgItemMessageA(progress, IDC_BACKUP_PROGRESS, PBM_GETPOS, 0, 0);
    };
    g_person.diskActions = {Insert(1), Insert(3), Insert(2)};
    ASSERT_EQ(RunRestore(owner_), 1);
    const std::string restoreRequest = "ドライブ A: のフロッピーを2枚目に交換して下さい。";
    const std::string wrong = "ドライブ A:のフロッピーは2枚目ではありません。\nお手数ですが復帰元をもう一度、確認してみて下さい。";
    EXPECT_EQ(Texts(), (std::vector<std::string>{restoreRequest, wrong, restoreRequest, wrong, restoreRequest,
                                                 kRestoreDoneText}));
    EXPECT_EQ(position, 2);
    Files expected = original;
    expected["3.DAT"] = PatternBytes(15449, 10);
    EXPECT_EQ(DataFiles(), expected);
    EXPECT_FALSE(FolderExists(StagingFolder(sandbox_->folder())));
}

// The restore dialog refuses disk 2 and takes disk 1 with two questions.
TEST_F(FloppyDisk, RestoreDialogAsksForTheFirstDisk) {
    BackUpThreeFiles();
    ASSERT_EQ(disks_->InDrive(), 2);
    DialogDriver driver;
    auto confirmA = [](HWND dialog) {
        DialogDriver::Type(dialog, IDC_BACKUP_FOLDER, "a:\\");
        DialogDriver::Click(dialog, IDOK);
    };
    driver.On("データの復帰（リストア）", confirmA).On("データの復帰（リストア）", [this, confirmA](HWND dialog) {
        disks_->Insert(1);
        confirmA(dialog);
    });
    EXPECT_EQ(RestoreDialog(owner_), 1);
    EXPECT_TRUE(driver.done());
    ASSERT_EQ(driver.boxes().size(), 3u);
    EXPECT_EQ(driver.boxes()[0].text, "指定された復帰元は 2枚目のフロッピーです。\n1枚目のフロッピーを入れて下さい。");
    EXPECT_EQ(driver.boxes()[0].caption, "復帰元について");
    EXPECT_EQ(driver.boxes()[2].text, "フロッピーディスクの\na:\\から復帰します。\n\nよろしいですか？");
}

// Cancel at a request for a disk, and "中断" while the second disk is read,
// leave the data folder byte for byte as it was and no staging folder.
TEST_F(FloppyDisk, StoppedRunsChangeNothing) {
    const Files original = BackUpThreeFiles();
    const Files changed = {{"ﾕｰｻﾞ.DBF", PatternBytes(500, 4)}, {"1.DAT", PatternBytes(700, 5)}};
    FileDelete(sandbox_->path("2.DAT").c_str());
    PutFiles(sandbox_->folder(), changed);
    disks_->Insert(1);

    g_person.stopAnswers = {kIdNo, kIdYes};  // Cancel, No: asked again; Cancel, Yes
    EXPECT_EQ(RunRestore(owner_), 0);
    const std::string request = "ドライブ A: のフロッピーを2枚目に交換して下さい。";
    EXPECT_EQ(Texts(), (std::vector<std::string>{request, kRestoreDiskStopQuestion, request, kRestoreDiskStopQuestion}));
    EXPECT_EQ(DataFiles(), changed);
    EXPECT_FALSE(FolderExists(StagingFolder(sandbox_->folder())));
    EXPECT_TRUE(IsWindowEnabled(owner_));

    // "中断" is pressed while the program waits for disk 2; the request is
    // taken between the files of disk 2.
    g_person.boxes.clear();
    g_person.atDiskRequest = [] {
        HWND progress = ProgressDialog("データの復帰");
        ASSERT_NE(progress, nullptr);
        EXPECT_EQ(GetFocus(), GetDlgItem(progress, IDCANCEL));
        DialogDriver::Click(progress, IDCANCEL);
    };
    g_person.diskActions = {Insert(2)};
    EXPECT_EQ(RunRestore(owner_), 0);
    EXPECT_EQ(Texts(), (std::vector<std::string>{request, kRestoreStopQuestion}));
    EXPECT_EQ(DataFiles(), changed);
    EXPECT_FALSE(FolderExists(StagingFolder(sandbox_->folder())));

    // Cancel while the backup waits for disk 2: no word of success.
    g_person.boxes.clear();
    g_person.atDiskRequest = nullptr;
    PutFiles(sandbox_->folder(), original);
    disks_->Insert(5);
    EXPECT_EQ(RunBackup(owner_), 0);
    EXPECT_EQ(Texts(), (std::vector<std::string>{request, kBackupStopQuestion}));
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(ProgressDialog("データの保存"), nullptr);
}

std::int64_t FillOnSecondQuery(const std::string& folder) {
    static int calls = 0;
    std::int64_t free = FolderFreeBytes(folder);
    if (++calls == 2) FillDisk(8192);
    return free;
}

// A disk that fills up behind the program's back: the file that did not
// fit is named and removed, and no success is claimed. A disk full before
// the run cannot take the information file, and says so.
TEST_F(FloppyDisk, ADiskFullBehindTheProgramsBackIsReported) {
    PutFiles(sandbox_->folder(), {{"ﾕｰｻﾞ.DBF", PatternBytes(100000, 1)}, {"1.DAT", PatternBytes(500000, 2)}});
    SetFreeSpaceFunction(FillOnSecondQuery);
    EXPECT_EQ(RunBackup(owner_), 0);
    char expected[512];
    std::snprintf(expected, sizeof(expected), kBackupShortWriteFormat, "1.DAT");
    EXPECT_EQ(Texts(), std::vector<std::string>{expected});
    EXPECT_FALSE(FileExists("A:\\1.DAT"));
    EXPECT_EQ(ReadBytes("A:\\ﾕｰｻﾞ.DBF"), PatternBytes(100000, 1));
    SetFreeSpaceFunction(nullptr);

    RemoveTree(kDrive);
    FillDisk(0);
    g_person.boxes.clear();
    EXPECT_EQ(RunBackup(owner_), 0);
    EXPECT_EQ(Texts(), std::vector<std::string>{kBackupCannotWriteText});
}

// A folder that holds someone else's "*.DAT" is refused by the dialog, a
// second disk that does is refused when it is inserted; their files stay.
// The backup folder is created on the next disk.
TEST_F(FloppyDisk, SomeoneElsesFilesAreRefusedAndKept) {
    const Files foreign = {{"GAME.DAT", PatternBytes(2000, 7)}};
    PutFiles("A:\\PELMO\\", foreign);
    {
        DialogDriver driver;
        driver.On("データ保存（バックアップ）", [](HWND dialog) {
            DialogDriver::Type(dialog, IDC_BACKUP_FOLDER, "A:\\PELMO");
            DialogDriver::Click(dialog, IDOK);
        });
        driver.On("データ保存（バックアップ）", [](HWND dialog) { DialogDriver::Click(dialog, IDCANCEL); });
        EXPECT_EQ(BackupDialog(owner_), 0);
        EXPECT_TRUE(driver.done());
        ASSERT_EQ(driver.boxes().size(), 1u);
        EXPECT_EQ(driver.boxes()[0].text, kBackupOtherFilesText);
    }
    EXPECT_EQ(FilesOf("A:\\PELMO\\"), foreign);
    SetMessageBoxFunction(AnswerAsThePerson);

    SetRegistryValue("BackupDir", "A:\\PELMO\\", kAreaSettings);
    DiskSet disks("A:\\", "A:\\PELMO\\");
    disks.Insert(4);  // the disk with someone's files waits outside; an empty disk goes in
    disks.Prepare(2, foreign);
    const Files original = {{"ﾕｰｻﾞ.DBF", PatternBytes(1000000, 1)}, {"1.DAT", PatternBytes(600000, 2)}};
    PutFiles(sandbox_->folder(), original);
    g_person.diskActions = {[&] {
                         disks.Insert(2);
                         return kIdOk;
                     },
                     [&] {
                         disks.Insert(3);
                         return kIdOk;
                     }};
    EXPECT_EQ(RunBackup(owner_), 1);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"ドライブ A: のフロッピーを2枚目に交換して下さい。",
                                                 kBackupOtherFilesDiskText,
                                                 "ドライブ A: のフロッピーを2枚目に交換して下さい。", kBackupDoneText}));
    EXPECT_EQ(disks.Disk(2), foreign);
    Files disk3 = disks.Disk(3);
    EXPECT_EQ(disk3.size(), 2u);
    EXPECT_EQ(+InfoOn(disk3).diskNumber, 2);
}

}  // namespace
