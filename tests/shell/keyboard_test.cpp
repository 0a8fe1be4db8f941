// Every dialog of the program with the keyboard alone: Tab visits each field
// and button in the order they stand and comes back round, and Esc closes the
// dialog as "キャンセル" does. The keys go through each dialog's own message
// loop, as a person's keys do.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "appearance/color_dialog.h"
#include "corelib/dates.h"
#include "corelib/win32/bmp_draw.h"
#include "backup/dialogs/backup_dialogs.h"
#include "diary/dialogs/day_dialog.h"
#include "diary/dialogs/dialog_fixture.h"
#include "diary/dialogs/user_dialogs.h"
#include "export/files/import_preview.h"
#include "report/printing/period_dialog.h"
#include "report/printing/report_test_diary.h"
#include "resources/resource.h"
#include "shell/about_dialog.h"
#include "shell/exit_dialog.h"
#include "shell/shell_classes.h"

namespace {

class Keyboard : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        RegisterBmpDrawClass(GetModuleHandleA(nullptr));       // the pictures of the colour dialog
        RegisterPelmoWindowClasses(GetModuleHandleA(nullptr));  // the mascot of the exit dialog
        // Two users for the lists; the open one records body fat.
        RegisterUsers({{"佐藤太郎", "41", 0, "172.5", "68.0", "18.0", "がんばる"},
                       {"山田花子", "30", 1, "160.0", "55.0", "22.5", "毎日歩く"}});
    }
};

struct Case {
    const char* title;
    std::function<INT_PTR()> open;
    std::vector<int> tabOrder;  // every control Tab stops at, in order
    INT_PTR cancelled;          // what the dialog gives back after Esc
};

// The order seen from wherever the focus started, turned to start as expected does.
std::vector<int> FromFirstOf(const std::vector<int>& seen, const std::vector<int>& expected) {
    auto start = std::find(seen.begin(), seen.end(), expected.front());
    if (start == seen.end()) return seen;
    std::vector<int> turned(start, seen.end());
    turned.insert(turned.end(), seen.begin(), start);
    return turned;
}

TEST_F(Keyboard, TabVisitsEveryControlInOrderAndEscCancelsInEveryDialog) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const ReportTestDiary diary({2026, 1, 5}, 3);
    PeriodChoice period = {MonthPeriod(2026, 1), diary.records.data(), 3, "印刷(&P)..."};
    ImportPlan plan;
    ExistingDay existing;
    const Case cases[] = {
        {"新規作成", [] { return static_cast<INT_PTR>(RegisterUser(nullptr)); },
         {IDC_USER_NAME, IDC_USER_AGE, IDC_USER_SEX, IDC_USER_HEIGHT, IDC_USER_REGISTER, IDCANCEL, IDC_DIALOG_HELP}, 0},
        {"ユーザーの修正", [] { return AmendUserDialog(nullptr); },
         {IDC_USER_AGE, IDC_USER_SEX, IDC_USER_HEIGHT, IDC_USER_REGISTER, IDCANCEL, IDC_DIALOG_HELP}, 0},
        {"ユーザーを開く", [] { return OpenUserDialog(nullptr); },
         {IDC_SEARCH_KEYWORD, IDC_SEARCH_BUTTON, IDC_SEARCH_LIST, IDC_SEARCH_OPEN, IDC_SEARCH_VIEW, IDCANCEL,
          IDC_DIALOG_HELP}, -1},
        {"ユーザー情報の削除", [] { return DeleteUsersDialog(nullptr); },
         {IDC_SEARCH_KEYWORD, IDC_SEARCH_BUTTON, IDC_DELETE_LIST, IDC_DELETE_BUTTON, IDC_SEARCH_VIEW, IDCANCEL,
          IDC_DIALOG_HELP}, -1},
        {"ユーザー", [] { ViewUserDialog(nullptr, 0); return INT_PTR{0}; },
         {IDC_USER_NAME, IDC_USER_AGE, IDC_USER_SEX, IDC_USER_HEIGHT, IDC_USER_ACTIVITY, IDOK, IDCANCEL}, 0},
        {"目標を決める", [] { return static_cast<INT_PTR>(TargetDialog(nullptr, kTargetExistingUser)); },
         {IDC_TARGET_WEIGHT, IDC_TARGET_BODYFAT, IDC_TARGET_MESSAGE, IDC_TARGET_REGISTER, IDCANCEL, IDC_DIALOG_HELP}, 0},
        {"入力する項目を決める", [] { return InputItemsDialog(nullptr); },
         {IDC_ITEM_FIRST, IDC_ITEM_REGISTER, IDCANCEL, IDC_DIALOG_HELP}, 0},
        {"一日の記録", [] { return OpenDayDialog(nullptr, 0); },
         {IDC_DAY_DATE, IDC_DAY_WEIGHT, IDC_DAY_BODYFAT, IDC_DAY_DIARY, IDC_DAY_REGISTER, IDCANCEL, IDC_DIALOG_HELP}, 0},
        {"データ保存（バックアップ）", [] { return BackupDialog(nullptr); },
         {IDC_BACKUP_FOLDER, IDC_BACKUP_BROWSE, IDOK, IDCANCEL, IDC_DIALOG_HELP}, 0},
        {"データの復帰（リストア）", [] { return RestoreDialog(nullptr); },
         {IDC_BACKUP_FOLDER, IDC_BACKUP_BROWSE, IDOK, IDCANCEL, IDC_DIALOG_HELP}, 0},
        {"画面のカラーを決める", [instance] { return ColorSchemeDialog(instance, nullptr); },
         {IDC_COLOR_SCROLL, IDOK, IDCANCEL}, 0},
        {"ペルモの終了", [instance] { return RunExitDialog(instance, nullptr); },
         {IDC_PLEND_WEBSITE, IDOK, IDCANCEL}, kExitCancelled},
        {"ペルモについて", [instance] { return RunAboutDialog(instance, nullptr); },
         {IDOK, IDC_ABOUT_WEBPAGE}, IDCANCEL},
        {"読み込む前の確認",
         [&plan, &existing] { return INT_PTR{ImportPreviewDialog(nullptr, DayTable(), "表.csv", &plan, &existing)}; },
         {IDC_IMPORT_REFUSED_LIST, IDC_IMPORT_KEEP, IDC_IMPORT_KG, IDOK, IDCANCEL, IDC_DIALOG_HELP}, 0},
        {"印刷する期間", [instance, &period] { return INT_PTR{ChooseReportPeriod(instance, nullptr, &period)}; },
         {IDC_REPORT_MONTH, IDC_REPORT_YEAR, IDC_REPORT_FROM, IDC_REPORT_TO, IDOK, IDCANCEL, IDC_DIALOG_HELP}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        std::vector<int> seen;
        DialogDriver driver;
        for (size_t i = 0; i < c.tabOrder.size(); ++i) {
            driver.On(c.title, [&seen](HWND d) {
                seen.push_back(DialogDriver::FocusId(d));
                DialogDriver::Press(d, VK_TAB);
            });
        }
        int back = 0;
        driver.On(c.title, [&back](HWND d) {
            back = DialogDriver::FocusId(d);  // round once: where it started
            DialogDriver::Press(d, VK_ESCAPE);
        });
        EXPECT_EQ(c.open(), c.cancelled);
        EXPECT_TRUE(driver.done());
        EXPECT_TRUE(driver.boxes().empty());
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(FromFirstOf(seen, c.tabOrder), c.tabOrder);
        EXPECT_EQ(back, seen.front());
    }
}

// A choice read back from the dialog as text.
std::string ChoiceText(HWND dialog, int id) { return DialogDriver::Text(dialog, id); }
std::string CheckState(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? "on" : "off"; }
std::string ListLine(HWND dialog, int id) {
    return std::to_string(SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0));
}
std::string ScrollPosition(HWND dialog, int id) { return std::to_string(GetScrollPos(GetDlgItem(dialog, id), SB_CTL)); }

struct ChoiceCase {
    const char* title;
    std::function<INT_PTR()> open;
    int control;
    WPARAM key;
    std::string (*read)(HWND dialog, int id);
    std::function<std::string(const std::string& before)> after;
};

// The arrows, Space, Home and End change the choice of the control that has
// the focus, as in any Windows dialog, and the focus stays there.
TEST_F(Keyboard, KeysChangeTheChoiceWhereTheFocusIs) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    auto is = [](const char* text) { return [text](const std::string&) { return std::string(text); }; };
    const ChoiceCase cases[] = {
        {"新規作成", [] { return static_cast<INT_PTR>(RegisterUser(nullptr)); }, IDC_USER_SEX, VK_UP, ChoiceText, is("男性")},
        {"ユーザーの修正", [] { return AmendUserDialog(nullptr); }, IDC_USER_SEX, VK_UP, ChoiceText, is("男性")},
        {"ユーザーの修正", [] { return AmendUserDialog(nullptr); }, IDC_USER_SEX, VK_DOWN, ChoiceText, is("女性")},
        {"一日の記録", [] { return OpenDayDialog(nullptr, 0); }, IDC_DAY_DATE, VK_UP, ChoiceText,
         [](const std::string& before) {
             char next[kShownDateSize];
             DateOfDayNumber(DayNumberOfDate(before.c_str()) + 1, next);
             return std::string(next);
         }},
        {"一日の記録", [] { return OpenDayDialog(nullptr, 0); }, IDC_DAY_DATE, VK_DOWN, ChoiceText,
         [](const std::string& before) {
             char previous[kShownDateSize];
             DateOfDayNumber(DayNumberOfDate(before.c_str()) - 1, previous);
             return std::string(previous);
         }},
        {"入力する項目を決める", [] { return InputItemsDialog(nullptr); }, IDC_ITEM_FIRST, VK_SPACE, CheckState, is("off")},
        {"ユーザーを開く", [] { return OpenUserDialog(nullptr); }, IDC_SEARCH_LIST, VK_DOWN, ListLine, is("1")},
        {"ユーザー情報の削除", [] { return DeleteUsersDialog(nullptr); }, IDC_DELETE_LIST, VK_DOWN, ListLine, is("1")},
        {"画面のカラーを決める", [instance] { return ColorSchemeDialog(instance, nullptr); }, IDC_COLOR_SCROLL, VK_DOWN,
         ScrollPosition, is("1")},
        {"画面のカラーを決める", [instance] { return ColorSchemeDialog(instance, nullptr); }, IDC_COLOR_SCROLL, VK_END,
         ScrollPosition, is("19")},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(std::string(c.title) + " key " + std::to_string(c.key));
        std::string before, after;
        int focus = 0;
        DialogDriver driver;
        driver.On(c.title, [&](HWND d) {
            SendMessageA(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(d, c.control)), TRUE);
            before = c.read(d, c.control);
            DialogDriver::Press(d, c.key);
        });
        driver.On(c.title, [&](HWND d) {
            after = c.read(d, c.control);
            focus = DialogDriver::FocusId(d);
            DialogDriver::Press(d, VK_ESCAPE);
        });
        c.open();
        EXPECT_TRUE(driver.done());
        EXPECT_EQ(after, c.after(before)) << "before: " << before;
        EXPECT_EQ(focus, c.control);
    }
}

}  // namespace
