// Help: every "ヘルプ" button and the menu's "目次" hand the help viewer the
// address of their own topic in the data folder's help file, and the help
// file reaches the data folder at the first run and whenever it is missing
// or older than the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "backup/dialogs/backup_dialogs.h"
#include "diary/dialogs/day_dialog.h"
#include "diary/dialogs/dialog_fixture.h"
#include "diary/dialogs/user_dialogs.h"
#include "resources/resource.h"
#include "corelib/win32/help.h"
#include "shell/help_file.h"
#include "shell/pelmo_view.h"
#include "support/sandbox.h"

namespace {

struct ShownHelp {
    HWND owner;
    std::string address;
    UINT command;
};
std::vector<ShownHelp> g_help;

HWND RecordHelp(HWND owner, const char* address, UINT command) {
    g_help.push_back({owner, address, command});
    return owner ? owner : GetDesktopWindow();
}

class HelpButtons : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        g_help.clear();
        SetHelpViewer(RecordHelp);
    }
    void TearDown() override {
        SetHelpViewer(nullptr);
        DialogTest::TearDown();
    }
    std::string Address(const char* topic) const { return sandbox_.folder() + "PELMOFREE.chm::/" + topic + ".htm > MyWin01"; }
};

TEST_F(HelpButtons, EveryDialogOpensItsOwnTopic) {
    struct Case {
        const char* title;
        std::function<void()> open;
        const char* topic;
    };
    const Case cases[] = {
        {"新規作成", [] { RegisterUser(nullptr); }, "user1"},
        {"ユーザーを開く", [] { OpenUserDialog(nullptr); }, "user2"},
        {"ユーザーの修正", [] { AmendUserDialog(nullptr); }, "user3"},
        {"ユーザー情報の削除", [] { DeleteUsersDialog(nullptr); }, "user4"},
        {"目標を決める", [] { TargetDialog(nullptr, kTargetExistingUser); }, "target"},
        {"入力する項目を決める", [] { InputItemsDialog(nullptr); }, "item"},
        {"一日の記録", [] { OpenDayDialog(nullptr, 0); }, "edit2"},
        {"データ保存（バックアップ）", [] { BackupDialog(nullptr); }, "backup"},
        {"データの復帰（リストア）", [] { RestoreDialog(nullptr); }, "restore"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        g_help.clear();
        HWND dialog = nullptr;
        DialogDriver driver;
        driver.On(c.title, [&dialog](HWND d) {
            dialog = d;
            DialogDriver::Click(d, IDC_DIALOG_HELP);
        });
        driver.On(c.title, [](HWND d) { DialogDriver::Click(d, IDCANCEL); });
        c.open();
        EXPECT_TRUE(driver.done());
        EXPECT_TRUE(driver.boxes().empty());  // nothing said the help is missing
        ASSERT_EQ(g_help.size(), 1u);
        EXPECT_EQ(g_help[0].address, Address(c.topic));
        EXPECT_EQ(g_help[0].command, 1u);  // the contents, opened at the topic
        EXPECT_EQ(g_help[0].owner, dialog);
    }
    g_help.clear();
    EXPECT_TRUE(CPelmoView::OnCommand(nullptr, ID_HELP_CONTENTS));
    ASSERT_EQ(g_help.size(), 1u);
    EXPECT_EQ(g_help[0].address, Address("welcome"));
}

std::vector<char> FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<char>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void WriteFileDated(const std::string& path, const char* text, const FILETIME& time) {
    std::ofstream(path, std::ios::binary) << text;
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

FILETIME ProgramFileTime(int daysLater) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path, GetFileExInfoStandard, &data);
    ULARGE_INTEGER value = {{data.ftLastWriteTime.dwLowDateTime, data.ftLastWriteTime.dwHighDateTime}};
    value.QuadPart += static_cast<ULONGLONG>(daysLater) * 24 * 3600 * 10000000LL;
    return {value.LowPart, value.HighPart};
}

TEST(HelpFile, ReachesTheDataFolderWhenMissingOrOlderThanTheProgram) {
    Sandbox sandbox;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(instance, "PELMOFREE_CHM", MAKEINTRESOURCEA(10));
    ASSERT_NE(resource, nullptr);
    const char* begin = static_cast<const char*>(LockResource(LoadResource(instance, resource)));
    const std::vector<char> programCopy(begin, begin + SizeofResource(instance, resource));
    ASSERT_GT(programCopy.size(), 1000u);
    EXPECT_EQ(std::string(programCopy.data(), 4), "ITSF");  // a compiled help file
    const std::string path = sandbox.path("PELMOFREE.chm");

    EXPECT_TRUE(InstallHelpFile(instance));  // the first run
    EXPECT_EQ(FileBytes(path), programCopy);
    EXPECT_TRUE(FileBytes(path + ".new").empty());

    WriteFileDated(path, "from an older Pelmo", ProgramFileTime(-400));
    EXPECT_TRUE(InstallHelpFile(instance));
    EXPECT_EQ(FileBytes(path), programCopy);

    WriteFileDated(path, "from a newer Pelmo", ProgramFileTime(2));
    EXPECT_TRUE(InstallHelpFile(instance));
    EXPECT_EQ(std::string(FileBytes(path).data(), 18), "from a newer Pelmo");

    DeleteFileA(path.c_str());
    EXPECT_TRUE(InstallHelpFile(instance));
    EXPECT_EQ(FileBytes(path), programCopy);
}

}  // namespace
