// The diary window's six selectors, driven as a combo box drives them: what
// they choose, what they store in the registry and what a new run takes back.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "charts/chart_items.h"
#include "corelib/dates.h"
#include "corelib/registry.h"
#include "diary/diary_store.h"
#include "diary/input_items.h"
#include "diary_window_fixture.h"
#include "resources/resource.h"
#include "view/diary_commands.h"
#include "view/diary_selectors.h"
#include "view/diary_state.h"

namespace {

HWND Combo(int id) { return GetDlgItem(g_diary.window, id); }
int Selected(int id) { return static_cast<int>(SendMessageA(Combo(id), CB_GETCURSEL, 0, 0)); }

// The entries of a selector, the selected one in brackets.
std::string Entries(int id) {
    std::string all;
    const int count = static_cast<int>(SendMessageA(Combo(id), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        SendMessageA(Combo(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        const bool selected = i == Selected(id);
        all += std::string(all.empty() ? "" : " ") + (selected ? "[" : "") + text + (selected ? "]" : "");
    }
    return all;
}

bool Off(int id) { return !IsWindowEnabled(Combo(id)) && Entries(id).empty(); }

std::string Setting(const char* name) {
    char text[64] = "";
    return GetRegistryValue(name, text, sizeof text, kAreaSettings) ? text : "(none)";
}

// "item1 item2 period LINEGRAPH3 / analysis mode, its selector's selection".
std::string Choices() {
    return std::to_string(g_diary.graphItem[0]) + " " + std::to_string(g_diary.graphItem[1]) + " " +
           std::to_string(g_diary.graphPeriod) + " " + Setting("LINEGRAPH3") + " / " +
           std::to_string(g_diary.analysisMode) + std::to_string(Selected(kAnalysisModeSelectorId));
}

class SelectorTest : public DiaryWindowTest {
protected:
    void Choose(int id, int index) {
        SendMessageA(Combo(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(diary_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Combo(id)));
        Pump();
    }
    void Choose(int id, const char* text) {
        const LRESULT index =
            SendMessageA(Combo(id), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
        ASSERT_NE(index, CB_ERR) << text << " in " << Entries(id);
        Choose(id, static_cast<int>(index));
    }
    void ExpectAnalysis(const char* periods, double averageWeight) {
        EXPECT_EQ(Entries(kAnalysisPeriodSelectorId), periods);
        EXPECT_DOUBLE_EQ(g_diary.analysis.averageWeight, averageWeight);
    }
    void RunTwice(bool recordsThisYear);
};

// When item 1 takes the body fat item 2 shows, item 2 falls back to the entry
// at the same index, or "-未設定-" where that is gone. Evaluation needs intake,
// exercise or sleep.
TEST_F(SelectorTest, ChoosingTheItemTheOtherListShowsMovesTheOtherListOn) {
    const struct {
        InputItemFlags flags;  // body fat, temperature, condition, sleep, steps, intake, exercise
        const char* item2After;
        const char* list201After;
        bool evaluation;
    } cases[] = {
        {{{1, 1, 1, 1, 1, 1, 1}}, "3", "-未設定- 体　　重 [摂取ｶﾛﾘｰ] 運動ｶﾛﾘｰ 体　　温 体　　調 睡　　眠 歩　　数 評　　価", true},
        {{{1, 0, 0, 0, 0, 0, 0}}, "0", "[-未設定-] 体　　重", false},
        {{{1, 1, 1, 0, 1, 0, 0}}, "5", "-未設定- 体　　重 [体　　温] 体　　調 歩　　数", false},
        {{{1, 0, 0, 1, 0, 0, 0}}, "7", "-未設定- 体　　重 [睡　　眠] 評　　価", true},
        {{{1, 0, 0, 0, 0, 1, 0}}, "3", "-未設定- 体　　重 [摂取ｶﾛﾘｰ] 評　　価", true},
        {{{1, 0, 0, 0, 0, 0, 1}}, "4", "-未設定- 体　　重 [運動ｶﾛﾘｰ] 評　　価", true},
    };
    CreateWindows();
    OpenUser({"20070105", "20070131"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list201After);
        InputItems() = c.flags;
        FillItemList(Combo(kGraphItem1SelectorId));
        FillItemList(Combo(kGraphItem2SelectorId));
        g_diary.graphItem[1] = kChartBodyFat;
        SendMessageA(Combo(kGraphItem2SelectorId), CB_SETCURSEL, 2, 0);
        Choose(kGraphItem1SelectorId, "体脂肪率");
        EXPECT_EQ(Entries(kGraphItem2SelectorId), c.list201After);
        EXPECT_EQ(Entries(kGraphItem1SelectorId).find("評　　価") != std::string::npos, c.evaluation);
        EXPECT_EQ(std::to_string(g_diary.graphItem[0]) + std::to_string(g_diary.graphItem[1]) + " " +
                      Setting("LINEGRAPH1") + Setting("LINEGRAPH2"),
                  std::string("2") + c.item2After + " 2" + c.item2After);
        EXPECT_EQ(GetFocus(), g_diary.recordList);
    }
}

TEST_F(SelectorTest, AnalysisAndGraphPeriodsFollowTheRecordsAndAreStored) {
    CreateWindows();
    OpenUser({"20061231", "20070105", "20070131", "20070201"});  // 55 to 58 kg
    // The blank line is selected: the calendar shows today, a month without records.
    Choose(kAnalysisModeSelectorId, kAnalysisMonthly);
    EXPECT_EQ(Setting("ANALYZE2"), "1");
    ExpectAnalysis("2006年12月 2007年01月 2007年02月", 0.0);
    SelectLine(1);  // 2007-01-05: the month of January is analysed
    ExpectAnalysis("2006年12月 [2007年01月] 2007年02月", 56.5);
    // An entry that is not a month is ignored.
    SendMessageA(Combo(kAnalysisPeriodSelectorId), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("2007年"));
    for (int entry : {2, 3}) {
        Choose(kAnalysisPeriodSelectorId, entry);
        EXPECT_STREQ(g_diary.analysisPeriodKey, "200702");
        EXPECT_DOUBLE_EQ(g_diary.analysis.averageWeight, 58.0);
    }
    Choose(kAnalysisModeSelectorId, kAnalysisYearly);
    EXPECT_EQ(Setting("ANALYZE2"), "2");
    ExpectAnalysis("2006年 [2007年]", 57.0);
    Choose(kAnalysisModeSelectorId, kAnalysisDaily);
    ExpectAnalysis("", 56.0);
    EXPECT_TRUE(Off(kAnalysisPeriodSelectorId));

    // The first graph item brings the periods, monthly chosen; the month list follows the line.
    FillItemList(Combo(kGraphItem1SelectorId));
    Choose(kGraphItem1SelectorId, "体　　重");
    EXPECT_TRUE(IsWindowEnabled(Combo(kGraphPeriodSelectorId)));
    EXPECT_EQ(SendMessageA(Combo(kGraphPeriodSelectorId), CB_GETCOUNT, 0, 0), 14);
    EXPECT_EQ(Choices(), "1 0 0 0 / 00");
    SelectLine(0);
    EXPECT_EQ(Entries(kGraphMonthSelectorId), "[2006年12月] 2007年01月 2007年02月");
    Choose(kGraphMonthSelectorId, 2);
    EXPECT_STREQ(g_diary.graphPeriodKey, "200702");
    Choose(kGraphPeriodSelectorId, kGraphPeriodYearly);
    EXPECT_EQ(Entries(kGraphMonthSelectorId), "[2006年] 2007年");
    EXPECT_EQ(Setting("LINEGRAPH3"), "1");
    Choose(kGraphPeriodSelectorId, "150日ｸﾞﾗﾌ");
    EXPECT_TRUE(Off(kGraphMonthSelectorId));
    EXPECT_EQ(Setting("LINEGRAPH3"), "6");
    // Both items back to "-未設定-": no period any more.
    Choose(kGraphItem1SelectorId, "-未設定-");
    EXPECT_EQ(Choices(), "0 0 99 6 / 00");
    EXPECT_TRUE(Off(kGraphPeriodSelectorId));
}

// A run opens a user who records body fat only: a stored item they do not
// record shows "-未設定-", so no period, and stays stored for the next run;
// year analysis selects this year if it has records. This run's choices come back in the next; another user opened
// then brings their own months.
void SelectorTest::RunTwice(bool recordsThisYear) {
    const char* stored[][2] = {{"ANALYZE2", "2"}, {"LINEGRAPH1", "5"}, {"LINEGRAPH2", "0"}, {"LINEGRAPH3", "3"}};
    for (const auto& s : stored) SetRegistryValue(s[0], s[1], kAreaSettings);
    CreateWindows();
    const std::string year = std::to_string(Today().year - (recordsThisYear ? 0 : 1));
    const std::string early = year + "0105", late = year + "0110";
    const int row = SaveUserOnDisk(1, "中村", "", {"20070105", early.c_str(), late.c_str()});
    ASSERT_GE(SaveUserOnDisk(2, "木村", "", {"20080301"}), 0);
    ASSERT_TRUE(OpenUserOfRow(diary_, row));
    EXPECT_EQ(Entries(kGraphItem1SelectorId), "[-未設定-] 体　　重 体脂肪率");
    EXPECT_EQ(Choices(), "0 0 255 3 / 22");
    EXPECT_EQ(Setting("ANALYZE2") + Setting("LINEGRAPH1") + Setting("LINEGRAPH2"), "250");
    EXPECT_TRUE(Off(kGraphPeriodSelectorId));
    EXPECT_EQ(Entries(kAnalysisPeriodSelectorId), recordsThisYear ? "2007年 [" + year + "年]" : "2007年 " + year + "年");
    EXPECT_EQ(g_diary.analysisPeriodKey, std::to_string(Today().year));

    Choose(kGraphItem1SelectorId, "体　　重");
    Choose(kGraphItem2SelectorId, "体脂肪率");
    Choose(kGraphPeriodSelectorId, "150日ｸﾞﾗﾌ");
    EXPECT_EQ(Setting("LINEGRAPH1") + Setting("LINEGRAPH2") + Setting("LINEGRAPH3"), "126");
    Restart();
    ASSERT_TRUE(OpenUserOfRow(diary_, row));
    EXPECT_EQ(Choices(), "1 2 6 6 / 22");
    EXPECT_NE(Entries(kGraphItem1SelectorId).find("[体　　重]"), std::string::npos) << Entries(kGraphItem1SelectorId);
    EXPECT_NE(Entries(kGraphItem2SelectorId).find("[体脂肪率]"), std::string::npos) << Entries(kGraphItem2SelectorId);
    EXPECT_EQ(Selected(kGraphPeriodSelectorId), 6);
    EXPECT_TRUE(Off(kGraphMonthSelectorId));

    // Body fat alone by month: the month list follows whatever the item. Then
    // open 木村 (the second line of the search list) and agree.
    Choose(kGraphItem1SelectorId, "-未設定-");
    Choose(kGraphPeriodSelectorId, kGraphPeriodMonthly);
    EXPECT_EQ(Entries(kGraphMonthSelectorId).substr(0, 10), "2007年01月");
    beforeAnswer = [](HWND dialog) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_BUTTON, BN_CLICKED), 0);
        PostMessageA(GetDlgItem(dialog, IDC_SEARCH_LIST), LB_SETCURSEL, 1, 0);
    };
    dialogAnswer = IDC_SEARCH_OPEN;
    boxAnswer = kIdYes;
    CancelDialogs(true);
    Command(ID_USER_OPEN);
    ASSERT_STREQ(CurrentHeader().name, "木村");
    EXPECT_EQ(g_diary.graphItem[1], kChartBodyFat);
    EXPECT_EQ(Entries(kGraphMonthSelectorId), "2008年03月");
}

// Each user's graph items and period come back when that user is opened
// again in the run, after a new user, who has no days, reset them.
TEST_F(SelectorTest, EachUserGetsBackTheirOwnGraph) {
    CreateWindows();
    const int nakamura = SaveUserOnDisk(1, "中村", "", {"20070105", "20070210"});
    const int kimura = SaveUserOnDisk(2, "木村", "", {"20080301"});
    ASSERT_GE(kimura, 0);
    // The users as the open dialog lists them, line by line.
    const int lines[] = {nakamura, kimura};
    auto open = [this, &lines](int row) {
        static int line;
        line = static_cast<int>(std::find(std::begin(lines), std::end(lines), row) - std::begin(lines));
        beforeAnswer = [](HWND dialog) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_BUTTON, BN_CLICKED), 0);
            PostMessageA(GetDlgItem(dialog, IDC_SEARCH_LIST), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
        };
        dialogAnswer = IDC_SEARCH_OPEN;
        boxAnswer = kIdYes;
        CancelDialogs(true);
        Command(ID_USER_OPEN);
        CancelDialogs(false);
    };
    ASSERT_TRUE(OpenUserOfRow(diary_, nakamura));
    Choose(kGraphItem1SelectorId, "体　　重");
    Choose(kGraphItem2SelectorId, "体脂肪率");
    Choose(kGraphPeriodSelectorId, "150日ｸﾞﾗﾌ");
    open(kimura);
    ASSERT_STREQ(CurrentHeader().name, "木村");
    Choose(kGraphItem2SelectorId, "-未設定-");
    Choose(kGraphItem1SelectorId, "体脂肪率");
    Choose(kGraphPeriodSelectorId, "年間ｸﾞﾗﾌ");
    // A new user, who has no days yet: everything off.
    RegisterUserThroughDialogs("佐藤");
    ASSERT_STREQ(CurrentHeader().name, "佐藤");
    EXPECT_EQ(Choices().substr(0, 7), "0 0 99 ");
    EXPECT_TRUE(Off(kGraphPeriodSelectorId));

    const struct {
        int row;
        const char* name;
        const char *items, *list1, *list2, *months;
    } back[] = {
        {nakamura, "中村", "1 2 6", "-未設定- [体　　重]", "-未設定- [体脂肪率]", ""},
        {kimura, "木村", "2 0 1", "-未設定- 体　　重 [体脂肪率]", "[-未設定-] 体　　重", "2008年"},
        {nakamura, "中村", "1 2 6", "-未設定- [体　　重]", "-未設定- [体脂肪率]", ""},
    };
    for (const auto& b : back) {
        SCOPED_TRACE(b.name);
        open(b.row);
        ASSERT_STREQ(CurrentHeader().name, b.name);
        EXPECT_EQ(Choices().substr(0, 5), b.items);
        EXPECT_EQ(Entries(kGraphItem1SelectorId), b.list1);
        EXPECT_EQ(Entries(kGraphItem2SelectorId), b.list2);
        EXPECT_EQ(Entries(kGraphMonthSelectorId), b.months);
    }
}

TEST_F(SelectorTest, ANewRunTakesTheChoicesOfTheLast) { RunTwice(true); }
TEST_F(SelectorTest, ANewRunInYearAnalysisSelectsNoYearWithoutRecordsThisYear) { RunTwice(false); }

}  // namespace
