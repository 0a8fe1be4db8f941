#include "view/diary_selectors.h"

#include <cstdio>
#include <cstring>

#include "charts/chart_items.h"
#include "charts/graph_period.h"
#include "corelib/dates.h"
#include "corelib/utility.h"
#include "diary/diary_store.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "view/diary_layout.h"
#include "view/diary_state.h"
#include "view/record_list.h"

namespace {

constexpr int kAnalysisModeCount = 3;
constexpr std::size_t kMonthEntryLength = 10;  // "YYYY年MM月" in Shift-JIS
constexpr std::size_t kYearEntryLength = 6;    // "YYYY年"
constexpr int kEmptiedSelectors[] = {kAnalysisPeriodSelectorId, kGraphPeriodSelectorId, kGraphMonthSelectorId};

// A disabled drop-down list keeps its text but ignores the mouse and the keys.
void SetSelectorStyle(HWND selector, bool enable) { EnableWindow(selector, enable ? TRUE : FALSE); }

void ClearSelections() {
    g_diary.analysisMode = 0;
    g_diary.analysisPeriodKey[0] = '\0';
    g_diary.graphItem[0] = 0;
    g_diary.graphItem[1] = 0;
    g_diary.graphPeriod = kNoGraphPeriod;
    g_diary.graphPeriodKey[0] = '\0';
    g_diary.tableWidth = g_diary.baseTableWidth;
    g_diary.scrollCompensated = false;
}

void SelectFirstEntries() {
    for (int id : kSelectorIds) SendMessageA(Selector(id), CB_SETCURSEL, 0, 0);
    for (int id : kEmptiedSelectors) SendMessageA(Selector(id), CB_RESETCONTENT, 0, 0);
    DisableAllSelectors();
}

}  // namespace

HWND Selector(int id) { return g_diary.window ? GetDlgItem(g_diary.window, id) : nullptr; }

// Created disabled, as they stay until a user with records is open.
void CreateSelectors(HWND window, HINSTANCE instance) {
    for (int id : kSelectorIds)
        CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0,
                        0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    HWND modes = GetDlgItem(window, kAnalysisModeSelectorId);
    for (int mode = 0; mode < kAnalysisModeCount; ++mode)
        SendMessageA(modes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetRS(instance, IDS_ANALYSIS_DAILY + mode)));
    SendMessageA(modes, CB_SETCURSEL, 0, 0);
}

void EnableSelector(int id, bool enable) {
    if (HWND selector = Selector(id)) SetSelectorStyle(selector, enable);
}

void DisableAllSelectors() {
    for (int id : kSelectorIds) EnableSelector(id, false);
}

// A hidden window is painted whole when it is shown.
void RedrawSelectors() {
    if (!g_diary.window || !IsWindowVisible(g_diary.window)) return;
    for (int id : kSelectorIds) {
        HWND selector = Selector(id);
        if (!selector) continue;
        InvalidateRect(selector, nullptr, TRUE);
        UpdateWindow(selector);
    }
}

void ResetSelectorsKeepingList() {
    ClearSelections();
    SelectFirstEntries();
}

void ResetSelectors() {
    ClearSelections();
    ResetRecordList();
    SelectFirstEntries();
}

void FillPeriodList(HWND selector, bool monthly) {
    if (!selector) return;
    SendMessageA(selector, CB_RESETCONTENT, 0, 0);
    const DailyRecord* records = DiaryRecords();
    const std::uint32_t count = DiaryRecordCount();
    const std::size_t keyLength = monthly ? kMonthKeyLength : kYearKeyLength;
    char lastKey[kMonthKeyLength + 1] = "";
    for (std::uint32_t i = 0; records && i < count; ++i) {
        const char* date = records[i].date;
        if (std::strncmp(date, lastKey, keyLength) == 0) continue;
        std::memcpy(lastKey, date, keyLength);
        lastKey[keyLength] = '\0';
        char text[16];
        FormatPeriodText(lastKey, keyLength, text, sizeof text);
        SendMessageA(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

void FormatPeriodText(const char* key, std::size_t keyLength, char* out, std::size_t size) {
    if (keyLength == kMonthKeyLength)
        std::snprintf(out, size, "%.4s年%.2s月", key, key + kYearKeyLength);
    else
        std::snprintf(out, size, "%.4s年", key);
}

void PeriodKeyOfShownDate(const char* shown, bool monthly, char* key) {
    std::memcpy(key, shown, kYearKeyLength);
    if (monthly) std::memcpy(key + kYearKeyLength, shown + 5, 2);
    key[monthly ? kMonthKeyLength : kYearKeyLength] = '\0';
}

bool PeriodKeyOfEntry(const char* text, bool monthly, char* key) {
    if (std::strlen(text) != (monthly ? kMonthEntryLength : kYearEntryLength)) return false;
    std::memcpy(key, text, kYearKeyLength);
    if (monthly) std::memcpy(key + kYearKeyLength, text + 6, 2);
    key[monthly ? kMonthKeyLength : kYearKeyLength] = '\0';
    return true;
}

void SelectPeriodEntry(int selectorId, const char* key, bool monthly) {
    HWND selector = Selector(selectorId);
    if (!selector) return;
    char text[32];
    FormatPeriodText(key, monthly ? kMonthKeyLength : kYearKeyLength, text, sizeof text);
    const LRESULT index =
        SendMessageA(selector, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    SendMessageA(selector, CB_SETCURSEL, index == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(index), 0);
}

void FillItemList(HWND selector) {
    if (!selector) return;
    SendMessageA(selector, CB_RESETCONTENT, 0, 0);
    for (int item = kChartNone; item < kChartItemCount; ++item)
        if (ChartItemAvailable(item, InputItems()))
            SendMessageA(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ChartItemName(item)));
}

void FillGraphPeriodList(HWND selector) {
    if (!selector) return;
    SendMessageA(selector, CB_RESETCONTENT, 0, 0);
    for (int period = kGraphPeriodMonthly; period < kGraphPeriodCount; ++period)
        SendMessageA(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PelmoText(IDS_GRAPH_PERIOD_MONTHLY + period)));
}

void RefreshSelectorsAfterRecordChange() {
    if (g_diary.analysisMode == kAnalysisMonthly || g_diary.analysisMode == kAnalysisYearly) {
        EnableSelector(kAnalysisPeriodSelectorId, true);
        FillPeriodList(Selector(kAnalysisPeriodSelectorId), g_diary.analysisMode == kAnalysisMonthly);
    }
    if (g_diary.graphPeriod == kGraphPeriodMonthly || g_diary.graphPeriod == kGraphPeriodYearly) {
        EnableSelector(kGraphMonthSelectorId, true);
        FillPeriodList(Selector(kGraphMonthSelectorId), g_diary.graphPeriod == kGraphPeriodMonthly);
    }
}

void NotifySelectorChange(HWND window, int id) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}
