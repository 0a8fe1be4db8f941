// The backup and restore dialogs: what they propose, their checks and
// questions in order, and the folder browser.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "backup/backup_info.h"
#include "backup/backup_run.h"
#include "backup/dialogs/backup_dialogs.h"
#include "backup/disk_set.h"
#include "corelib/folders.h"
#include "corelib/msgbox.h"
#include "corelib/registry.h"
#include "diary/dialogs/dialog_driver.h"
#include "resources/resource.h"
#include "shell/application.h"
#include "support/sandbox.h"

namespace {

const char kBackupTitle[] = "データ保存（バックアップ）";
const char kRestoreTitle[] = "データの復帰（リストア）";
constexpr unsigned kRefusal = kMbOk | kMbIconInformation;
constexpr unsigned kQuestion = kMbYesNo | kMbIconQuestion;

struct Expected {
    std::string text;
    unsigned type;
};

struct Case {
    const char* what;
    std::function<std::string()> typed;  // the folder the person types
    std::vector<int> answers;            // to the questions, in order
    std::vector<Expected> boxes;         // every box, in order
    int result;                          // 1: the dialog ended confirmed
};

std::string Setting(const char* name) {
    char text[256] = {};
    return GetRegistryValue(name, text, 255, kAreaSettings) ? text : "<missing>";
}

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

void PumpFor(DWORD milliseconds) {
    for (DWORD until = GetTickCount() + milliseconds; GetTickCount() < until; Sleep(5)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

class FolderDialogs : public ::testing::Test {
protected:
    void SetUp() override { InitializePelmoProcess(GetModuleHandleA(nullptr)); }

    // Types the case's folder, presses the confirm button, and cancels
    // the dialog when it stayed open.
    void Run(const char* title, INT_PTR (*dialog)(HWND), const Case& c) {
        DialogDriver driver;
        for (int answer : c.answers) driver.Answer(answer);
        std::string typed = c.typed();
        driver.On(title, [&typed](HWND d) {
            DialogDriver::Type(d, IDC_BACKUP_FOLDER, typed.c_str());
            SendMessageA(d, WM_COMMAND, IDOK, 0);
            if (IsWindowVisible(d)) {
                EXPECT_EQ(DialogDriver::Text(d, IDC_BACKUP_FOLDER), typed) << "a refusal keeps the text";
                PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
            }
        });
        EXPECT_EQ(dialog(nullptr), c.result) << c.what;
        EXPECT_TRUE(driver.done()) << c.what;
        ASSERT_EQ(driver.boxes().size(), c.boxes.size()) << c.what;
        for (std::size_t i = 0; i < c.boxes.size(); ++i) {
            EXPECT_EQ(driver.boxes()[i].text, c.boxes[i].text) << c.what;
            EXPECT_EQ(driver.boxes()[i].caption, title == kBackupTitle ? "保存先について" : "復帰元について") << c.what;
            EXPECT_EQ(driver.boxes()[i].type, c.boxes[i].type) << c.what;
        }
    }
    std::string Folder(const char* name) const { return sandbox_.path(name); }

    Sandbox sandbox_;
};

TEST_F(FolderDialogs, OpenWithTheLastFolderOrTheFirstFloppyDrive) {
    for (const char* stored : {"", "C:\\保存\\"}) {
        if (*stored) SetRegistryValue("BackupDir", stored, kAreaSettings);
        for (auto dialog : {BackupDialog, RestoreDialog}) {
            DialogDriver driver;
            std::string shown;
            DWORD selection = 0, length = 0;
            int focus = 0;
            auto look = [&](HWND d) {
                shown = DialogDriver::Text(d, IDC_BACKUP_FOLDER);
                SendDlgItemMessageA(d, IDC_BACKUP_FOLDER, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&selection));
                length = static_cast<DWORD>(GetWindowTextLengthW(GetDlgItem(d, IDC_BACKUP_FOLDER)));  // in characters
                focus = DialogDriver::FocusId(d);
                DialogDriver::Click(d, IDCANCEL);
            };
            driver.On(dialog == BackupDialog ? kBackupTitle : kRestoreTitle, look);
            EXPECT_EQ(dialog(nullptr), 0);
            EXPECT_EQ(shown, *stored ? stored : "A:\\");  // drive A: is a floppy drive
            EXPECT_EQ(selection, length);  // all of it selected
            EXPECT_EQ(focus, IDC_BACKUP_FOLDER);
        }
    }
}

TEST_F(FolderDialogs, BackupChecksTheFolderInOrder) {
    const std::string data = sandbox_.folder();
    std::string upper = data;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    MakeFolderPath(Folder("other"));
    WriteBytes(Folder("other\\GAME.DAT"), Bytes{1, 2, 3});
    WriteInfo(Folder("earlier\\"), 1);
    MakeFolderPath(Folder("empty"));
    std::string lowerEmpty = Folder("empty");
    lowerEmpty[0] = static_cast<char>(lowerEmpty[0] - 'A' + 'a');
    const std::string noDrive = "指定されたドライブは存在しません。\n保存先をもう一度、確認してみて下さい。";
    const std::string dataFolder =
        "指定されたフォルダは、データフォルダと一致します。保存することはできません。\n保存先フォルダを変更してください。";
    const std::string create = "指定されたフォルダは存在しません。\n新しくフォルダを作成しますか？";
    auto onDisk = [](const std::string& folder) { return "ハードディスクの\n" + folder + "に保存します。\n\nよろしいですか？"; };
    const std::vector<Case> cases = {
        {"no such drive", [] { return std::string("Q:\\backup"); }, {}, {{noDrive, kRefusal}}, 0},
        {"no drive letter", [] { return std::string("backup\\here"); }, {}, {{noDrive, kRefusal}}, 0},
        {"CD-ROM", [] { return std::string("d:\\"); }, {},
         {{"ＣＤ－ＲＯＭドライブには保存できません。\n保存先をもう一度、確認してみて下さい。", kRefusal}}, 0},
        {"data folder", [&] { return data; }, {}, {{dataFolder, kRefusal}}, 0},
        {"data folder, other case, no backslash", [&] { return upper.substr(0, upper.size() - 1); }, {},
         {{dataFolder, kRefusal}}, 0},
        {"data folder by ..", [&] { return Folder("other\\..\\"); }, {}, {{dataFolder, kRefusal}}, 0},
        {"someone else's files", [&] { return Folder("other"); }, {},
         {{kBackupOtherFilesText, kRefusal}}, 0},
        {"missing folder, not created", [&] { return Folder("new\\sub"); }, {kIdNo}, {{create, kQuestion}}, 0},
        {"earlier backup, kept", [&] { return Folder("earlier"); }, {kIdNo},
         {{"指定された保存先は2024年2月29日 23時59分に保存されています。\n以前のデータは消去されますがよろしいですか？",
           kQuestion | kMbDefButton2}},
         0},
        {"missing folder, created", [&] { return Folder("new\\sub"); }, {kIdYes, kIdYes},
         {{create, kQuestion}, {onDisk(Folder("new\\sub\\")), kQuestion}}, 1},
        {"lower-case drive letter", [&] { return lowerEmpty; }, {kIdYes}, {{onDisk(lowerEmpty + "\\"), kQuestion}}, 1},
    };
    for (const Case& c : cases) Run(kBackupTitle, BackupDialog, c);
    EXPECT_TRUE(FolderExists(Folder("new\\sub")));
    EXPECT_EQ(FilesOf(Folder("other")).size(), 1u);
    EXPECT_EQ(Setting("BackupDir"), lowerEmpty + "\\");
    // The data folder through drive Z: is the same folder.
    const std::string z = ThroughDriveZ(data);
    if (!z.empty()) Run(kBackupTitle, BackupDialog, {"data folder through Z:", [&] { return z; }, {}, {{dataFolder, kRefusal}}, 0});
}

TEST_F(FolderDialogs, RestoreChecksTheFolderInOrder) {
    WriteInfo(Folder("disk2\\"), 2);
    WriteInfo(Folder("disk1\\"), 1);
    MakeFolderPath(Folder("damaged"));
    WriteBytes(Folder("damaged\\PLBKINFO.DAT"), Bytes(9, 0x31));  // written over by another program
    MakeFolderPath(Folder("nothing"));
    const std::string noBackup = "指定された復帰元にはデータは存在しませんでした。\n復帰元をもう一度、確認してみて下さい。";
    const std::string saved =
        "指定された復帰元は2024年2月29日 23時59分に保存されています。\n"
        "復帰するとパソコンにあるダイエットの全データは消えて、復帰元のデータに差し変わります。\n\nよろしいですか？";
    const std::vector<Case> cases = {
        {"no such drive", [] { return std::string("Q:\\"); }, {},
         {{"指定されたドライブは存在しません。\n復帰元をもう一度、確認してみて下さい。", kRefusal}}, 0},
        {"CD-ROM", [] { return std::string("D:\\"); }, {},
         {{"ＣＤ－ＲＯＭドライブからは復帰できません。\n復帰元をもう一度、確認してみて下さい。", kRefusal}}, 0},
        {"missing folder", [&] { return Folder("none"); }, {},
         {{"指定されたフォルダは存在しません。\n復帰元をもう一度、確認してみて下さい。", kRefusal}}, 0},
        {"no backup", [&] { return Folder("nothing"); }, {}, {{noBackup, kRefusal}}, 0},
        {"damaged information file", [&] { return Folder("damaged"); }, {},
         {{"指定された復帰元の保存情報ファイル(PLBKINFO.DAT)が壊れているため、復帰できません。\n"
           "復帰元をもう一度、確認してみて下さい。",
           kRefusal}},
         0},
        {"second disk", [&] { return Folder("disk2"); }, {},
         {{"指定された復帰元は 2枚目のフロッピーです。\n1枚目のフロッピーを入れて下さい。", kRefusal}}, 0},
        {"not now", [&] { return Folder("disk1"); }, {kIdNo}, {{saved, kQuestion | kMbDefButton2}}, 0},
        {"confirmed", [&] { return Folder("disk1"); }, {kIdYes, kIdYes},
         {{saved, kQuestion | kMbDefButton2},
          {"ハードディスクの\n" + Folder("disk1\\") + "から復帰します。\n\nよろしいですか？", kQuestion}},
         1},
    };
    for (const Case& c : cases) Run(kRestoreTitle, RestoreDialog, c);
    EXPECT_FALSE(FolderExists(Folder("none")));
    EXPECT_EQ(Setting("BackupDir"), Folder("disk1\\"));
}

// The browser opens on the folder of the field: confirmed at once, it gives
// that folder back, as the browser writes it (without a final backslash).
TEST_F(FolderDialogs, BrowserOpensOnTheTypedFolder) {
    MakeFolderPath(Folder("保存先"));
    const std::string folder = Folder("保存先");
    DialogDriver driver;
    std::string shown;
    driver.On(kBackupTitle, [&folder](HWND d) {
        DialogDriver::Type(d, IDC_BACKUP_FOLDER, (folder + "\\").c_str());
        DialogDriver::Click(d, IDC_BACKUP_BROWSE);
    });
    std::string selected;
    driver.On(
        "フォルダーの参照",
        [&selected](HWND d) {
            // A person sees the browser open on the folder, then presses OK.
            for (DWORD until = GetTickCount() + 3000; GetTickCount() < until && selected != "保存先";) {
                selected = SelectedFolderName(d);
                PumpFor(20);
            }
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
