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
#include <tuple>
#include <utility>

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

using Texts = std::vector<std::string>;
const char kDrive[] = "A:\\";
constexpr std::int64_t kDiskBytes = 1474560;
const std::string kDisk2Request = "ドライブ A: のフロッピーを2枚目に交換して下さい。";

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

// The visible progress window; with PELMO_DIALOG_SHOTS set, what it shows is
// saved there as "<shot>.bmp" for a person to look at.
HWND Progress(const char* title, const char* shot = nullptr) {
    HWND found = FindWindowA("#32770", title);
    if (!found || !IsWindowVisible(found)) return nullptr;
    if (const char* folder = std::getenv("PELMO_DIALOG_SHOTS"); folder && shot) {
        RedrawWindow(found, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        SaveWindowBitmap(found, std::string(folder) + "\\" + shot + ".bmp");
    }
    return found;
}

LRESULT ProgressOf(HWND progress, UINT message) { return SendDlgItemMessageA(progress, IDC_BACKUP_PROGRESS, message, 0, 0); }

DiskAction Insert(DiskSet& disks, int n) {
    return [&disks, n] {
        disks.Insert(n);
        return kIdOk;
    };
}

// The person answering a real message box: its own message loop dispatches
// what arrives while it is up, and a quit message (what "中断" posts) closes
// it at once and is posted again. Past 20 boxes the run is asking for ever.
bool QuitClosesTheBox() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            if (g_person.boxes.size() < 20) PostQuitMessage(static_cast<int>(message.wParam));
            return true;
        }
        DispatchMessageA(&message);
    }
    return false;
}

int AnswerInABox(void* owner, const char* text, const char* caption, unsigned type) {
    if (QuitClosesTheBox()) {
        g_person.boxes.push_back({text, caption});
        return g_person.boxes.size() < 20 ? 0 : kIdYes;
    }
    int answer = AnswerAsThePerson(owner, text, caption, type);
    return QuitClosesTheBox() ? 0 : answer;
}

BackupInfo InfoOn(const Files& disk) {
    BackupInfo info = {};
    auto found = disk.find(kBackupInfoName);
    EXPECT_TRUE(found != disk.end() && found->second.size() == sizeof(info));
    if (found != disk.end()) std::memcpy(&info, found->second.data(), std::min(found->second.size(), sizeof(info)));
    return info;
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
        SetMessageBoxFunction(AnswerInABox);
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

    Files DataFiles() const { return FilesOf(sandbox_->folder()); }
    bool Staged() const { return FolderExists(StagingFolder(sandbox_->folder())); }

    std::unique_ptr<Sandbox> sandbox_;
    std::unique_ptr<DiskSet> disks_;
    HWND owner_ = nullptr;
};

// A table of 1,000,000 bytes and two data files of 600,000 on real disks:
// disk 1 fills up with the table, one file and the first piece of the other;
// disk 2 takes the rest. The progress window shows the way and holds the
// owner; stopped runs change nothing; the restore gives every file back byte
// for byte and keeps a user registered after the backup.
TEST_F(FloppyDisk, ThreeFilesSpanTwoDisksAndComeBackWhole) {
    const Files original = {{"ﾕｰｻﾞ.DBF", PatternBytes(1000000, 1)}, {"1.DAT", PatternBytes(600000, 2)},
                            {"2.DAT", PatternBytes(600000, 3)}};
    PutFiles(sandbox_->folder(), original);
    LRESULT position = -1, high = -1;
    bool ownerEnabled = true;
    g_person.atDiskRequest = [&] {
        HWND progress = Progress("データの保存", "backup_progress");
        ASSERT_NE(progress, nullptr);
        position = ProgressOf(progress, PBM_GETPOS);
        high = ProgressOf(progress, PBM_GETRANGE);
        ownerEnabled = IsWindowEnabled(owner_) != FALSE;
    };
    g_person.diskActions = {Insert(*disks_, 1), Insert(*disks_, 2)};
    ASSERT_EQ(RunBackup(owner_), 1);
    EXPECT_EQ(g_person.Texts(), (Texts{kDisk2Request, kBackupSameRunDiskText, kDisk2Request, kBackupDoneText}));
    EXPECT_EQ(std::make_tuple(position, high), std::make_tuple(1, 3));  // the table is done, the split file not yet
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(Progress("データの保存"), nullptr);

    Files disk1 = disks_->Disk(1), disk2 = disks_->Disk(2);
    EXPECT_EQ(disk1.size(), 3u);
    EXPECT_EQ(disk2.size(), 3u);
    EXPECT_EQ(disk1["ﾕｰｻﾞ.DBF"], original.at("ﾕｰｻﾞ.DBF"));
    const std::string split = disk1.count("1.DAT") ? "1.DAT" : "2.DAT", whole = split == "1.DAT" ? "2.DAT" : "1.DAT";
    // Disk 1 was full: 4,096 bytes went to the information file, 1,003,520 to the table.
    Bytes joined = disk1[split];
    EXPECT_EQ(joined.size(), kDiskBytes - 4096 - 1003520);
    joined.insert(joined.end(), disk2[split].begin(), disk2[split].end());
    EXPECT_EQ(joined, original.at(split));
    EXPECT_EQ(disk2[whole], original.at(whole));

    // After the backup: the users table changed, a user registered, a file lost.
    WriteBytes(sandbox_->path("ﾕｰｻﾞ.DBF"), PatternBytes(300, 9));
    WriteBytes(sandbox_->path("3.DAT"), PatternBytes(15449, 10));
    FileDelete(sandbox_->path(whole).c_str());
    const Files changed = DataFiles();

    // The restore dialog refuses disk 2, still in the drive, and takes disk 1.
    {
        DialogDriver driver;
        auto confirm = [](HWND dialog) {
            DialogDriver::Type(dialog, IDC_BACKUP_FOLDER, "a:\\");
            DialogDriver::Click(dialog, IDOK);
        };
        driver.On("データの復帰（リストア）", confirm).On("データの復帰（リストア）", [this, confirm](HWND dialog) {
            disks_->Insert(1);
            confirm(dialog);
        });
        EXPECT_EQ(RestoreDialog(owner_), 1);
        EXPECT_TRUE(driver.done());
        ASSERT_EQ(driver.boxes().size(), 3u);
        EXPECT_EQ(driver.boxes()[0].text, "指定された復帰元は 2枚目のフロッピーです。\n1枚目のフロッピーを入れて下さい。");
        EXPECT_EQ(driver.boxes()[2].text, "フロッピーディスクの\na:\\から復帰します。\n\nよろしいですか？");
    }
    SetMessageBoxFunction(AnswerInABox);

    // Cancel at the request for disk 2 (No: asked again; then Yes), and "中断"
    // pressed while the request for disk 2 is up: asked whether to stop.
    g_person.Clear();
    g_person.stopAnswers = {kIdNo, kIdYes};
    EXPECT_EQ(RunRestore(owner_), 0);
    EXPECT_EQ(g_person.Texts(), (Texts{kDisk2Request, kRestoreDiskStopQuestion, kDisk2Request, kRestoreDiskStopQuestion}));
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(DataFiles(), changed);
    EXPECT_FALSE(Staged());
    g_person.Clear();
    g_person.atDiskRequest = [] {
        HWND progress = Progress("データの復帰", "restore_progress");
        ASSERT_NE(progress, nullptr);
        EXPECT_EQ(ProgressOf(progress, PBM_GETPOS), 2);
        EXPECT_EQ(GetFocus(), GetDlgItem(progress, IDCANCEL));
        DialogDriver::Click(progress, IDCANCEL);
    };
    g_person.diskActions = {Insert(*disks_, 2)};
    EXPECT_EQ(RunRestore(owner_), 0);
    EXPECT_EQ(g_person.Texts(), (Texts{kDisk2Request, kRestoreDiskStopQuestion}));
    EXPECT_EQ(DataFiles(), changed);
    EXPECT_FALSE(Staged());

    disks_->Insert(1);
    g_person.Clear();
    g_person.diskActions = {Insert(*disks_, 2)};
    ASSERT_EQ(RunRestore(owner_), 1);
    EXPECT_EQ(g_person.Texts(), (Texts{kDisk2Request, kRestoreDoneText}));
    Files expected = original;
    expected["3.DAT"] = PatternBytes(15449, 10);
    EXPECT_EQ(DataFiles(), expected);
    EXPECT_FALSE(Staged());

    // "中断" pressed while the backup waits for disk 2 and No, then Cancel:
    // no word of success, and no quit message left to end the program.
    g_person.Clear();
    disks_->Insert(5);
    g_person.stopAnswers = {kIdNo};
    g_person.atDiskRequest = [pressed = false]() mutable {
        if (!std::exchange(pressed, true)) DialogDriver::Click(Progress("データの保存"), IDCANCEL);
    };
    EXPECT_EQ(RunBackup(owner_), 0);
    EXPECT_EQ(g_person.Texts(), (Texts{kDisk2Request, kBackupStopQuestion, kDisk2Request, kBackupStopQuestion}));
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(Progress("データの保存"), nullptr);
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
    EXPECT_EQ(g_person.Texts(), Texts{expected});
    EXPECT_FALSE(FileExists("A:\\1.DAT"));
    EXPECT_EQ(ReadBytes("A:\\ﾕｰｻﾞ.DBF"), PatternBytes(100000, 1));
    SetFreeSpaceFunction(nullptr);

    RemoveTree(kDrive);
    FillDisk(0);
    g_person.Clear();
    EXPECT_EQ(RunBackup(owner_), 0);
    EXPECT_EQ(g_person.Texts(), Texts{kBackupCannotWriteText});
}

// A second disk that holds someone else's "*.DAT" in the backup folder is
// refused and keeps them; a disk of another run's backup with a file of the
// person's own beside it loses only what that backup wrote.
TEST_F(FloppyDisk, SomeoneElsesFilesAreRefusedAndKept) {
    const Files foreign = {{"GAME.DAT", PatternBytes(2000, 7)}};
    SetRegistryValue("BackupDir", "A:\\PELMO\\", kAreaSettings);
    DiskSet disks(kDrive, "A:\\PELMO\\");
    disks.Prepare(2, foreign);
    BackupInfo older = {};
    older.diskNumber = 1;
    older.startTime = {2001, 4, 0, 1, 9, 30, 0, 0};
    const Bytes own = PatternBytes(3000, 8);
    disks.Prepare(3, {{kBackupInfoName, InfoBytes(older)}, {"5.DAT", PatternBytes(4000, 9)}, {"家計簿.DAT", own}});
    PutFiles(sandbox_->folder(), {{"ﾕｰｻﾞ.DBF", PatternBytes(1000000, 1)}, {"1.DAT", PatternBytes(600000, 2)}});
    g_person.diskActions = {Insert(disks, 2), Insert(disks, 3)};
    EXPECT_EQ(RunBackup(owner_), 1);
    EXPECT_EQ(g_person.Texts(), (Texts{kDisk2Request, kBackupOtherFilesDiskText, kDisk2Request, kBackupDoneText}));
    EXPECT_EQ(disks.Disk(2), foreign);
    Files disk3 = disks.Disk(3);
    EXPECT_EQ(disk3.size(), 3u);
    EXPECT_EQ(+InfoOn(disk3).diskNumber, 2);
    EXPECT_EQ(disk3["家計簿.DAT"], own);
}

}  // namespace
