#include "view/selector_changes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "charts/chart_items.h"
#include "corelib/dates.h"
#include "corelib/registry.h"
#include "diary/diary_store.h"
#include "view/diary_links.h"
#include "view/diary_selectors.h"
#include "view/diary_state.h"
#include "view/graph_view.h"

namespace {

// The choices carried from one run to the next (settings area, decimal text).
const char kAnalysisModeValue[] = "ANALYZE2";
const char* const kGraphItemValues[2] = {"LINEGRAPH1", "LINEGRAPH2"};
const char kGraphPeriodValue[] = "LINEGRAPH3";

constexpr int kItemSelectors[2] = {kGraphItem1SelectorId, kGraphItem2SelectorId};
constexpr int kSelectorTextSize = 64;

// Set while the choices of the last run are applied from the registry: that
// is no choice of the person's, and a stored item this user does not record
// stays stored for the next user who does.
bool g_keepStoredSettings = false;

void StoreSetting(const char* name, int value) {
    if (g_keepStoredSettings) return;
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    SetRegistryValue(name, text, kAreaSettings);
}

bool ReadSetting(const char* name, int* value) {
    char text[256] = "";
    if (!GetRegistryValue(name, text, sizeof text, kAreaSettings)) return false;
    *value = std::atoi(text);
    return true;
}

int Selection(int id) {
    HWND selector = Selector(id);
    return selector ? static_cast<int>(SendMessageA(selector, CB_GETCURSEL, 0, 0)) : CB_ERR;
}

// The text of the selected entry; "" without a selection.
void SelectedText(int id, char (&text)[kSelectorTextSize]) {
    text[0] = '\0';
    HWND selector = Selector(id);
    const int selection = Selection(id);
    if (selection < 0) return;
    const LRESULT length = SendMessageA(selector, CB_GETLBTEXTLEN, static_cast<WPARAM>(selection), 0);
    if (length == CB_ERR || length >= kSelectorTextSize) return;
    SendMessageA(selector, CB_GETLBTEXT, static_cast<WPARAM>(selection), reinterpret_cast<LPARAM>(text));
}

bool Select(int id, int index) {
    HWND selector = Selector(id);
    return selector && SendMessageA(selector, CB_SETCURSEL, static_cast<WPARAM>(index), 0) != CB_ERR;
}

int EntryCount(int id) {
    HWND selector = Selector(id);
    return selector ? static_cast<int>(SendMessageA(selector, CB_GETCOUNT, 0, 0)) : 0;
}

void EmptySelector(int id) {
    if (HWND selector = Selector(id)) SendMessageA(selector, CB_RESETCONTENT, 0, 0);
}

void ShownDate(char (&shown)[kShownDateSize]) {
    shown[0] = '\0';
    char text[32] = "";
    if (g_diary.calendar) GetWindowTextA(g_diary.calendar, text, sizeof text);
    std::snprintf(shown, sizeof shown, "%s", text);
}

// The item whose name is text; 0 for any other text.
int ItemOfName(const char* text) {
    for (int item = kChartNone; item < kChartItemCount; ++item)
        if (std::strcmp(ChartItemName(item), text) == 0) return item;
    return kChartNone;
}

// A month or year list opened at the calendar's date: the period key
// becomes the shown month or year, whose entry is selected when it is listed.
void OpenPeriodList(int selectorId, bool monthly, char* key) {
    char shown[kShownDateSize];
    ShownDate(shown);
    PeriodKeyOfShownDate(shown, monthly, key);
    EnableSelector(selectorId, true);
    RedrawSelectors();
    FillPeriodList(Selector(selectorId), monthly);
    SelectPeriodEntry(selectorId, key, monthly);
}

void ClosePeriodList(int selectorId) {
    EnableSelector(selectorId, false);
    RedrawSelectors();
    EmptySelector(selectorId);
}

// The month or year chosen in a period list becomes the key (kPeriodKeyCapacity
// bytes); true when it is another one. An entry that is not a whole month or
// year ("YYYY年MM月", "YYYY年") is ignored.
bool TakeChosenPeriod(int selectorId, bool monthly, char* key) {
    char text[kSelectorTextSize];
    SelectedText(selectorId, text);
    char chosen[kPeriodKeyCapacity];
    if (!PeriodKeyOfEntry(text, monthly, chosen) || std::strcmp(chosen, key) == 0) return false;
    std::strcpy(key, chosen);
    return true;
}

// --- Each user's own graph ------------------------------------------------------

// The line graph's items and period of every user opened in this run, kept
// while another user is open and given back when this one is opened again.
struct GraphChoice {
    int item[2];
    int period;
};
std::map<std::string, GraphChoice> g_graphChoices;

// A user's number and name: a number given again after a deletion is another person.
std::string GraphChoiceKey() {
    const UserHeader& header = CurrentHeader();
    return std::to_string(header.userNumber) + ":" + std::string(header.name, strnlen(header.name, sizeof header.name));
}

void RememberGraphChoice() {
    if (!IsUserOpen()) return;
    g_graphChoices[GraphChoiceKey()] = GraphChoice{{g_diary.graphItem[0], g_diary.graphItem[1]}, g_diary.graphPeriod};
}

// --- Analysis: 101 and 102 ---------------------------------------------------

void OnAnalysisModeChange(HWND window) {
    const int mode = Selection(kAnalysisModeSelectorId);
    if (DiaryRecordCount() == 0 || mode == g_diary.analysisMode) return;
    // Only the three modes are stored: a list without a selection changes nothing.
    if (mode < kAnalysisDaily || mode > kAnalysisYearly) return;
    g_diary.analysisMode = mode;
    StoreSetting(kAnalysisModeValue, mode);
    if (mode == kAnalysisDaily) {
        g_diary.analysisPeriodKey[0] = '\0';
        ClosePeriodList(kAnalysisPeriodSelectorId);
    } else {
        OpenPeriodList(kAnalysisPeriodSelectorId, mode == kAnalysisMonthly, g_diary.analysisPeriodKey);
    }
    EvaluateDiary(window);
}

void OnAnalysisPeriodChange(HWND window) {
    const int mode = g_diary.analysisMode;
    if (mode != kAnalysisMonthly && mode != kAnalysisYearly) return;
    if (TakeChosenPeriod(kAnalysisPeriodSelectorId, mode == kAnalysisMonthly, g_diary.analysisPeriodKey))
        EvaluateDiary(window);
}

// --- Line graph: 200 and 201 -------------------------------------------------

// Both item selectors at "-未設定-": no period to choose. Otherwise the period
// list is filled the first time an item is chosen, and the monthly graph comes up.
void FollowItemsWithPeriod(HWND window, int side) {
    if (Selection(kGraphItem1SelectorId) == 0 && Selection(kGraphItem2SelectorId) == 0) {
        EmptySelector(kGraphPeriodSelectorId);
        EmptySelector(kGraphMonthSelectorId);
        EnableSelector(kGraphPeriodSelectorId, false);
        EnableSelector(kGraphMonthSelectorId, false);
        RedrawSelectors();
        g_diary.graphItem[side] = kChartNone;
        g_diary.graphPeriod = kNoGraphPeriod;
        g_diary.graphPeriodKey[0] = '\0';
    } else if (EntryCount(kGraphPeriodSelectorId) == 0) {
        EnableSelector(kGraphPeriodSelectorId, true);
        EnableSelector(kGraphMonthSelectorId, true);
        RedrawSelectors();
        FillGraphPeriodList(Selector(kGraphPeriodSelectorId));
        g_diary.graphPeriod = kNoGraphPeriod;
        Select(kGraphPeriodSelectorId, 0);
        NotifySelectorChange(window, kGraphPeriodSelectorId);
    }
}

// An item chosen on one side: the other side's list is rebuilt without it and
// keeps showing its own item. When that item was the one just chosen, the
// other list falls back to the chosen entry's index (or its first entry), and
// the other side's item becomes what its list now shows.
void OnGraphItemChange(HWND window, int side) {
    const int other = 1 - side;
    const int ownId = kItemSelectors[side], otherId = kItemSelectors[other];
    const int chosenIndex = Selection(ownId);
    char chosen[kSelectorTextSize];
    SelectedText(ownId, chosen);
    char shownOther[kSelectorTextSize];
    SelectedText(otherId, shownOther);
    // A list that shows nothing yet (filled at the start) stands for its side's item.
    if (!shownOther[0]) std::snprintf(shownOther, sizeof shownOther, "%s", ChartItemName(g_diary.graphItem[other]));

    HWND otherList = Selector(otherId);
    EmptySelector(otherId);
    g_diary.graphItem[side] = kChartNone;
    int fallback = chosenIndex;
    const InputItemFlags& flags = InputItems();
    for (int item = kChartNone; item < kChartItemCount; ++item) {
        const char* name = ChartItemName(item);
        const bool differs = std::strcmp(name, chosen) != 0;
        if (otherList && ChartItemAvailable(item, flags) && (differs || item == kChartNone)) {
            const LRESULT at = SendMessageA(otherList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
            if (at >= 0 && std::strcmp(name, shownOther) == 0) fallback = static_cast<int>(at);
        }
        if (!differs) {
            g_diary.graphItem[side] = item;
            StoreSetting(kGraphItemValues[side], item);
        }
    }
    if (!Select(otherId, fallback)) Select(otherId, 0);

    char nowOther[kSelectorTextSize];
    SelectedText(otherId, nowOther);
    const int otherItem = ItemOfName(nowOther);
    if (otherItem != g_diary.graphItem[other]) {
        g_diary.graphItem[other] = otherItem;
        StoreSetting(kGraphItemValues[other], otherItem);
    }
    FollowItemsWithPeriod(window, side);
    RememberGraphChoice();
    RepaintGraph(window);
}

// --- Line graph: 202 and 203 -------------------------------------------------

void OnGraphPeriodChange(HWND window) {
    if (DiaryRecordCount() == 0) return;
    // No selection reads as 255, which draws like no period.
    const int period = static_cast<unsigned char>(Selection(kGraphPeriodSelectorId));
    if (period != g_diary.graphPeriod) {
        g_diary.graphPeriod = period;
        if (period == kGraphPeriodMonthly || period == kGraphPeriodYearly)
            OpenPeriodList(kGraphMonthSelectorId, period == kGraphPeriodMonthly, g_diary.graphPeriodKey);
        else
            ClosePeriodList(kGraphMonthSelectorId);
        StoreSetting(kGraphPeriodValue, period);
    }
    RememberGraphChoice();
    RepaintGraph(window);
}

void OnGraphMonthChange(HWND window) {
    const int period = g_diary.graphPeriod;
    if (period != kGraphPeriodMonthly && period != kGraphPeriodYearly) return;
    if (TakeChosenPeriod(kGraphMonthSelectorId, period == kGraphPeriodMonthly, g_diary.graphPeriodKey))
        RepaintGraph(window);
}

// An item chosen in its list by its name, as the person would; "-未設定-" for
// an item the user does not record or a code that is no item.
void SelectGraphItem(HWND window, int side, int item) {
    g_diary.graphItem[side] = item;
    HWND list = Selector(kItemSelectors[side]);
    if (!list) return;
    LRESULT index = CB_ERR;
    if (item >= kChartNone && item < kChartItemCount)
        index = SendMessageA(list, CB_FINDSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(ChartItemName(item)));
    SendMessageA(list, CB_SETCURSEL, index == CB_ERR ? 0 : static_cast<WPARAM>(index), 0);
    NotifySelectorChange(window, kItemSelectors[side]);
}

// Both item lists filled with the open user's items, the items and the
// period chosen in them; the month or year list is built anew for this user.
void ApplyGraphChoice(HWND window, const GraphChoice& choice) {
    FillItemList(Selector(kGraphItem1SelectorId));
    FillItemList(Selector(kGraphItem2SelectorId));
    SelectGraphItem(window, 0, choice.item[0]);
    SelectGraphItem(window, 1, choice.item[1]);
    Select(kGraphPeriodSelectorId, choice.period & 0xFF);
    g_diary.graphPeriod = kNoGraphPeriod;
    NotifySelectorChange(window, kGraphPeriodSelectorId);
}

}  // namespace

void OnSelectorChange(HWND window, int id) {
    switch (id) {
    case kAnalysisModeSelectorId: OnAnalysisModeChange(window); break;
    case kAnalysisPeriodSelectorId: OnAnalysisPeriodChange(window); break;
    case kGraphItem1SelectorId: OnGraphItemChange(window, 0); break;
    case kGraphItem2SelectorId: OnGraphItemChange(window, 1); break;
    case kGraphPeriodSelectorId: OnGraphPeriodChange(window); break;
    case kGraphMonthSelectorId: OnGraphMonthChange(window); break;
    default: break;
    }
}

void RestoreSelectors(HWND window) {
    g_keepStoredSettings = true;
    EnableSelector(kAnalysisModeSelectorId, true);
    EnableSelector(kGraphItem1SelectorId, true);
    EnableSelector(kGraphItem2SelectorId, true);
    RedrawSelectors();
    int mode = 0;
    if (ReadSetting(kAnalysisModeValue, &mode) && mode >= kAnalysisDaily && mode <= kAnalysisYearly) {
        g_diary.analysisMode = mode;
        Select(kAnalysisModeSelectorId, mode);
    }
    // The mode is taken from the list again, which builds its period list.
    g_diary.analysisMode = kAnalysisModeForceChange;
    NotifySelectorChange(window, kAnalysisModeSelectorId);

    GraphChoice stored = {{g_diary.graphItem[0], g_diary.graphItem[1]}, 0};
    for (int side = 0; side < 2; ++side) ReadSetting(kGraphItemValues[side], &stored.item[side]);
    ReadSetting(kGraphPeriodValue, &stored.period);
    ApplyGraphChoice(window, stored);
    g_keepStoredSettings = false;
}

void GiveBackGraphChoice(HWND window) {
    GraphChoice choice = {{g_diary.graphItem[0], g_diary.graphItem[1]}, g_diary.graphPeriod};
    const auto remembered = g_graphChoices.find(GraphChoiceKey());
    if (remembered != g_graphChoices.end()) choice = remembered->second;
    ApplyGraphChoice(window, choice);
}

void ForgetGraphChoices() { g_graphChoices.clear(); }
