// The record table in a stand-in diary window: keys, clicks, the calendar's
// requests, the sync, the rows as painted and the widening for the scroll bar.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "charts/painters/record_table.h"
#include "corelib/utility.h"
#include "corelib/win32/calendar.h"
#include "diary/diary_store.h"
#include "resources/resource.h"
#include "view/diary_paint.h"
#include "view/diary_state.h"
#include "view/record_list.h"

namespace {

std::vector<WORD> g_commands;
int g_sizes = 0;
int g_evaluations = 0;

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM:
        DrawRecordListItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCalendarNavigateCommand)
            return HandleCalendarRequest(LOWORD(lParam), HIWORD(lParam));
        if (lParam == 0) g_commands.push_back(LOWORD(wParam));  // not the list's own notices
        return 0;
    case WM_SIZE:
        ++g_sizes;
        if (g_diary.recordList)
            MoveWindow(g_diary.recordList, 4, 2 * g_diary.textAscent + 7, g_diary.tableWidth - 5,
                       static_cast<int>(SendMessageA(g_diary.recordList, LB_GETITEMHEIGHT, 0, 0)) * 6, TRUE);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

DailyRecord Day(const char* date, double weight, double bodyFat = 0) {
    DailyRecord day;
    std::memset(&day, 0, sizeof day);
    std::memcpy(day.date, date, kDateLength);
    day.weight = weight;
    day.bodyFat = bodyFat;
    return day;
}

// The texts a painter drew, read back from an enhanced metafile.
int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM texts) {
    auto* out = reinterpret_cast<std::vector<std::string>*>(texts);
    if (record->iType == EMR_EXTTEXTOUTW) {
        auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const wchar_t* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
        char bytes[256] = {};
        WideCharToMultiByte(932, 0, chars, static_cast<int>(text->emrtext.nChars), bytes, sizeof bytes - 1, nullptr, nullptr);
        out->push_back(bytes);
    } else if (record->iType == EMR_EXTTEXTOUTA) {
        auto* text = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        out->emplace_back(reinterpret_cast<const char*>(record) + text->emrtext.offString, text->emrtext.nChars);
    }
    return 1;
}

// Each text a painter drew with the text colour in force.
struct ColoredText {
    COLORREF color;
    std::string text;
};
int CALLBACK CollectColoredText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM out) {
    static COLORREF color = 0;
    auto* texts = reinterpret_cast<std::vector<ColoredText>*>(out);
    if (record->iType == EMR_SETTEXTCOLOR) color = reinterpret_cast<const EMRSETTEXTCOLOR*>(record)->crColor;
    std::vector<std::string> one;
    CollectText(nullptr, nullptr, record, 0, reinterpret_cast<LPARAM>(&one));
    for (const std::string& t : one) texts->push_back({color, t});
    return 1;
}

class RecordListTest : public ::testing::Test {
protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = StandInProc;
        wc.hInstance = instance;
        wc.lpszClassName = "RecordListStandIn";
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassA(&wc);
        g_diary = DiaryWindowState{};
        g_commands.clear();
        g_sizes = 0;
        g_evaluations = 0;
        window_ = CreateWindowA("RecordListStandIn", "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 500, nullptr, nullptr, instance, nullptr);
        ASSERT_NE(window_, nullptr);
        g_diary.window = window_;
        g_diary.textAscent = 16;
        ComputeRecordColumns(16);
        g_diary.calendar = CreateWindowA("STATIC", "", WS_CHILD, 500, 0, 200, 30, window_,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDW_CALENDAR)), instance, nullptr);
        ASSERT_NE(CreateRecordList(window_, instance), nullptr);
        SetRecordListHooks(RecordListHooks{[](HWND) { ++g_evaluations; }, nullptr});
        SendMessageA(window_, WM_SIZE, 0, 0);
        g_sizes = 0;
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        UpdateWindow(window_);
        UserHeader header = {};
        header.height = 170.0;
        header.targetWeight = 65.0;
        header.targetBodyFat = 20.0;
        header_ = header;
        InputItems() = InputItemFlags{{1, 0, 0, 0, 0, 0, 0}};
    }
    void TearDown() override {
        SetRecordListHooks(RecordListHooks{});
        DestroyWindow(window_);
        CloseUser();
        g_diary = DiaryWindowState{};
    }

    // Makes these days the open user's and refills the list (the blank line selected).
    void Open(const std::vector<DailyRecord>& days) {
        auto* block = static_cast<DailyRecord*>(std::malloc((days.size() + 1) * sizeof(DailyRecord)));
        for (std::size_t i = 0; i < days.size(); ++i) std::memcpy(&block[i], &days[i], sizeof(DailyRecord));
        AdoptUser(header_, block, static_cast<std::uint32_t>(days.size()), static_cast<std::uint32_t>(days.size() + 1));
        SetUserOpen();
        RefillRecordList(days.size() + 1);
        UpdateWindow(g_diary.recordList);
    }

    static std::string CalendarText() {
        char text[32] = {};
        GetWindowTextA(g_diary.calendar, text, sizeof text);
        return text;
    }
    static long Selection() { return static_cast<long>(SendMessageA(g_diary.recordList, LB_GETCURSEL, 0, 0)); }
    static void Select(long line) { SendMessageA(g_diary.recordList, LB_SETCURSEL, line, 0); }
    LRESULT Request(int code, int line = 0) {
        return SendMessageA(window_, WM_COMMAND, MAKEWPARAM(kCalendarNavigateCommand, 0), MAKELPARAM(code, line));
    }
    static void Key(UINT message, WPARAM key) { SendMessageA(g_diary.recordList, message, key, 0); }
    // The list's owner-draw of one whole line into dc.
    static void DrawLine(HDC dc, int line, int top) {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_LISTBOX;
        item.CtlID = kRecordListId;
        item.itemID = static_cast<UINT>(line);
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = g_diary.recordList;
        item.hDC = dc;
        item.rcItem = {0, top, 200, top + 20};
        DrawRecordListItem(&item);
    }
    static void Paint() {
        InvalidateRect(g_diary.recordList, nullptr, TRUE);
        UpdateWindow(g_diary.recordList);
    }

    HWND window_ = nullptr;
    UserHeader header_ = {};
};

std::string TodayText() {
    const std::uint16_t today = GetDate();
    char text[16];
    std::snprintf(text, sizeof text, "%4d/%02d/%02d", PackedDateYear(today), PackedDateMonth(today), PackedDateDay(today));
    return text;
}

}  // namespace

// The rule from the ascent (16: eight pixels a title byte) where the font in
// use fits it, wider where it does not (the pixels: RecordTablePainters).
TEST_F(RecordListTest, ColumnsFollowTheTitlesAndWidenForTheFontInUse) {
    const int titleBytes[kRecordTableColumns] = {5, 5, 6, 6, 8, 10, 9};
    EXPECT_EQ(g_diary.columnStarts[0], 2);
    for (int i = 0; i + 1 < kRecordTableColumns; ++i)
        EXPECT_GE(g_diary.columnStarts[i + 1] - g_diary.columnStarts[i] - 3, titleBytes[i] * 8) << i;
    EXPECT_GE(g_diary.baseTableWidth - g_diary.columnStarts[6] - 3, titleBytes[6] * 8);
    EXPECT_EQ(g_diary.tableWidth, g_diary.baseTableWidth);
}

TEST_F(RecordListTest, TheBlankLineShowsTodayAndARecordItsDate) {
    Open({Day("20070105", 60), Day("20070201", 61)});
    EXPECT_EQ(SendMessageA(g_diary.recordList, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(CalendarText(), TodayText());
    Select(0);
    SendMessageA(g_diary.recordList, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(CalendarText(), "2007/01/05");
    EXPECT_GT(g_evaluations, 0);
}

TEST_F(RecordListTest, CalendarRequestsMoveTheSelectionAndAnswerTheDate) {
    Open({Day("20060131", 60), Day("20070105", 61), Day("20070201", 62)});
    Select(0);
    EXPECT_EQ(Request(2), 20070105);  // the next month of a year, not of a month number
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(CalendarText(), "2007/01/05");
    EXPECT_EQ(Request(2), 20070201);
    EXPECT_EQ(Request(2), 0);          // the last record: nowhere to go
    EXPECT_EQ(Selection(), 2);
    Select(3);                          // the blank line
    EXPECT_EQ(Request(3), 20070201);   // the first record of the last record's month
    Select(1);
    EXPECT_EQ(Request(3), 20060131);   // record 0 of another month
    EXPECT_EQ(Request(1), 0);
    EXPECT_EQ(Request(4, 3), 1);
    EXPECT_EQ(Selection(), 3);
    EXPECT_EQ(CalendarText(), TodayText());
    SetWindowTextA(g_diary.calendar, "2007/01/05");
    EXPECT_EQ(Request(5), 1);
    EXPECT_EQ(Selection(), 1);
    SetWindowTextA(g_diary.calendar, "2007/01/06");
    EXPECT_EQ(Request(5), 1);
    EXPECT_EQ(Selection(), 3);
    EXPECT_EQ(Request(9), 0);
}

// A double click opens a new day on the blank line and the record elsewhere. A
// right click first selects the line under the pointer (the calendar follows), so
// that the popup's 修正 acts on it; below the last line it changes nothing.
TEST_F(RecordListTest, DoubleAndRightClicksActOnTheLineClicked) {
    Open({Day("20070105", 60), Day("20070106", 61), Day("20070107", 62)});
    SendMessageA(g_diary.recordList, WM_LBUTTONDBLCLK, 0, 0);
    Select(0);
    SendMessageA(g_diary.recordList, WM_LBUTTONDBLCLK, 0, 0);
    g_diary.recordPopup = CreatePopupMenu();
    AppendMenuA(g_diary.recordPopup, MF_STRING, ID_DAY_NEW, "入力");
    AppendMenuA(g_diary.recordPopup, MF_STRING, ID_DAY_EDIT, "修正");
    RECT line = {};
    SendMessageA(g_diary.recordList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&line));
    // The menu's own loop reads these: the second entry, chosen.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageA(g_diary.recordList, WM_KEYDOWN, key, 0);
    SendMessageA(g_diary.recordList, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(line.left + 20, line.top + 2));
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    EXPECT_EQ(g_commands, (std::vector<WORD>{ID_DAY_NEW, ID_DAY_EDIT, ID_DAY_EDIT}));
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(CalendarText(), "2007/01/07");
    DestroyMenu(g_diary.recordPopup);
    g_diary.recordPopup = nullptr;
    SendMessageA(g_diary.recordList, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&line));
    SendMessageA(g_diary.recordList, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(line.left + 20, line.bottom + 30));
    EXPECT_EQ(Selection(), 2);
}

TEST_F(RecordListTest, KeysBecomeCommandsOnlyWithCtrlForLetters) {
    Open({Day("20070105", 60)});
    Key(WM_KEYDOWN, VK_F2);
    Key(WM_KEYDOWN, VK_F3);
    Key(WM_KEYDOWN, VK_DELETE);
    Key(WM_KEYDOWN, 'N');
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Key(WM_KEYDOWN, 'N');
    Key(WM_KEYDOWN, 'O');
    Key(WM_KEYDOWN, 'A');
    Key(WM_KEYDOWN, 'D');
    Key(WM_KEYDOWN, 'P');
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    const std::vector<WORD> expected = {ID_DAY_EDIT, ID_DAY_NEW,  ID_DAY_DELETE, ID_USER_NEW,
                                        ID_USER_OPEN, ID_USER_AMEND, ID_USER_DELETE, ID_RECORDS_PRINT};
    EXPECT_EQ(g_commands, expected);
}

TEST_F(RecordListTest, HoldingDownSyncsBeforeEachMoveAndReleasingOrATypedCharacterSyncsTheLastLine) {
    Open({Day("20070105", 60), Day("20070106", 61), Day("20070107", 62)});
    Select(0);
    Key(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(CalendarText(), "2007/01/05");  // the sync sees the line before the move
    EXPECT_EQ(Selection(), 1);
    Key(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(CalendarText(), "2007/01/06");
    Key(WM_KEYUP, VK_DOWN);
    EXPECT_EQ(CalendarText(), "2007/01/07");
    // The list box's own search by the first character: every line reads "*", so
    // a typed "*" (the numeric pad's) steps a line on, and wraps at the end.
    Key(WM_CHAR, '*');
    EXPECT_EQ(Selection(), 3);
    EXPECT_EQ(CalendarText(), TodayText());
    Key(WM_CHAR, '*');
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(CalendarText(), "2007/01/05");
}

TEST_F(RecordListTest, SyncSelectsTheMonthOfTheShownDay) {
    HWND periods = CreateWindowA("COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAnalysisPeriodSelectorId)), nullptr, nullptr);
    SendMessageA(periods, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("2007年01月"));
    SendMessageA(periods, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("2007年02月"));
    g_diary.analysisMode = 1;
    Open({Day("20070105", 60), Day("20070201", 61)});
    Select(1);
    ResyncRecordList();
    EXPECT_STREQ(g_diary.analysisPeriodKey, "200702");
    EXPECT_EQ(SendMessageA(periods, CB_GETCURSEL, 0, 0), 1);
    Select(0);
    const int before = g_evaluations;
    SendMessageA(g_diary.recordList, WM_LBUTTONUP, 0, 0);
    EXPECT_STREQ(g_diary.analysisPeriodKey, "200701");
    EXPECT_EQ(SendMessageA(periods, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(g_evaluations, before + 2);  // the new period, then the day
    Select(2);  // today's month has no entry: no selection
    ResyncRecordList();
    EXPECT_EQ(SendMessageA(periods, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(RecordListTest, TheRowPainterDrawsTheDayAndStoresItsBmi) {
    Open({Day("20070105", 70.0, 22.5), Day("20070106", 60.0)});
    HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(metafile, nullptr);
    DrawLine(metafile, 0, 0);
    DrawLine(metafile, 1, 20);
    DrawLine(metafile, 2, 40);  // the blank line: background and separators only
    HENHMETAFILE drawn = CloseEnhMetaFile(metafile);
    std::vector<std::string> texts;
    EnumEnhMetaFile(nullptr, drawn, CollectText, &texts, nullptr);
    DeleteEnhMetaFile(drawn);
    std::vector<std::string> words;
    for (const std::string& t : texts)
        if (t.find_first_not_of(' ') != std::string::npos) words.push_back(t);
    const std::vector<std::string> expected = {"01/05", " 70.0",  "22.5",   "  24.2", "普通体重", "   5.0", "   2.5",
                                               "01/06", " 60.0",  "  20.8", "普通体重", "  -5.0"};
    EXPECT_EQ(words, expected);
    EXPECT_NEAR(DiaryRecords()[0].bmi, 24.22, 0.01);
    EXPECT_NEAR(DiaryRecords()[1].bmi, 20.76, 0.01);
}

TEST_F(RecordListTest, OverflowingRowsWidenTheTableOnceAndFittingRowsNarrowIt) {
    Open({Day("20070101", 60), Day("20070102", 60)});
    Paint();
    const int sizes = g_sizes;
    EXPECT_FALSE(g_diary.scrollCompensated);
    EXPECT_EQ(g_diary.tableWidth, g_diary.baseTableWidth);
    std::vector<DailyRecord> many;
    for (int d = 1; d <= 9; ++d) {
        char date[9];
        std::snprintf(date, sizeof date, "200701%02d", d);
        many.push_back(Day(date, 60));
    }
    Open(many);  // ten lines in a list six lines high
    Paint();
    EXPECT_TRUE(g_diary.scrollCompensated);
    EXPECT_EQ(g_diary.tableWidth, g_diary.baseTableWidth + GetSystemMetrics(SM_CXVSCROLL) + 2);
    EXPECT_EQ(g_sizes, sizes + 1);
    Paint();
    EXPECT_EQ(g_sizes, sizes + 1);  // once
    many.resize(3);
    Open(many);
    Paint();
    EXPECT_FALSE(g_diary.scrollCompensated);
    EXPECT_EQ(g_diary.tableWidth, g_diary.baseTableWidth);
    EXPECT_EQ(g_sizes, sizes + 2);
}

TEST_F(RecordListTest, ResetLeavesTheBlankLineSelected) {
    Open({Day("20070105", 60)});
    ResetRecordList();
    EXPECT_EQ(SendMessageA(g_diary.recordList, LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(Selection(), 0);
}

TEST_F(RecordListTest, TheHeaderHidesTheBodyFatTitleWhenBodyFatIsNotRecorded) {
    auto header = [&] {
        HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        drawRecordHeader(metafile, RecordHeaderPlaceOf(window_));
        HENHMETAFILE drawn = CloseEnhMetaFile(metafile);
        std::vector<ColoredText> texts;
        EnumEnhMetaFile(nullptr, drawn, CollectColoredText, &texts, nullptr);
        DeleteEnhMetaFile(drawn);
        return texts;
    };
    auto colorOf = [](const std::vector<ColoredText>& texts, const char* text) {
        for (const ColoredText& t : texts)
            if (t.text == text) return t.color;
        return static_cast<COLORREF>(CLR_INVALID);
    };
    std::vector<ColoredText> shown = header();
    int titles = 0;
    for (const ColoredText& t : shown) titles += t.text == "ＢＭＩ" || t.text == "差(体重)";
    EXPECT_EQ(titles, 4);  // each title twice, one pixel apart
    EXPECT_EQ(colorOf(shown, "体脂肪"), PALETTEINDEX(32));
    EXPECT_EQ(colorOf(shown, "％"), PALETTEINDEX(32));
    InputItems() = InputItemFlags{{0, 0, 0, 0, 0, 0, 0}};
    std::vector<ColoredText> hidden = header();
    EXPECT_EQ(colorOf(hidden, "体脂肪"), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(colorOf(hidden, "％"), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(colorOf(hidden, "ＢＭＩ"), PALETTEINDEX(32));
}

TEST_F(RecordListTest, TheAreaBelowTheLastLineLooksLikeEmptyRows) {
    Open({Day("20070105", 60)});  // two lines in a list six lines high
    HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(SendMessageA(g_diary.recordList, WM_ERASEBKGND, reinterpret_cast<WPARAM>(metafile), 0), 0);
    HENHMETAFILE drawn = CloseEnhMetaFile(metafile);
    std::vector<std::string> texts;
    EnumEnhMetaFile(nullptr, drawn, CollectText, &texts, nullptr);
    DeleteEnhMetaFile(drawn);
    EXPECT_EQ(texts.size(), 4u);  // one background per empty slot
}
