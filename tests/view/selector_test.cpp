// The six selectors of the diary window, driven as the combo boxes drive
// them: a selection, then its selection-change notification. The analysis
// they choose, the line graph's items and period, the values they leave in
// the registry, and what a new run takes from those values.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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
bool Enabled(int id) { return IsWindowEnabled(Combo(id)) != FALSE; }

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

std::string Setting(const char* name) {
    char text[64] = "";
    if (!GetRegistryValue(name, text, sizeof text, kAreaSettings)) return "(none)";
    return text;
}

void SetSetting(const char* name, const char* value) { SetRegistryValue(name, value, kAreaSettings); }

class SelectorTest : public DiaryWindowTest {
protected:
    // The person picks entry `index` of selector `id`.
    void Choose(int id, int index) {
        SendMessageA(Combo(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(diary_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Combo(id)));
        Pump();
    }
    void ChooseText(int id, const char* text) {
        const LRESULT index =
            SendMessageA(Combo(id), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
        ASSERT_NE(index, CB_ERR) << text << " in " << Entries(id);
        Choose(id, static_cast<int>(index));
    }
    void RunTwice(bool recordsThisYear);
};

std::string ThisYear() { return std::to_string(Today().year); }

// A date of this year, or of the year before when `thisYear` is false.
std::string DateOfYear(bool thisYear, const char* monthDay) {
    return std::to_string(Today().year - (thisYear ? 0 : 1)) + monthDay;
}

TEST_F(SelectorTest, ChoosingTheItemTheOtherListShowsMovesTheOtherListOn) {
    // All items: 201 falls back to the entry at 200's new index; with body fat
    // alone that index is gone and 201 falls back to "-未設定-".
    struct Case {
        InputItemFlags flags;
        const char* item2After;
        const char* list201After;
    } cases[] = {
        {{{1, 1, 1, 1, 1, 1, 1}}, "3", "-未設定- 体　　重 [摂取ｶﾛﾘｰ] 運動ｶﾛﾘｰ 体　　温 体　　調 睡　　眠 歩　　数 評　　価"},
        {{{1, 0, 0, 0, 0, 0, 0}}, "0", "[-未設定-] 体　　重"},
    };
    CreateWindows();
    OpenUser({"20070105", "20070131"});
    for (const Case& c : cases) {
        InputItems() = c.flags;
        FillItemList(Combo(kGraphItem1SelectorId));
        FillItemList(Combo(kGraphItem2SelectorId));
        // 201 shows body fat as item 2 (as a list filled at the start can).
        g_diary.graphItem[1] = kChartBodyFat;
        SendMessageA(Combo(kGraphItem2SelectorId), CB_SETCURSEL, 2, 0);
        ChooseText(kGraphItem1SelectorId, "体脂肪率");
        EXPECT_EQ(g_diary.graphItem[0], kChartBodyFat);
        EXPECT_EQ(Setting("LINEGRAPH1"), "2");
        EXPECT_EQ(Entries(kGraphItem2SelectorId), c.list201After);
        // Item 2 is what 201 now shows, never the item 200 took.
        EXPECT_EQ(std::to_string(g_diary.graphItem[1]), c.item2After);
        EXPECT_EQ(Setting("LINEGRAPH2"), c.item2After);
        EXPECT_EQ(GetFocus(), g_diary.recordList);
    }
}

TEST_F(SelectorTest, EvaluationOnlyWithIntakeExerciseOrSleep) {
    CreateWindows();
    OpenUser({"20070105"});
    struct Case {
        InputItemFlags flags;
        bool offered;
    } cases[] = {
        {{{1, 1, 1, 0, 1, 0, 0}}, false},  // body fat, temperature, condition, steps
        {{{0, 0, 0, 1, 0, 0, 0}}, true},   // sleep
        {{{0, 0, 0, 0, 0, 1, 0}}, true},   // intake
        {{{0, 0, 0, 0, 0, 0, 1}}, true},   // exercise
    };
    for (const Case& c : cases) {
        InputItems() = c.flags;
        FillItemList(Combo(kGraphItem1SelectorId));
        FillItemList(Combo(kGraphItem2SelectorId));
        Choose(kGraphItem2SelectorId, 0);
        Choose(kGraphItem1SelectorId, 1);
        for (int id : {kGraphItem1SelectorId, kGraphItem2SelectorId})
            EXPECT_EQ(Entries(id).find("評　　価") != std::string::npos, c.offered) << Entries(id);
    }
}

TEST_F(SelectorTest, MonthAndYearAnalysisTakeTheirPeriodsToTheEvaluation) {
    CreateWindows();
    OpenUser({"20070105", "20070131", "20070201"});  // 55, 56 and 57 kg
    // The blank line is selected: the calendar shows today, a month without records.
    Choose(kAnalysisModeSelectorId, kAnalysisMonthly);
    EXPECT_EQ(Setting("ANALYZE2"), "1");
    EXPECT_TRUE(Enabled(kAnalysisPeriodSelectorId));
    EXPECT_EQ(Entries(kAnalysisPeriodSelectorId), "2007年01月 2007年02月");
    EXPECT_EQ(g_diary.analysis.averageWeight, 0.0);

    SelectLine(0);  // 2007-01-05: the month of January is analysed
    EXPECT_EQ(Entries(kAnalysisPeriodSelectorId), "[2007年01月] 2007年02月");
    EXPECT_DOUBLE_EQ(g_diary.analysis.averageWeight, 55.5);
    Choose(kAnalysisPeriodSelectorId, 1);
    EXPECT_STREQ(g_diary.analysisPeriodKey, "200702");
    EXPECT_DOUBLE_EQ(g_diary.analysis.averageWeight, 57.0);
    // An entry that is not a month is ignored.
    SendMessageA(Combo(kAnalysisPeriodSelectorId), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("2007年"));
    Choose(kAnalysisPeriodSelectorId, 2);
    EXPECT_STREQ(g_diary.analysisPeriodKey, "200702");

    Choose(kAnalysisModeSelectorId, kAnalysisYearly);
    EXPECT_EQ(Setting("ANALYZE2"), "2");
    EXPECT_EQ(Entries(kAnalysisPeriodSelectorId), "[2007年]");
    EXPECT_DOUBLE_EQ(g_diary.analysis.averageWeight, 56.0);

    Choose(kAnalysisModeSelectorId, kAnalysisDaily);
    EXPECT_FALSE(Enabled(kAnalysisPeriodSelectorId));
    EXPECT_EQ(Entries(kAnalysisPeriodSelectorId), "");
    EXPECT_DOUBLE_EQ(g_diary.analysis.averageWeight, 55.0);
}

TEST_F(SelectorTest, ThePeriodDecidesTheMonthOrYearListAndIsStored) {
    CreateWindows();
    OpenUser({"20061231", "20070105", "20070201"});
    FillItemList(Combo(kGraphItem1SelectorId));
    FillItemList(Combo(kGraphItem2SelectorId));
    ChooseText(kGraphItem1SelectorId, "体　　重");
    // The first item brings the periods, monthly chosen.
    EXPECT_TRUE(Enabled(kGraphPeriodSelectorId));
    EXPECT_EQ(SendMessageA(Combo(kGraphPeriodSelectorId), CB_GETCOUNT, 0, 0), 14);
    EXPECT_EQ(g_diary.graphPeriod, kGraphPeriodMonthly);
    EXPECT_EQ(Setting("LINEGRAPH3"), "0");
    SelectLine(1);
    EXPECT_EQ(Entries(kGraphMonthSelectorId), "2006年12月 [2007年01月] 2007年02月");
    Choose(kGraphMonthSelectorId, 2);
    EXPECT_STREQ(g_diary.graphPeriodKey, "200702");

    Choose(kGraphPeriodSelectorId, kGraphPeriodYearly);
    EXPECT_EQ(Entries(kGraphMonthSelectorId), "2006年 [2007年]");
    EXPECT_EQ(Setting("LINEGRAPH3"), "1");
    Choose(kGraphPeriodSelectorId, 6);  // 150 days
    EXPECT_FALSE(Enabled(kGraphMonthSelectorId));
    EXPECT_EQ(Entries(kGraphMonthSelectorId), "");
    EXPECT_EQ(Setting("LINEGRAPH3"), "6");

    // Both items back to "-未設定-": no period any more.
    ChooseText(kGraphItem1SelectorId, "-未設定-");
    EXPECT_EQ(g_diary.graphPeriod, kNoGraphPeriod);
    EXPECT_FALSE(Enabled(kGraphPeriodSelectorId));
    EXPECT_EQ(Entries(kGraphPeriodSelectorId), "");
}

// A first run with "ANALYZE2" = "2" opens the user in year analysis; its
// choices of items and period come back in the next run.
void SelectorTest::RunTwice(bool recordsThisYear) {
    SetSetting("ANALYZE2", "2");
    CreateWindows();
    const std::string early = DateOfYear(recordsThisYear, "0105");
    const std::string late = DateOfYear(recordsThisYear, "0110");
    const int row = SaveUserOnDisk(1, "中村", "", {"20070105", early.c_str(), late.c_str()});
    ASSERT_GE(row, 0);
    ASSERT_TRUE(OpenUserOfRow(diary_, row));
    // The calendar shows today: this year is selected when it has records, else none.
    EXPECT_EQ(Selected(kAnalysisModeSelectorId), kAnalysisYearly);
    EXPECT_EQ(g_diary.analysisMode, kAnalysisYearly);
    const std::string mark = recordsThisYear ? "[" : "", unmark = recordsThisYear ? "]" : "";
    EXPECT_EQ(Entries(kAnalysisPeriodSelectorId), "2007年 " + mark + early.substr(0, 4) + "年" + unmark);
    EXPECT_STREQ(g_diary.analysisPeriodKey, ThisYear().c_str());

    // This run's choices: weight and body fat over 150 days.
    ChooseText(kGraphItem1SelectorId, "体　　重");
    ChooseText(kGraphItem2SelectorId, "体脂肪率");
    ChooseText(kGraphPeriodSelectorId, "150日ｸﾞﾗﾌ");
    EXPECT_EQ(Setting("LINEGRAPH1") + Setting("LINEGRAPH2") + Setting("LINEGRAPH3"), "126");

    Restart();
    ASSERT_TRUE(OpenUserOfRow(diary_, row));
    EXPECT_EQ(g_diary.graphItem[0], kChartWeight);
    EXPECT_EQ(g_diary.graphItem[1], kChartBodyFat);
    EXPECT_EQ(g_diary.graphPeriod, 6);
    EXPECT_NE(Entries(kGraphItem1SelectorId).find("[体　　重]"), std::string::npos) << Entries(kGraphItem1SelectorId);
    EXPECT_NE(Entries(kGraphItem2SelectorId).find("[体脂肪率]"), std::string::npos) << Entries(kGraphItem2SelectorId);
    EXPECT_EQ(Selected(kGraphPeriodSelectorId), 6);
    EXPECT_FALSE(Enabled(kGraphMonthSelectorId));
    EXPECT_EQ(Selected(kAnalysisModeSelectorId), kAnalysisYearly);
    EXPECT_EQ(Setting("LINEGRAPH3"), "6");
}

TEST_F(SelectorTest, ANewRunTakesTheChoicesOfTheLast) { RunTwice(true); }
TEST_F(SelectorTest, ANewRunInYearAnalysisSelectsNoYearWithoutRecordsThisYear) { RunTwice(false); }

TEST_F(SelectorTest, AnUnrecordedItemSelectsNothingAndWithoutItemsThePeriodIsUnselected) {
    SetSetting("LINEGRAPH1", "5");  // body temperature, which the user does not record
    SetSetting("LINEGRAPH2", "0");
    SetSetting("LINEGRAPH3", "3");
    CreateWindows();
    const int row = SaveUserOnDisk(1, "中村", "", {"20070105", "20070131"});
    ASSERT_GE(row, 0);
    // Body fat only.
    const InputItemFlags bodyFatOnly = {{1, 0, 0, 0, 0, 0, 0}};
    ASSERT_EQ(WriteInputItems(1, bodyFatOnly), 1);
    ASSERT_TRUE(OpenUserOfRow(diary_, row));
    EXPECT_EQ(Entries(kGraphItem1SelectorId).find("体　　温"), std::string::npos);
    EXPECT_EQ(g_diary.graphItem[0], kChartNone);
    EXPECT_EQ(g_diary.graphItem[1], kChartNone);
    EXPECT_EQ(Entries(kGraphPeriodSelectorId), "");
    EXPECT_EQ(g_diary.graphPeriod, kGraphPeriodUnselected);
    EXPECT_EQ(Setting("LINEGRAPH3"), "255");
}

TEST_F(SelectorTest, AnotherUsersMonthsReplaceTheGraphsMonthList) {
    SetSetting("LINEGRAPH1", "2");  // body fat: the list follows whatever the item
    SetSetting("LINEGRAPH3", "0");
    CreateWindows();
    ASSERT_GE(SaveUserOnDisk(1, "中村", "", {"20070105", "20070201"}), 0);
    const int second = SaveUserOnDisk(2, "木村", "", {"20080301"});
    ASSERT_GE(second, 0);
    ASSERT_TRUE(OpenUserOfRow(diary_, 0));
    EXPECT_EQ(Entries(kGraphMonthSelectorId), "2007年01月 2007年02月");
    // The open-user dialog, through its queue: list everyone, pick 木村 (the
    // second line), open and agree.
    beforeAnswer = [](HWND dialog) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_BUTTON, BN_CLICKED), 0);
        PostMessageA(GetDlgItem(dialog, IDC_SEARCH_LIST), LB_SETCURSEL, 1, 0);
    };
    dialogAnswer = IDC_SEARCH_OPEN;
    boxAnswer = kIdYes;
    CancelDialogs(true);
    Command(ID_USER_OPEN);
    ASSERT_STREQ(CurrentHeader().name, "木村");
    EXPECT_EQ(g_diary.graphItem[0], kChartBodyFat);
    EXPECT_EQ(Entries(kGraphMonthSelectorId), "2008年03月");
}

}  // namespace
