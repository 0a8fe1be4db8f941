// Backup and restore from the menu of the running program: the open user's
// diary is saved before the backup, and let go after a restore that replaced
// the data files, but kept open after one that changed nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "backup/backup_run.h"
#include "backup/disk_set.h"
#include "backup/restore_run.h"
#include "corelib/files.h"
#include "corelib/folders.h"
#include "diary/dialogs/dialog_driver.h"
#include "diary/diary_store.h"
#include "diary/input_items.h"
#include "diary/records.h"
#include "diary/user_file.h"
#include "resources/resource.h"
#include "shell/pelmo_view.h"
#include "shell/shell_fixture.h"
#include "support/sandbox.h"

namespace {

DailyRecord Day(const char* date, double weight) {
    DailyRecord record = {};
    std::memcpy(record.date, date, kDateLength);
    record.weight = weight;
    return record;
}

void RegisterUser(HWND frame) {
    DialogDriver driver;
    driver.On("新規作成", [](HWND d) {
        DialogDriver::Type(d, IDC_USER_NAME, "佐藤一郎");
        DialogDriver::Type(d, IDC_USER_AGE, "40");
        SendDlgItemMessageA(d, IDC_USER_SEX, CB_SETCURSEL, 0, 0);
        DialogDriver::Type(d, IDC_USER_HEIGHT, "170");
        DialogDriver::Click(d, IDC_USER_REGISTER);
    });
    driver.On("目標を決める", [](HWND d) {
        DialogDriver::Type(d, IDC_TARGET_WEIGHT, "65.0");
        DialogDriver::Type(d, IDC_TARGET_BODYFAT, "18.0");
        DialogDriver::Type(d, IDC_TARGET_MESSAGE, "がんばる");
        DialogDriver::Click(d, IDC_TARGET_REGISTER);
    });
    SendMessageA(frame, WM_COMMAND, ID_USER_NEW, 0);
    PumpMessages(200);
    ASSERT_TRUE(driver.done()) << (driver.failures().empty() ? "" : driver.failures()[0]);
    ASSERT_TRUE(IsUserOpen());
}

// Steps that type folder into the dialog titled title and confirm it.
void ConfirmFolder(DialogDriver& driver, const char* title, const std::string& folder, const char* shot) {
    driver.On(
        title,
        [folder](HWND d) {
            DialogDriver::Type(d, IDC_BACKUP_FOLDER, folder.c_str());
            DialogDriver::Click(d, IDOK);
        },
        shot);
}

TEST(BackupCommands, BackupHoldsTheUnsavedDiaryAndRestoreLetsTheUserGo) {
    Sandbox sandbox;
    StartedFrame started;
    HWND frame = started.frame();
    RegisterUser(frame);
    ASSERT_EQ(StoreDay(Day("20240301", 70.5)).position, 1);  // in memory only, not yet saved
    const std::string folder = sandbox.path("バックアップ");
    MakeFolderPath(folder);
    {
        DialogDriver driver;
        ConfirmFolder(driver, "データ保存（バックアップ）", folder, "backup_dialog");
        SendMessageA(frame, WM_COMMAND, ID_DATA_BACKUP, 0);
        EXPECT_TRUE(driver.done());
        ASSERT_EQ(driver.boxes().size(), 2u);
        EXPECT_EQ(driver.boxes()[1].text, kBackupDoneText);
    }
    char dataFile[kFileNameSize];
    DataFileName(CurrentHeader().userNumber, dataFile);
    const Bytes saved = ReadBytes(sandbox.path(dataFile));
    ASSERT_EQ(saved.size(), sizeof(UserHeader) + sizeof(DailyRecord));
    EXPECT_EQ(ReadBytes(folder + "\\" + dataFile), saved);
    EXPECT_EQ(ReadBytes(folder + "\\ﾕｰｻﾞ.DBF"), ReadBytes(sandbox.path("ﾕｰｻﾞ.DBF")));

    // A restore that cannot begin (a file stands where its staging folder
    // goes) changes nothing: the user stays open with the day not yet saved.
    ASSERT_EQ(StoreDay(Day("20240302", 70.1)).position, 2);
    WriteBytes(StagingFolder(sandbox.folder()), Bytes{1});
    {
        DialogDriver driver;
        ConfirmFolder(driver, "データの復帰（リストア）", folder, nullptr);
        SendMessageA(frame, WM_COMMAND, ID_DATA_RESTORE, 0);
        PumpMessages(100);
        EXPECT_TRUE(driver.done());
        ASSERT_EQ(driver.boxes().size(), 3u);
        EXPECT_EQ(driver.boxes()[2].text, kRestoreNoStagingText);
    }
    EXPECT_TRUE(IsUserOpen());
    EXPECT_EQ(DiaryRecordCount(), 2u);

    FileDelete(StagingFolder(sandbox.folder()).c_str());
    {
        DialogDriver driver;
        ConfirmFolder(driver, "データの復帰（リストア）", folder, "restore_dialog");
        SendMessageA(frame, WM_COMMAND, ID_DATA_RESTORE, 0);
        PumpMessages(100);
        EXPECT_TRUE(driver.done());
        ASSERT_EQ(driver.boxes().size(), 3u);
        EXPECT_EQ(driver.boxes()[2].text, kRestoreDoneText);
    }
    EXPECT_FALSE(IsUserOpen());
    EXPECT_EQ(WindowText(frame), "ペルモ");
    EXPECT_EQ(ReadBytes(sandbox.path(dataFile)), saved);
    EXPECT_FALSE(FolderExists(StagingFolder(sandbox.folder())));
}

}  // namespace
