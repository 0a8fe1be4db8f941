// The shell's own commands: the web page launcher, help and the About box.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "corelib/msgbox.h"
#include "corelib/registry.h"
#include "corelib/win32/help.h"
#include "resources/resource.h"
#include "shell/about_dialog.h"
#include "shell/application.h"
#include "shell/web_launcher.h"
#include "shell_fixture.h"
#include "support/sandbox.h"

namespace {

struct ShownBox {
    std::string text;
    std::string caption;
    unsigned type;
};
std::vector<ShownBox> g_shown;
int g_answer = kIdOk;

int RecordBox(void*, const char* text, const char* caption, unsigned type) {
    g_shown.push_back({text, caption, type});
    return g_answer;
}

class WebLauncher : public ::testing::Test {
protected:
    void SetUp() override {
        g_shown.clear();
        g_answer = kIdOk;
        previous_ = SetMessageBoxFunction(RecordBox);
    }
    void TearDown() override { SetMessageBoxFunction(previous_); }
    MessageBoxFunction previous_ = nullptr;
};

TEST_F(WebLauncher, CommandIsCutBehindItsLastQuote) {
    EXPECT_EQ(BrowserCommandLine("\"C:\\Program Files\\ブラウザ\\browser.exe\" -nohome", "http://a/"),
              "\"C:\\Program Files\\ブラウザ\\browser.exe\" http://a/");
    EXPECT_EQ(BrowserCommandLine("\"C:\\b.exe\" -url \"%1\"", "http://a/"), "\"C:\\b.exe\" -url \"%1\" http://a/");
    EXPECT_EQ(BrowserCommandLine("C:\\b.exe %1", "http://a/"), " http://a/");
}

TEST_F(WebLauncher, CommandWithoutAQuoteReportsThatTheBrowserCannotStart) {
    EXPECT_EQ(LaunchWebPageWith(nullptr, "C:\\windows\\notepad.exe %1", kMakerWebPage), 0);
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].text, "ブラウザを起動できません。\nインターネット環境を設定後に、再度お試しください。");
    EXPECT_EQ(g_shown[0].caption, "KoroWorksのホームページ");
    EXPECT_EQ(g_shown[0].type, kMbOk | kMbIconInformation);
}

TEST_F(WebLauncher, UnreadableCommandAndMissingProgramAreFailuresToo) {
    EXPECT_EQ(LaunchWebPageWith(nullptr, nullptr, kMakerWebPage), 0);
    EXPECT_EQ(LaunchWebPageWith(nullptr, "\"C:\\no such folder\\browser.exe\"", kMakerWebPage), 0);
    ASSERT_EQ(g_shown.size(), 2u);
    EXPECT_EQ(g_shown[1].caption, "KoroWorksのホームページ");
}

TEST_F(WebLauncher, StartedBrowserGivesOne) {
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, sizeof(folder));
    std::string command = std::string("\"") + folder + "\\hostname.exe\" %1";
    EXPECT_EQ(LaunchWebPageWith(nullptr, command.c_str(), kMakerWebPage), 1);
    EXPECT_TRUE(g_shown.empty());
}

TEST_F(WebLauncher, CancelAtTheQuestionEndsWithZeroAndNothingElse) {
    g_answer = kIdCancel;
    EXPECT_EQ(LaunchWebPage(nullptr, kMakerWebPage), 0);
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].text, "インターネットへ接続します。よろしいですか？");
    EXPECT_EQ(g_shown[0].caption, "接続確認");
    EXPECT_EQ(g_shown[0].type, kMbOkCancel | kMbIconInformation);
}

TEST(Help, TopicPathIsBuiltFromTheDataFolder) {
    Sandbox sandbox;
    EXPECT_EQ(HelpTopicAddress(kHelpWelcome), sandbox.folder() + "PELMOFREE.chm::/welcome.htm > MyWin01");
    EXPECT_EQ(HelpTopicAddress("target"), sandbox.folder() + "PELMOFREE.chm::/target.htm > MyWin01");
}

class HelpOperation : public WebLauncher {};

TEST_F(HelpOperation, MissingHelpFileIsReported) {
    Sandbox sandbox;
    std::string folder = sandbox.folder();
    SetRegistryValue("SystemDir", folder.c_str(), kAreaInstall);
    EXPECT_FALSE(OpenHelpTopic(nullptr, kHelpWelcome));
    ASSERT_EQ(g_shown.size(), 1u);
    // Under Wine the page for the browser is what is missing.
    EXPECT_EQ(g_shown[0].text, RunsUnderWine() ? kHelpPageMissingText : kHelpMissingText);
    EXPECT_EQ(g_shown[0].caption, "ヘルプ");
}

TEST(About, ShowsItsPictureAndOpensTheWebPageFromButton1001) {
    InitializePelmoProcess(GetModuleHandleA(nullptr));
    MessageBoxFunction previous = SetMessageBoxFunction(RecordBox);
    g_shown.clear();
    g_answer = kIdCancel;
    bool checked = false;
    WhenDialogAppears("ペルモについて", [&checked](HWND dialog) {
        EXPECT_EQ(ClassOf(GetDlgItem(dialog, IDC_ABOUT_PICTURE)), "BmpDraw");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_ABOUT_PICTURE)), "IDB_ABOUT");
        SendMessageA(dialog, WM_COMMAND, IDC_ABOUT_WEBPAGE, 0);
        checked = IsWindow(dialog) != FALSE;
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(RunAboutDialog(GetModuleHandleA(nullptr), nullptr), IDOK);
    EXPECT_TRUE(checked);
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].caption, "接続確認");
    SetMessageBoxFunction(previous);
}

}  // namespace
