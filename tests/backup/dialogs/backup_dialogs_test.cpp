// The backup and restore dialogs: what they propose, their checks and
// questions in order, and the folder browser.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "backup/backup_info.h"
#include "backup/backup_run.h"
#include "backup/dialogs/backup_dialogs.h"
#include "backup/disk_set.h"
#include "backup/restore_run.h"
#include "corelib/folders.h"
#include "corelib/msgbox.h"
#include "corelib/registry.h"
#include "diary/dialogs/dialog_driver.h"
#include "resources/resource.h"
#include "shell/application.h"
#include "shell/shell_fixture.h"
#include "support/sandbox.h"

namespace {

const char kBackupTitle[] = "データ保存（バックアップ）";
const char kRestoreTitle[] = "データの復帰（リストア）";
constexpr unsigned kRefusal = kMbOk | kMbIconInformation;
constexpr unsigned kQuestion = kMbYesNo | kMbIconQuestion;

struct Box {
    std::string text;
    unsigned type;
};

struct Case {
    std::string typed;         // the folder the person types
    std::vector<int> answers;  // to the questions, in order
    std::vector<Box> boxes;    // every box, in order
    int result;                // 1: the dialog ended confirmed
};

void WriteInfo(const std::string& folder, uint16_t disk) {
    BackupInfo info = {};
    info.diskNumber = disk;
    info.startTime = {2024, 2, 4, 29, 23, 59, 58, 999};
    info.fileCount = 3;
    MakeFolderPath(folder);
    WriteBackupInfo(folder, info);
}

// The path of folder through drive Z:, the root of the Unix file system under
// Wine: another way to the same folder. "" where the program does not run under Wine.
std::string ThroughDriveZ(const std::string& folder) {
    using UnixName = char*(CDECL*)(const WCHAR*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return std::string();
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, MAX_PATH);
    char* name = unixName(wide);
    if (!name) return std::string();
    std::string path = std::string("Z:") + name;
    HeapFree(GetProcessHeap(), 0, name);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The name of the folder selected in the browser's tree.
std::string SelectedFolderName(HWND browser) {
    HWND tree = FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
    char text[MAX_PATH] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

class FolderDialogs : public ::testing::Test {
protected:
    void SetUp() override { InitializePelmoProcess(GetModuleHandleA(nullptr)); }

    // For each case: the dialog opens on the last confirmed folder (on the
    // first floppy drive, A:, before any), all of it selected; the person
    // types the case's folder and confirms; a dialog that stayed open is
    // cancelled. Every box is checked, in order.
    void Run(const char* title, INT_PTR (*dialog)(HWND), const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.typed);
            const std::string last = Setting("BackupDir") == "<missing>" ? "A:\\" : Setting("BackupDir");
            DialogDriver driver;
            for (int answer : c.answers) driver.Answer(answer);
            driver.On(title, [&](HWND d) {
                DWORD selection = 0;
                SendDlgItemMessageA(d, IDC_BACKUP_FOLDER, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&selection));
                EXPECT_EQ(DialogDriver::Text(d, IDC_BACKUP_FOLDER), last);
                EXPECT_EQ(selection, static_cast<DWORD>(GetWindowTextLengthW(GetDlgItem(d, IDC_BACKUP_FOLDER))));
                EXPECT_EQ(DialogDriver::FocusId(d), IDC_BACKUP_FOLDER);
                DialogDriver::Type(d, IDC_BACKUP_FOLDER, c.typed.c_str());
                SendMessageA(d, WM_COMMAND, IDOK, 0);
                if (IsWindowVisible(d)) {
                    EXPECT_EQ(DialogDriver::Text(d, IDC_BACKUP_FOLDER), c.typed) << "a refusal keeps the text";
                    PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
                }
            });
            EXPECT_EQ(dialog(nullptr), c.result);
            EXPECT_TRUE(driver.done());
            ASSERT_EQ(driver.boxes().size(), c.boxes.size());
            for (std::size_t i = 0; i < c.boxes.size(); ++i) {
                EXPECT_EQ(driver.boxes()[i].text, c.boxes[i].text);
                EXPECT_EQ(driver.boxes()[i].caption, title == kBackupTitle ? "保存先について" : "復帰元について");
                EXPECT_EQ(driver.boxes()[i].type, c.boxes[i].type);
            }
        }
    }
    std::string Folder(const char* name) const { return sandbox_.path(name); }

    Sandbox sandbox_;
};

TEST_F(FolderDialogs, BackupChecksTheFolderInOrder) {
    const std::string data = sandbox_.folder();
    std::string upper = data.substr(0, data.size() - 1);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    PutFiles(Folder("other"), {{"GAME.DAT", Bytes{1, 2, 3}}});
    WriteInfo(Folder("earlier\\"), 1);
    MakeFolderPath(Folder("empty"));
    std::string lowerEmpty = Folder("empty");
    lowerEmpty[0] = static_cast<char>(lowerEmpty[0] - 'A' + 'a');
    const std::string noDrive = "指定されたドライブは存在しません。\n保存先をもう一度、確認してみて下さい。";
    const Box dataFolder = {
        "指定されたフォルダは、データフォルダと一致します。保存することはできません。\n保存先フォルダを変更してください。",
        kRefusal};
    const std::string staging = StagingFolder(data);  // left by a restore that could not put every file in place
    MakeFolderPath(staging);
    const Box stagingFolder = {"指定されたフォルダは、データの復帰に使う作業用のフォルダ(Restore.Temp)です。"
                               "保存することはできません。\n保存先フォルダを変更してください。",
                               kRefusal};
    const Box create = {"指定されたフォルダは存在しません。\n新しくフォルダを作成しますか？", kQuestion};
    auto onDisk = [](const std::string& folder) {
        return Box{"ハードディスクの\n" + folder + "に保存します。\n\nよろしいですか？", kQuestion};
    };
    std::vector<Case> cases = {
        {"Q:\\backup", {}, {{noDrive, kRefusal}}, 0},
        {"backup\\here", {}, {{noDrive, kRefusal}}, 0},  // no drive letter
        {"d:\\", {}, {{"ＣＤ－ＲＯＭドライブには保存できません。\n保存先をもう一度、確認してみて下さい。", kRefusal}}, 0},
        {data, {}, {dataFolder}, 0},
        {upper, {}, {dataFolder}, 0},  // other case, no final backslash
        {Folder("other\\..\\"), {}, {dataFolder}, 0},
        {staging, {}, {stagingFolder}, 0},
        {data + "restore.temp\\", {}, {stagingFolder}, 0},
        {Folder("other"), {}, {{kBackupOtherFilesText, kRefusal}}, 0},
        {Folder("新規\\sub"), {kIdNo}, {create}, 0},
        {Folder("earlier"), {kIdNo},
         {{"指定された保存先は2024年2月29日 23時59分に保存されています。\n以前のデータは消去されますがよろしいですか？",
           kQuestion | kMbDefButton2}},
         0},
        {Folder("新規\\sub"), {kIdYes, kIdYes}, {create, onDisk(Folder("新規\\sub\\"))}, 1},
        {lowerEmpty, {kIdYes}, {onDisk(lowerEmpty + "\\")}, 1},
    };
    // The data folder through drive Z: is the same folder.
    if (std::string z = ThroughDriveZ(data); !z.empty()) cases.push_back({z, {}, {dataFolder}, 0});
    Run(kBackupTitle, BackupDialog, cases);
    EXPECT_TRUE(FolderExists(Folder("新規\\sub")));
    EXPECT_EQ(FilesOf(Folder("other")).size(), 1u);
    EXPECT_EQ(Setting("BackupDir"), lowerEmpty + "\\");
}

TEST_F(FolderDialogs, RestoreChecksTheFolderInOrder) {
    WriteInfo(Folder("disk2\\"), 2);
    WriteInfo(Folder("１枚目\\"), 1);
    PutFiles(Folder("damaged"), {{"PLBKINFO.DAT", Bytes(9, 0x31)}});  // written over by another program
    MakeFolderPath(Folder("nothing"));
    const std::string again = "\n復帰元をもう一度、確認してみて下さい。";
    const Box saved = {"指定された復帰元は2024年2月29日 23時59分に保存されています。\n"
                       "復帰するとパソコンにあるダイエットの全データは消えて、復帰元のデータに差し変わります。\n\nよろしいですか？",
                       kQuestion | kMbDefButton2};
    Run(kRestoreTitle, RestoreDialog,
        {
            {"Q:\\", {}, {{"指定されたドライブは存在しません。" + again, kRefusal}}, 0},
            {"D:\\", {}, {{"ＣＤ－ＲＯＭドライブからは復帰できません。" + again, kRefusal}}, 0},
            {Folder("none"), {}, {{"指定されたフォルダは存在しません。" + again, kRefusal}}, 0},
            {Folder("nothing"), {}, {{"指定された復帰元にはデータは存在しませんでした。" + again, kRefusal}}, 0},
            {Folder("damaged"), {},
             {{"指定された復帰元の保存情報ファイル(PLBKINFO.DAT)が壊れているため、復帰できません。" + again, kRefusal}},
             0},
            {Folder("disk2"), {}, {{"指定された復帰元は 2枚目のフロッピーです。\n1枚目のフロッピーを入れて下さい。", kRefusal}}, 0},
            {Folder("１枚目"), {kIdYes, kIdYes},
             {saved, {"ハードディスクの\n" + Folder("１枚目\\") + "から復帰します。\n\nよろしいですか？", kQuestion}}, 1},
            {Folder("１枚目"), {kIdNo}, {saved}, 0},
        });
    EXPECT_FALSE(FolderExists(Folder("none")));
    EXPECT_EQ(Setting("BackupDir"), Folder("１枚目\\"));
}

// The browser opens on the folder of the field: confirmed at once, it gives
// that folder back, as the browser writes it (without a final backslash).
TEST_F(FolderDialogs, BrowserOpensOnTheTypedFolder) {
    const std::string folder = Folder("保存先");
    MakeFolderPath(folder);
    DialogDriver driver;
    std::string selected, shown;
    driver.On(kBackupTitle, [&folder](HWND d) {
        DialogDriver::Type(d, IDC_BACKUP_FOLDER, (folder + "\\").c_str());
        DialogDriver::Click(d, IDC_BACKUP_BROWSE);
    });
    driver.On(
        "フォルダーの参照",
        [&selected](HWND d) {
            // A person sees the browser open on the folder, then presses OK.
            for (DWORD until = GetTickCount() + 3000; GetTickCount() < until && selected != "保存先"; PumpMessages(20))
                selected = SelectedFolderName(d);
            DialogDriver::Click(d, IDOK);
        },
        "browser");
    driver.On(kBackupTitle, [&shown](HWND d) {
        shown = DialogDriver::Text(d, IDC_BACKUP_FOLDER);
        DialogDriver::Click(d, IDCANCEL);
    });
    EXPECT_EQ(BackupDialog(nullptr), 0);
    EXPECT_TRUE(driver.done()) << (driver.failures().empty() ? "" : driver.failures()[0]);
    EXPECT_EQ(selected, "保存先");
    EXPECT_EQ(shown, folder);
}

}  // namespace
