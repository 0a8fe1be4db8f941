// Backup and restore from the menu of the running program: the open user's
// diary is saved before the backup, and let go after a restore that replaced
// the data files, but kept open after one that changed nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <utility>

#include "backup/backup_run.h"
#include "backup/disk_set.h"
#include "backup/restore_run.h"
#include "corelib/files.h"
#include "corelib/folders.h"
#include "corelib/msgbox.h"
#include "diary/dialogs/dialog_driver.h"
#include "diary/diary_store.h"
#include "diary/input_items.h"
#include "diary/records.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "resources/resource.h"
#include "shell/last_user.h"
#include "shell/shell_fixture.h"
#include "support/sandbox.h"

namespace {

DailyRecord Day(const char* date, double weight) {
    DailyRecord record = {};
    std::memcpy(record.date, date, kDateLength);
    record.weight = weight;
    return record;
}

MessageBoxFunction g_driverBox;
HWND g_endingFrame;

// The Windows session ends while the restore's end is told.
int EndSessionDuringBox(void* owner, const char* text, const char* caption, unsigned type) {
    if (std::strcmp(text, kRestoreDoneText) != 0) return g_driverBox(owner, text, caption, type);
    EXPECT_NE(SendMessageA(g_endingFrame, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
    SendMessageA(g_endingFrame, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    return g_driverBox(owner, text, caption, type);
}

// The texts of the boxes shown while the menu command runs, the person
// confirming folder in its dialog titled title.
std::vector<std::string> RunCommand(HWND frame, int command, const char* title, const std::string& folder,
                                    const char* shot, bool sessionEnds = false) {
    DialogDriver driver;
    g_endingFrame = frame;
    if (sessionEnds) g_driverBox = SetMessageBoxFunction(EndSessionDuringBox);
    driver.On(
        title,
        [&folder](HWND d) {
            DialogDriver::Type(d, IDC_BACKUP_FOLDER, folder.c_str());
            DialogDriver::Click(d, IDOK);
        },
        shot);
    SendMessageA(frame, WM_COMMAND, command, 0);
    PumpMessages(100);
    if (sessionEnds) SetMessageBoxFunction(g_driverBox);
    EXPECT_TRUE(driver.done());
    std::vector<std::string> texts;
    for (const RecordedBox& box : driver.boxes()) texts.push_back(box.text);
    return texts;
}

TEST(BackupCommands, BackupHoldsTheUnsavedDiaryAndRestoreLetsTheUserGo) {
    Sandbox sandbox;
    RegisterStoredUser(0, "佐藤一郎", "");
    RegisterStoredUser(1, "田中", "");
    SetSetting("UserName", "佐藤一郎");
    StartedFrame started;
    HWND frame = started.frame();
    ASSERT_TRUE(IsUserOpen());
    ASSERT_EQ(StoreDay(Day("20240301", 70.5)).position, 1);  // in memory only, not yet saved
    const std::string folder = sandbox.path("バックアップ");
    MakeFolderPath(folder);
    std::vector<std::string> texts = RunCommand(frame, ID_DATA_BACKUP, "データ保存（バックアップ）", folder, "backup_dialog");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], kBackupDoneText);
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
    texts = RunCommand(frame, ID_DATA_RESTORE, "データの復帰（リストア）", folder, nullptr);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2], kRestoreNoStagingText);
    EXPECT_TRUE(IsUserOpen());
    EXPECT_EQ(DiaryRecordCount(), 2u);

    // The session ends while the restore's end is told: the diary in memory
    // must not be written over the restored one. The person is then back in
    // the diary, as the restored files hold it.
    FileDelete(StagingFolder(sandbox.folder()).c_str());
    texts = RunCommand(frame, ID_DATA_RESTORE, "データの復帰（リストア）", folder, "restore_dialog", true);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2], kRestoreDoneText);
    EXPECT_EQ(ReadBytes(sandbox.path(dataFile)), saved);
    EXPECT_FALSE(FolderExists(StagingFolder(sandbox.folder())));
    ASSERT_TRUE(IsUserOpen());
    EXPECT_STREQ(CurrentHeader().name, "佐藤一郎");
    EXPECT_EQ(DiaryRecordCount(), 1u);
    EXPECT_EQ(WindowText(frame).rfind("佐藤一郎 - ペルモ", 0), 0u);

    // A user who is not in the restored data (registered after the backup,
    // with the number of a user deleted since) is named, and the open dialog offered.
    ASSERT_TRUE(DeleteUserOfRow(UserRowOfName("田中"), "田中").deleted);
    RegisterStoredUser(1, "鈴木花子", "");
    ASSERT_TRUE(LoadUser(UserRowOfName("鈴木花子")).done);
    bool offered = false;
    WhenDialogAppears("ユーザーを開く", [&offered](HWND dialog) {
        offered = true;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    texts = RunCommand(frame, ID_DATA_RESTORE, "データの復帰（リストア）", folder, nullptr);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[2], kRestoreDoneText);
    char notRestored[256];
    std::snprintf(notRestored, sizeof notRestored, kUserNotRestoredFormat, "鈴木花子");
    EXPECT_EQ(texts[3], notRestored);
    EXPECT_FALSE(IsUserOpen());
    EXPECT_TRUE(offered);
}

// What the screen shows at points of a rectangle, skipping those inside skip.
std::vector<COLORREF> ScreenPixels(const RECT& where, const RECT& skip) {
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (LONG y = where.top + 2; y < where.bottom; y += 7)
        for (LONG x = where.left + 2; x < where.right; x += 7) {
            POINT point = {x, y};
            if (!PtInRect(&skip, point)) pixels.push_back(GetPixel(screen, x, y));
        }
    ReleaseDC(nullptr, screen);
    return pixels;
}

RECT g_folderDialog, g_progress;
std::vector<COLORREF> g_whileRunning;

// The free space of the backup folder is asked before the first file is
// copied, while the progress window is up and before any message is handled:
// the screen where the folder dialog was is looked at then.
std::int64_t LookBehindTheProgressWindow(const std::string& folder) {
    HWND progress = FindWindowA("#32770", "データの保存");
    if (progress && IsWindowVisible(progress) && g_whileRunning.empty()) {
        GetWindowRect(progress, &g_progress);
        g_whileRunning = ScreenPixels(g_folderDialog, g_progress);
    }
    return FolderFreeBytes(folder);
}

// While a progress window is up, the screen around it shows the diary
// window, not the picture of the folder dialog that started the run (the
// restore's and the backup's progress windows open alike).
TEST(BackupCommands, NoPictureOfTheFolderDialogStaysBehindTheProgressWindow) {
    Sandbox sandbox;
    std::vector<std::string> days;
    for (int day = 1; day <= 28; ++day) days.push_back("202402" + std::string(day < 10 ? "0" : "") + std::to_string(day));
    RegisterStoredUser(0, "佐藤一郎", "", days);
    SetSetting("UserName", "佐藤一郎");
    StartedFrame started;
    HWND frame = started.frame();
    const std::string folder = sandbox.path("バックアップ");
    MakeFolderPath(folder);
    PumpMessages(300);

    DialogDriver driver;
    driver.On("データ保存（バックアップ）", [&folder](HWND dialog) {
        GetWindowRect(dialog, &g_folderDialog);
        DialogDriver::Type(dialog, IDC_BACKUP_FOLDER, folder.c_str());
        DialogDriver::Click(dialog, IDOK);
    });
    g_whileRunning.clear();
    SetFreeSpaceFunction(LookBehindTheProgressWindow);
    SendMessageA(frame, WM_COMMAND, ID_DATA_BACKUP, 0);
    SetFreeSpaceFunction(nullptr);
    PumpMessages(300);
    ASSERT_TRUE(driver.done());
    ASSERT_FALSE(g_whileRunning.empty());
    const std::vector<COLORREF> after = ScreenPixels(g_folderDialog, g_progress);
    ASSERT_EQ(after.size(), g_whileRunning.size());
    std::size_t differ = 0;
    for (std::size_t i = 0; i < after.size(); ++i) differ += after[i] != g_whileRunning[i];
    EXPECT_LT(differ, after.size() / 20) << differ << " of " << after.size() << " points showed something else";
}

// A hard disk whose space runs out is told as such, with the folder, and
// never as a floppy to change; the folder holds no part of the backup.
TEST(BackupCommands, AFullHardDiskIsToldAsSuchAndLeftWithoutAPartialSet) {
    Sandbox sandbox;
    RegisterStoredUser(0, "佐藤一郎", "", {"20240301", "20240302"});
    const std::string folder = sandbox.path("バックアップ\\");
    MakeFolderPath(folder);
    static std::int64_t s_free;
    s_free = 100000;
    SetFreeSpaceFunction([](const std::string&) { return std::exchange(s_free, 10); });
    StartedFrame started;
    std::vector<std::string> texts = RunCommand(started.frame(), ID_DATA_BACKUP, "データ保存（バックアップ）", folder, nullptr);
    SetFreeSpaceFunction(nullptr);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].rfind("保存先の空き容量が足りません。\n\n保存先：" + folder + "\n必要な空き容量：", 0), 0u) << texts[1];
    EXPECT_TRUE(ListFolderFiles(folder, nullptr).empty());
}

}  // namespace
