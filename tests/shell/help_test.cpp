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
#include "corelib/environment.h"
#include "corelib/msgbox.h"
#include "diary/dialogs/day_dialog.h"
#include "diary/dialogs/dialog_fixture.h"
#include "diary/dialogs/user_dialogs.h"
#include "export/files/import_preview.h"
#include "report/printing/period_dialog.h"
#include "report/printing/report_test_diary.h"
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
    static ImportPlan plan;
    static ExistingDay existing;
    const ReportTestDiary diary({2026, 1, 5}, 3);
    PeriodChoice period = {MonthPeriod(2026, 1), diary.records.data(), 3, "印刷(&P)..."};
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
        {"読み込む前の確認", [] { ImportPreviewDialog(nullptr, DayTable(), "表.csv", &plan, &existing); }, "csv"},
        {"印刷する期間", [&period] { ChooseReportPeriod(GetModuleHandleA(nullptr), nullptr, &period); }, "print"},
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

// The Unix name of a Windows path, as Wine's own kernel32 gives it.
std::string UnixPath(const std::string& path) {
    using Convert = char*(CDECL*)(const WCHAR*);
    auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return std::string();
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* unix = convert(wide);
    std::string result = unix ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

// A file address of the host ("file:///home/...") as the Windows path of Wine's Z: drive.
std::wstring HostFileOfAddress(const std::string& address) {
    const std::string prefix = "file://";
    if (address.compare(0, prefix.size(), prefix) != 0) return std::wstring();
    std::string path;
    for (size_t i = prefix.size(); i < address.size(); ++i) {
        if (address[i] == '%' && i + 2 < address.size()) {
            path += static_cast<char>(std::stoi(address.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            path += address[i] == '/' ? '\\' : address[i];
        }
    }
    wchar_t wide[2 * MAX_PATH] = {};
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide, 2 * MAX_PATH);
    return L"Z:" + std::wstring(wide);
}

std::string WideFileText(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string text(1 << 16, '\0');
    DWORD read = 0;
    ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return text;
}

// Wine's browser list (HKCU\Software\Wine\WineBrowser "Browsers") names the
// stand-in for the length of a test and gets its old value back.
class StandInBrowser {
public:
    explicit StandInBrowser(const Sandbox& sandbox) : record_(sandbox.path("address.txt")) {
        const std::string script = sandbox.path("browser.sh");
        std::ofstream(script, std::ios::binary) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << UnixPath(record_) << ".part'\n"
                                                << "mv '" << UnixPath(record_) << ".part' '" << UnixPath(record_) << "'\n";
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        char old[512] = {};
        DWORD size = sizeof old;
        DWORD type = 0;
        hadValue_ = RegQueryValueExA(key_, "Browsers", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
        if (hadValue_) old_.assign(old, size);
        oldType_ = type;
        const std::string command = "/bin/sh \"" + UnixPath(script) + "\"";
        RegSetValueExA(key_, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
    }
    ~StandInBrowser() {
        if (hadValue_)
            RegSetValueExA(key_, "Browsers", 0, oldType_, reinterpret_cast<const BYTE*>(old_.data()), static_cast<DWORD>(old_.size()));
        else
            RegDeleteValueA(key_, "Browsers");
        RegCloseKey(key_);
    }
    StandInBrowser(const StandInBrowser&) = delete;
    StandInBrowser& operator=(const StandInBrowser&) = delete;

    // The address the stand-in was started with; empty when it was not within ten seconds.
    std::string NextAddress() {
        for (int waited = 0; waited < 10000; waited += 50) {
            std::ifstream file(record_, std::ios::binary);
            if (file) {
                std::string address((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
                file.close();
                DeleteFileA(record_.c_str());
                return address;
            }
            Sleep(50);
        }
        return std::string();
    }

private:
    std::string record_;
    HKEY key_ = nullptr;
    bool hadValue_ = false;
    DWORD oldType_ = REG_SZ;
    std::string old_;
};

std::vector<RecordedBox> g_boxes;
int RecordBox(void*, const char* text, const char* caption, unsigned type) {
    g_boxes.push_back({text, caption, type});
    return kIdOk;
}

// Under Wine a topic opens in the host's browser, at the page the program
// wrote beside its data, which is that topic's page of the compiled help.
TEST(HelpPages, UnderWineEachTopicOpensInTheHostsBrowser) {
    if (!RunsUnderWine()) GTEST_SKIP() << "the compiled help shows the topics";
    Sandbox sandbox;
    ASSERT_TRUE(InstallHelpPages(GetModuleHandleA(nullptr)));
    StandInBrowser browser(sandbox);
    const struct {
        const char* topic;
        const char* title;
    } topics[] = {
        {"welcome", "ペルモへようこそ"},         {"user1", "ユーザーの新規作成"},
        {"user4", "ユーザー情報の削除"},         {"edit2", "一日の記録"},
        {"restore", "データの復帰（リストア）"},   {"trend", "体重の傾向"},
        {"csv", "CSVファイル（書き出し・読み込み）"}, {"print", "印刷（体重の記録）"},
    };
    for (const auto& t : topics) {
        SCOPED_TRACE(t.topic);
        ASSERT_TRUE(OpenHelpTopic(nullptr, t.topic));
        const std::string address = browser.NextAddress();
        ASSERT_EQ(address.compare(0, 8, "file:///"), 0) << address;
        const std::string page = WideFileText(HostFileOfAddress(address));
        EXPECT_EQ(page, WideFileText(HostFileOfAddress("file://" + UnixPath(HelpPagePath(t.topic))))) << address;
        EXPECT_NE(page.find(std::string("<title>") + t.title + "</title>"), std::string::npos) << address;
        EXPECT_NE(page.find("charset=Shift_JIS"), std::string::npos);
    }
    // A data folder with a blank and Japanese in its name ("Pelmo free" is the usual one).
    const std::string folder = sandbox.path("Pelmo free ペルモ\\");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    SetDataFolderOverride(folder);
    const std::wstring keys = FileAddress(folder + "Help\\keys.htm");
    const std::wstring tail = L"/Pelmo%20free%20\u30da\u30eb\u30e2/Help/keys.htm";
    EXPECT_EQ(keys.compare(0, 8, L"file:///"), 0);
    EXPECT_EQ(keys.substr(keys.size() - tail.size()), tail);
    ASSERT_TRUE(InstallHelpPages(GetModuleHandleA(nullptr)));
    ASSERT_TRUE(OpenHelpTopic(nullptr, "keys"));
    const std::string address = browser.NextAddress();
    EXPECT_NE(WideFileText(HostFileOfAddress(address)).find("<title>キー操作</title>"), std::string::npos) << address;
    SetDataFolderOverride(sandbox.folder());

    // Its picture and style sheet are beside it.
    EXPECT_NE(GetFileAttributesA(sandbox.path("Help\\pelmo.css").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA(sandbox.path("Help\\images\\user1.png").c_str()), INVALID_FILE_ATTRIBUTES);

    // A page that is not there is told, and no browser starts.
    g_boxes.clear();
    SetMessageBoxFunction(RecordBox);
    EXPECT_FALSE(OpenHelpTopic(nullptr, "nosuchtopic"));
    SetMessageBoxFunction(nullptr);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].text, kHelpPageMissingText);
    EXPECT_EQ(g_boxes[0].caption, kHelpCaption);
}

}  // namespace
