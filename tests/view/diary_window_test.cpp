// The diary window: creation, layout, the commands with and without an open
// user, the title around the splash, the chart palette, and the calendar's
// requests as they move the record table.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "corelib/msgbox.h"
#include "corelib/registry.h"
#include "corelib/win32/calendar.h"
#include "corelib/win32/takku.h"
#include "diary/diary_store.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "diary_window_fixture.h"
#include "resources/resource.h"
#include "shell/splash.h"
#include "support/pinned_clock.h"
#include "view/diary_commands.h"
#include "view/diary_layout.h"
#include "view/diary_selectors.h"
#include "view/diary_state.h"

namespace {

bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(g_diary.window, id)) != FALSE; }

int SelectorCount(int id) { return static_cast<int>(SendMessageA(GetDlgItem(g_diary.window, id), CB_GETCOUNT, 0, 0)); }

void ExpectAllSelectorsDisabled() {
    for (int id : kSelectorIds) EXPECT_FALSE(Enabled(id)) << "selector " << id;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The days in the data file "1.DAT" of the fixture's user; -1 without a file.
int DaysOnDisk(const Sandbox& sandbox) {
    const std::string saved = FileText(sandbox.path("1.DAT"));
    return saved.empty() ? -1 : static_cast<int>((saved.size() - sizeof(UserHeader)) / sizeof(DailyRecord));
}

HDC Smear(HWND window) {  // stale pixels over the whole client area: what a paint must cover
    RECT all;
    GetClientRect(window, &all);
    HDC dc = GetDC(window);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return dc;
}

PALETTEENTRY Entry(int index) {
    PALETTEENTRY entry = {};
    GetPaletteEntries(g_diary.palette, static_cast<UINT>(index), 1, &entry);
    return entry;
}

#define EXPECT_ENTRY(index, r, g, b)               \
    do {                                           \
        PALETTEENTRY e = Entry(index);             \
        EXPECT_EQ(e.peRed, r) << "entry " << index;   \
        EXPECT_EQ(e.peGreen, g) << "entry " << index; \
        EXPECT_EQ(e.peBlue, b) << "entry " << index;  \
    } while (0)

}  // namespace

TEST_F(DiaryWindowTest, CreationLeavesOneBlankLineSelectedAndEverySelectorDisabled) {
    CreateWindows();
    EXPECT_EQ(ListCount(), 1);
    EXPECT_EQ(ListSelection(), 0);
    char line[8] = "";
    SendMessageA(g_diary.recordList, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_STREQ(line, "*");
    EXPECT_EQ(GetDlgCtrlID(g_diary.recordList), kRecordListId);
    ExpectAllSelectorsDisabled();
    EXPECT_EQ(SelectorCount(kAnalysisModeSelectorId), 3);
    EXPECT_EQ(SendMessageA(GetDlgItem(diary_, kAnalysisModeSelectorId), CB_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(IsUserOpen());
    // The container keeps the palette for the record list.
    EXPECT_NE(g_diary.palette, nullptr);
    EXPECT_EQ(TakkuPalette(container_), g_diary.palette);
    // W = W0 = 23 + 49h, h half the ascent, or wider where the font in use needs it.
    const int h = g_diary.textAscent / 2;
    EXPECT_GT(g_diary.textAscent, 0);
    EXPECT_GE(g_diary.baseTableWidth, 23 + 49 * h);
    EXPECT_EQ(g_diary.tableWidth, g_diary.baseTableWidth);
    // The popup menu of the record list: 入力, 修正, 削除.
    ASSERT_NE(g_diary.recordPopup, nullptr);
    ASSERT_EQ(GetMenuItemCount(g_diary.recordPopup), 3);
    EXPECT_EQ(GetMenuItemID(g_diary.recordPopup, 0), static_cast<UINT>(ID_DAY_NEW));
    EXPECT_EQ(GetMenuItemID(g_diary.recordPopup, 1), static_cast<UINT>(ID_DAY_EDIT));
    EXPECT_EQ(GetMenuItemID(g_diary.recordPopup, 2), static_cast<UINT>(ID_DAY_DELETE));
    char text[32] = "";
    GetMenuStringA(g_diary.recordPopup, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "修正(&M)...\tF2");
    // Messages the window answers itself.
    EXPECT_EQ(SendMessageA(diary_, kMsgDiaryNoop, 0, 0), 0);
    EXPECT_EQ(SendMessageA(diary_, WM_ERASEBKGND, 0, 0), 0);
    EXPECT_EQ(Command(12345), 0);
}

TEST(DiaryLayout, SmallAndLargeAscentsGiveTheirUnits) {
    EXPECT_EQ(TextUnitsOf(12).u, 16);
    EXPECT_EQ(TextUnitsOf(12).v, 8);
    EXPECT_EQ(TextUnitsOf(16).u, 16);
    EXPECT_EQ(TextUnitsOf(21).u, 21);
    EXPECT_EQ(TextUnitsOf(21).v, 10);
}

TEST(DiaryLayout, ChildrenFollowTheAscentAndTheTableWidth) {
    // a = 12: u = 16, v = 8; W = W0 = 23 + 49 × 6 = 317; a list of 300 pixels.
    DiaryLayout layout = ComputeDiaryLayout(900, 601, 12, 317, 300);
    EXPECT_EQ(layout.recordList.x, 4);
    EXPECT_EQ(layout.recordList.y, 31);
    EXPECT_EQ(layout.recordList.width, 312);
    EXPECT_EQ(layout.recordList.height, 301);  // the upper half, rounded up
    EXPECT_EQ(layout.calendar.x, 900 - 256);
    EXPECT_EQ(layout.calendar.y, 0);
    EXPECT_EQ(layout.calendar.width, 274);
    EXPECT_EQ(layout.calendar.height, 37);
    const ChildPlace expected[kSelectorCount] = {
        // 101, 102 at the top of the BMI panel, below its title, which lies below the calendar (37 + 2 + 18 + 7).
        {324, 64, 96, 160},  {422, 64, 104, 160},
        {28, 337, 96, 320},  {126, 337, 96, 320},  {224, 337, 96, 320}, {322, 337, 104, 320},
    };
    // 200 at 3v + 4, 201 at 15v + 6, 202 at 27v + 8, 203 at 39v + 10; y = 2a + 13 + L.
    const int xs[kSelectorCount] = {324, 422, 28, 126, 224, 322};
    for (int i = 0; i < kSelectorCount; ++i) {
        EXPECT_EQ(layout.selectors[i].x, xs[i]) << kSelectorIds[i];
        EXPECT_EQ(layout.selectors[i].y, expected[i].y) << kSelectorIds[i];
        EXPECT_EQ(layout.selectors[i].width, expected[i].width) << kSelectorIds[i];
        EXPECT_EQ(layout.selectors[i].height, expected[i].height) << kSelectorIds[i];
    }
    // A wider table moves the analysis selectors with the BMI panel.
    DiaryLayout wide = ComputeDiaryLayout(900, 601, 20, 500, 300);
    EXPECT_EQ(wide.recordList.y, 47);
    EXPECT_EQ(wide.recordList.width, 495);
    EXPECT_EQ(wide.selectors[0].x, 507);
    EXPECT_EQ(wide.selectors[0].y, 64);           // u + 44, u = a = 20
    EXPECT_EQ(wide.selectors[1].x, 500 + 120 + 9);  // W + 12v + 9, v = 10
    EXPECT_EQ(wide.selectors[2].y, 40 + 13 + 300);
    EXPECT_EQ(wide.selectors[5].width, 130);
}

TEST_F(DiaryWindowTest, SizeMessagePlacesTheChildren) {
    CreateWindows();
    RECT client;
    GetClientRect(diary_, &client);
    const int a = g_diary.textAscent;
    POINT list = ChildPosition(g_diary.recordList);
    EXPECT_EQ(list.x, 4);
    EXPECT_EQ(list.y, 2 * a + 7);
    RECT listRect;
    GetWindowRect(g_diary.recordList, &listRect);
    EXPECT_EQ(listRect.right - listRect.left, g_diary.tableWidth - 5);
    EXPECT_LE(listRect.bottom - listRect.top, client.bottom - client.bottom / 2);
    POINT calendar = ChildPosition(calendar_);
    EXPECT_EQ(calendar.x, client.right - 256);
    EXPECT_EQ(calendar.y, 0);
    const TextUnits t = TextUnitsOf(a);
    POINT mode = ChildPosition(GetDlgItem(diary_, kAnalysisModeSelectorId));
    EXPECT_EQ(mode.x, g_diary.tableWidth + 7);
    // Below the BMI chart's title, which lies below the calendar.
    EXPECT_EQ(mode.y, std::max(t.u + 44, 37 + 2 + 18 + 7));
    POINT item1 = ChildPosition(GetDlgItem(diary_, kGraphItem1SelectorId));
    EXPECT_EQ(item1.x, 3 * t.v + 4);
    EXPECT_EQ(item1.y, 2 * a + 13 + (listRect.bottom - listRect.top));
    POINT month = ChildPosition(GetDlgItem(diary_, kGraphMonthSelectorId));
    EXPECT_EQ(month.x, 39 * t.v + 10);
}

TEST_F(DiaryWindowTest, CommandsThatNeedAUserSayHowToGetOne) {
    CreateWindows();
    struct Expectation {
        unsigned id;
        const char* caption;
    };
    const Expectation expectations[] = {
        {ID_USER_AMEND, "ユーザーの修正"}, {ID_DAY_NEW, "入力"},     {ID_DAY_EDIT, "修正"},
        {ID_DAY_DELETE, "削除"},           {ID_RECORDS_COPY, "まとめてコピー"}, {ID_SET_TARGET, "削除"},
        {ID_SET_ITEMS, "削除"},
        {ID_CSV_EXPORT, "CSVファイルに書き出す"}, {ID_CSV_IMPORT, "CSVファイルから読み込む"},
        {ID_TABLE_PASTE, "表から貼り付け"}, {ID_IMPORT_UNDO, "読み込みを元に戻す"},
    };
    CancelDialogs(true);
    for (const Expectation& expected : expectations) {
        boxes.clear();
        Command(expected.id);
        ASSERT_EQ(boxes.size(), 1u) << expected.id;
        EXPECT_EQ(boxes[0].text, "ユーザーを開くか、新規作成してください。") << expected.id;
        EXPECT_EQ(boxes[0].caption, expected.caption) << expected.id;
        EXPECT_EQ(boxes[0].type, kMbOk | kMbIconInformation) << expected.id;
    }
    EXPECT_EQ(dialogsCancelled, 0) << "no dialog opens without a user";
    EXPECT_EQ(ListCount(), 1);
    EXPECT_FALSE(IsUserOpen());
}

TEST_F(DiaryWindowTest, CancelledNewUserKeepsTheOpenUserAndLaysTheWindowOutAgain) {
    CreateWindows();
    OpenUser({"20070105", "20070131"});
    SelectLine(1);
    // Something moved the list: the command's layout puts it back.
    MoveWindow(g_diary.recordList, 50, 50, 20, 20, FALSE);
    CancelDialogs(true);
    Command(ID_USER_NEW);
    EXPECT_GE(dialogsCancelled, 1);
    EXPECT_TRUE(IsUserOpen());
    EXPECT_STREQ(CurrentHeader().name, "山田花子");
    EXPECT_EQ(DiaryRecordCount(), 2u);
    EXPECT_EQ(ListCount(), 3);
    EXPECT_EQ(ListSelection(), 1);
    POINT list = ChildPosition(g_diary.recordList);
    EXPECT_EQ(list.x, 4);
    EXPECT_EQ(list.y, 2 * g_diary.textAscent + 7);
    EXPECT_EQ(GetFocus(), g_diary.recordList);
}

TEST_F(DiaryWindowTest, AUserWhoseDiaryCannotBeWrittenStaysOpen) {
    CreateWindows();
    OpenUser({"20070105", "20070131"});
    // A folder where the data file belongs: the file cannot be replaced.
    ASSERT_TRUE(CreateDirectoryA(sandbox_->path("1.DAT").c_str(), nullptr));
    CancelDialogs(true);
    Command(ID_USER_NEW);
    EXPECT_EQ(dialogsCancelled, 0) << "no new user while the old one is unsaved";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kWriteFailedText);
    EXPECT_TRUE(IsUserOpen());
    EXPECT_STREQ(CurrentHeader().name, "山田花子");
    EXPECT_EQ(DiaryRecordCount(), 2u);
    EXPECT_EQ(ListCount(), 3);
    // A deleted day stays gone in memory and unsaved; the window's end writes it.
    SelectLine(0);
    Command(ID_DAY_DELETE);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].text, kWriteFailedText);
    EXPECT_EQ(DiaryRecordCount(), 1u);
    EXPECT_TRUE(HasUnsavedChanges());
    RemoveDirectoryA(sandbox_->path("1.DAT").c_str());
    DestroyWindow(frame_);
    frame_ = nullptr;
    EXPECT_EQ(DaysOnDisk(*sandbox_), 1);
    EXPECT_EQ(FileText(sandbox_->path("1.DAT")).compare(sizeof(UserHeader), 8, "20070131"), 0);
    EXPECT_FALSE(IsUserOpen());
}

TEST_F(DiaryWindowTest, DeletingTheOnlyRecordDisablesTheSelectorsAndNarrowsTheTable) {
    CreateWindows();
    OpenUser({"20070105"});
    for (int id : {kAnalysisModeSelectorId, kGraphItem1SelectorId, kGraphItem2SelectorId})
        EnableWindow(GetDlgItem(diary_, id), TRUE);
    SendMessageA(GetDlgItem(diary_, kAnalysisPeriodSelectorId), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("2007年01月"));
    g_diary.tableWidth = g_diary.baseTableWidth + 40;  // the row painter widened it
    g_diary.scrollCompensated = true;
    SelectLine(0);
    boxAnswer = kIdOk;
    EXPECT_EQ(Command(ID_DAY_DELETE), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "削除の確認");
    EXPECT_EQ(DiaryRecordCount(), 0u);
    EXPECT_EQ(ListCount(), 1);
    ExpectAllSelectorsDisabled();
    EXPECT_EQ(SelectorCount(kAnalysisPeriodSelectorId), 0);
    EXPECT_EQ(g_diary.tableWidth, g_diary.baseTableWidth);
    EXPECT_FALSE(g_diary.scrollCompensated);
    EXPECT_EQ(g_diary.analysisMode, 0);
    EXPECT_EQ(g_diary.graphPeriod, kNoGraphPeriod);
    RECT listRect;
    GetWindowRect(g_diary.recordList, &listRect);
    EXPECT_EQ(listRect.right - listRect.left, g_diary.baseTableWidth - 5) << "the list narrows with W";
    EXPECT_TRUE(IsUserOpen()) << "the user stays open without records";
}

TEST_F(DiaryWindowTest, DeleteCancelledOrOnTheBlankLineChangesNothing) {
    CreateWindows();
    OpenUser({"20070105", "20070131"});
    SelectLine(2);  // the blank line
    EXPECT_EQ(Command(ID_DAY_DELETE), 1);
    EXPECT_TRUE(boxes.empty());
    SelectLine(0);
    boxAnswer = kIdCancel;
    Command(ID_DAY_DELETE);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(DiaryRecordCount(), 2u);
    EXPECT_EQ(ListCount(), 3);
}

TEST_F(DiaryWindowTest, TheFirstDayOfAUserEnablesTheSelectorsAndReachesTheCalendar) {
    CreateWindows();
    OpenUser({});
    ExpectAllSelectorsDisabled();
    // The day dialog stores a day (as its date spin does) and is then cancelled.
    beforeAnswer = [](HWND) {
        DailyRecord day = {};
        std::memcpy(day.date, "20261205", kDateLength);
        day.weight = 58.0;
        StoreDay(day);
    };
    CancelDialogs(true);
    EXPECT_EQ(Command(ID_DAY_NEW), 1);
    EXPECT_EQ(dialogsCancelled, 1);
    ASSERT_EQ(DiaryRecordCount(), 1u);
    EXPECT_EQ(DaysOnDisk(*sandbox_), 1) << "written as the dialog ends";
    EXPECT_FALSE(HasUnsavedChanges());
    EXPECT_EQ(ListCount(), 2);
    EXPECT_TRUE(Enabled(kAnalysisModeSelectorId));
    EXPECT_TRUE(Enabled(kGraphItem1SelectorId));
    EXPECT_TRUE(Enabled(kGraphItem2SelectorId));
    EXPECT_FALSE(Enabled(kAnalysisPeriodSelectorId));
    EXPECT_FALSE(Enabled(kGraphPeriodSelectorId));
    EXPECT_EQ(GetFocus(), g_diary.recordList);
    // The calendar marks the new day.
    SetWindowTextA(calendar_, "2026/12/05");
    RECT date = CalendarPartRect(kPartDate);
    SendMessageA(calendar_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(date.left + 5, date.top + 5));
    ASSERT_NE(CalendarMonthView(), nullptr);
    EXPECT_TRUE(MonthViewMarksDay(5));
}

TEST_F(DiaryWindowTest, PeriodListsFollowTheRecordsInMonthAndYearMode) {
    CreateWindows();
    OpenUser({"20061231", "20070105", "20070131", "20070201"});
    auto entries = [](int id) {
        std::string all;
        HWND selector = GetDlgItem(g_diary.window, id);
        for (int i = 0; i < SelectorCount(id); ++i) {
            char text[32] = "";
            SendMessageA(selector, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            all += std::string(all.empty() ? "" : " ") + text;
        }
        return all;
    };
    g_diary.analysisMode = kAnalysisMonthly;
    g_diary.graphPeriod = kGraphPeriodYearly;
    RefreshSelectorsAfterRecordChange();
    EXPECT_EQ(entries(kAnalysisPeriodSelectorId), "2006年12月 2007年01月 2007年02月");
    EXPECT_EQ(entries(kGraphMonthSelectorId), "2006年 2007年");
    EXPECT_TRUE(Enabled(kAnalysisPeriodSelectorId));
    EXPECT_TRUE(Enabled(kGraphMonthSelectorId));
    // A month entry is 10 bytes in Shift-JIS, a year entry 6: the selectors take them by length.
    char text[32] = "";
    SendMessageA(GetDlgItem(diary_, kAnalysisPeriodSelectorId), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::strlen(text), 10u);
    SendMessageA(GetDlgItem(diary_, kGraphMonthSelectorId), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::strlen(text), 6u);
    // In day mode with an N-day graph nothing is rebuilt.
    g_diary.analysisMode = kAnalysisDaily;
    g_diary.graphPeriod = 2;
    SendMessageA(GetDlgItem(diary_, kAnalysisPeriodSelectorId), CB_RESETCONTENT, 0, 0);
    RefreshSelectorsAfterRecordChange();
    EXPECT_EQ(SelectorCount(kAnalysisPeriodSelectorId), 0);
}

TEST_F(DiaryWindowTest, ConfirmedTargetsBecomeTheUsersAndAreWritten) {
    CreateWindows();
    OpenUser({"20070105"}, "山田花子", "夏までに3kg");
    beforeAnswer = [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_TARGET_WEIGHT, "50.5");
        SetDlgItemTextA(dialog, IDC_TARGET_MESSAGE, "毎日歩く");
    };
    dialogAnswer = IDC_TARGET_REGISTER;
    boxAnswer = kIdYes;
    CancelDialogs(true);
    EXPECT_EQ(Command(ID_SET_TARGET), 1);
    EXPECT_EQ(dialogsCancelled, 1);
    EXPECT_DOUBLE_EQ(CurrentHeader().targetWeight, 50.5);
    EXPECT_STREQ(CurrentHeader().targetMessage, "毎日歩く");
    EXPECT_STREQ(CurrentHeader().name, "山田花子");
    EXPECT_EQ(DiaryRecordCount(), 1u);
    EXPECT_EQ(MainTitle(), "山田花子 - ペルモ 「毎日歩く」") << "the title shows the new message";
    // Written at once, with the record.
    const std::string saved = FileText(sandbox_->path("1.DAT"));
    ASSERT_EQ(saved.size(), sizeof(UserHeader) + sizeof(DailyRecord));
    UserHeader header;
    std::memcpy(&header, saved.data(), sizeof header);
    EXPECT_DOUBLE_EQ(header.targetWeight, 50.5);
    EXPECT_STREQ(header.targetMessage, "毎日歩く");
}

// The date spin stores a day while the day dialog stays open: the day is on
// disk at once, so that a process killed before the dialog ends loses none.
// A recorded day the spin passes unchanged is no change and is not written
// again (its file, removed here, stays away).
TEST_F(DiaryWindowTest, DaysTheDateSpinStoresAreOnDiskWhileTheDialogIsOpen) {
    CreateWindows();
    OpenUser({"20070105"});
    static Sandbox* sandbox;
    static std::vector<int> daysOnDisk;
    sandbox = sandbox_.get();
    daysOnDisk.clear();
    beforeAnswer = [](HWND dialog) {
        const auto stepTo = [dialog](int dayNumber) {
            HWND spin = GetDlgItem(dialog, IDC_DAY_DATE_SPIN);
            SendMessageA(spin, UDM_SETPOS32, 0, dayNumber);
            SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, dayNumber), reinterpret_cast<LPARAM>(spin));
            daysOnDisk.push_back(DaysOnDisk(*sandbox));
        };
        SetDlgItemTextA(dialog, IDC_DAY_WEIGHT, "70.0");  // the calendar's 2026/12/07
        stepTo(2562);                                     // to 2007/01/05, storing 2026/12/07
        DeleteFileA(sandbox->path("1.DAT").c_str());
        stepTo(2563);  // 2007/01/05 passed as it is
    };
    CancelDialogs(true);
    Command(ID_DAY_NEW);
    EXPECT_EQ(daysOnDisk, (std::vector<int>{2, -1}));
    EXPECT_EQ(DiaryRecordCount(), 2u);
    EXPECT_FALSE(HasUnsavedChanges());
    EXPECT_TRUE(boxes.empty());
}

// A diary left open overnight: the blank line stands for today, so the next
// morning's new day opens on today, not on the day before and its record.
TEST_F(DiaryWindowTest, ANewDayTheMorningAfterOpensOnToday) {
    PinLocalTime(2026, 12, 7, 23);
    CreateWindows();
    OpenUser({"20261206", "20261207"});
    const std::string evening = CalendarText();
    PinLocalTime(2026, 12, 8, 7);
    static std::string opened;
    beforeAnswer = [](HWND dialog) {
        char date[32] = "", weight[16] = "";
        GetDlgItemTextA(dialog, IDC_DAY_DATE, date, sizeof date);
        GetDlgItemTextA(dialog, IDC_DAY_WEIGHT, weight, sizeof weight);
        opened = std::string(date) + " " + weight;
    };
    CancelDialogs(true);
    Command(ID_DAY_NEW);
    PinClock(0);
    EXPECT_EQ(evening, "2026/12/07");
    EXPECT_EQ(opened, "2026/12/08 56.0");  // the latest day's weight on the new date
    EXPECT_EQ(CalendarText(), "2026/12/08");
}

TEST_F(DiaryWindowTest, EditOnTheBlankLineOpensNothingAndAnUnchangedDayWritesNothing) {
    CreateWindows();
    OpenUser({"20070105"});
    CancelDialogs(true);
    SelectLine(1);
    EXPECT_EQ(Command(ID_DAY_EDIT), 1);
    EXPECT_EQ(dialogsCancelled, 0);
    SelectLine(0);
    Command(ID_DAY_EDIT);
    EXPECT_EQ(dialogsCancelled, 1);
    EXPECT_EQ(DaysOnDisk(*sandbox_), -1);
}

TEST_F(DiaryWindowTest, TheSplashsEndTitlesTheOpenUser) {
    HWND splash = CreateSplashWindow(GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(splash, nullptr);
    CreateWindows(false);
    EXPECT_EQ(MainTitle(), "") << "creation empties the title";
    EXPECT_EQ(SplashWindow(), splash) << "creation keeps the splash";
    OpenUser({"20070105"}, "山田花子", "夏までに3kg");
    EXPECT_EQ(SplashWindow(), nullptr);
    EXPECT_FALSE(IsWindow(splash));
    EXPECT_EQ(MainTitle(), "山田花子 - ペルモ 「夏までに3kg」");
}

TEST_F(DiaryWindowTest, TheSplashsEndWithoutAUserTitlesPelmo) {
    HWND splash = CreateSplashWindow(GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(splash, nullptr);
    CreateWindows(false);
    // The first paint after a resize only arms the real one; the window stays
    // invalid, but shows its colour meanwhile, never an unpainted surface.
    g_diary.paintedOnce = false;
    HDC dc = Smear(diary_);
    InvalidateRect(diary_, nullptr, FALSE);
    SendMessageA(diary_, WM_PAINT, 0, 0);
    EXPECT_TRUE(g_diary.paintedOnce);
    EXPECT_EQ(GetPixel(dc, g_diary.tableWidth + 100, 250), RGB(192, 192, 192));
    ReleaseDC(diary_, dc);
    EXPECT_EQ(SplashWindow(), splash);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(diary_, &update, FALSE));
    SendMessageA(diary_, WM_PAINT, 0, 0);
    EXPECT_EQ(SplashWindow(), nullptr);
    EXPECT_EQ(MainTitle(), "ペルモ");
}

TEST_F(DiaryWindowTest, ColourSchemeSevenGivesItsPaletteEntries) {
    ASSERT_TRUE(SetRegistryValue("SYSCOLOR", "7", kAreaSettings));
    CreateWindows();
    ASSERT_NE(g_diary.palette, nullptr);
    EXPECT_EQ(GetPaletteEntries(g_diary.palette, 0, 0, nullptr), 54u);
    EXPECT_ENTRY(45, 140, 210, 160);
    EXPECT_ENTRY(46, 236, 181, 94);
    EXPECT_ENTRY(47, 219, 243, 227);
    EXPECT_ENTRY(3, 246, 191, 104);
    EXPECT_ENTRY(4, 236, 181, 94);
    EXPECT_ENTRY(5, 255, 211, 124);
    EXPECT_ENTRY(6, 255, 241, 154);
    EXPECT_ENTRY(7, 255, 255, 184);
    EXPECT_ENTRY(0, 255, 255, 230);
    EXPECT_ENTRY(53, 245, 207, 216);
    EXPECT_EQ(Entry(45).peFlags, 0);
    EXPECT_EQ(Entry(44).peFlags, PC_RESERVED);
    EXPECT_EQ(Entry(48).peFlags, PC_RESERVED);
    // The calendar and the container draw with the same palette: the bar in scheme colour 1.
    EXPECT_EQ(TakkuPalette(container_), g_diary.palette);
    RedrawWindow(calendar_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(calendar_);
    EXPECT_EQ(GetPixel(dc, 1, 28), RGB(140, 210, 160));
    ReleaseDC(calendar_, dc);
}

TEST_F(DiaryWindowTest, CloseAfterRestoreEmptiesTheWindowWithoutSaving) {
    CreateWindows();
    OpenUser({"20070105", "20070131"});
    // What the restore just put on disk must stay as it is.
    const std::string file = sandbox_->path("1.DAT");
    {
        std::ofstream out(file, std::ios::binary);
        out << "restored";
    }
    EnableWindow(GetDlgItem(diary_, kAnalysisModeSelectorId), TRUE);
    EXPECT_EQ(Command(ID_DATA_RESTORE), 1);
    EXPECT_FALSE(IsUserOpen());
    EXPECT_EQ(DiaryRecordCount(), 0u);
    EXPECT_EQ(ListCount(), 1);
    EXPECT_EQ(ListSelection(), 0);
    ExpectAllSelectorsDisabled();
    EXPECT_EQ(MainTitle(), "ペルモ");
    EXPECT_EQ(FileText(file), "restored");
    // Closing the window later saves nothing either.
    DestroyWindow(frame_);
    frame_ = nullptr;
    EXPECT_EQ(FileText(file), "restored");
}

TEST_F(DiaryWindowTest, DeletingADayAsksWithItsDateAndKeepsTheSelectionsIndex) {
    CreateWindows();
    OpenUser({"20070105", "20070131", "20070201"});
    SelectLine(1);
    boxAnswer = kIdOk;
    EXPECT_EQ(Command(ID_DAY_DELETE), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "「2007/01/31」の記録を削除します。\n\nよろしいですか？");
    EXPECT_EQ(boxes[0].caption, "削除の確認");
    EXPECT_EQ(boxes[0].type, kMbOkCancel | kMbIconInformation);
    ASSERT_EQ(DiaryRecordCount(), 2u);
    EXPECT_EQ(std::string(DiaryRecords()[1].date, 8), "20070201");
    EXPECT_EQ(ListCount(), 3);
    EXPECT_EQ(ListSelection(), 1) << "the same index: now the next day";
    EXPECT_EQ(CalendarText(), "2007/02/01");
    EXPECT_EQ(DaysOnDisk(*sandbox_), 2) << "written at once";
}

// A diary longer than the table, scrolled down: every row from the deleted day
// on shows another day now, and none may keep the pixels it had.
TEST_F(DiaryWindowTest, DeletingADayInAScrolledTableRepaintsEveryRowBelowIt) {
    CreateWindows();
    OpenUserOfDays(60);
    HWND list = g_diary.recordList;
    SelectLine(40);
    ASSERT_GT(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
    HDC dc = Smear(list);
    ValidateRect(list, nullptr);
    boxAnswer = kIdOk;
    EXPECT_EQ(Command(ID_DAY_DELETE), 1);
    EXPECT_EQ(ListSelection(), 40);
    RECT client, line;
    GetClientRect(list, &client);
    for (int i = 40; i < ListCount(); ++i) {
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&line));
        if (line.top >= 0 && line.bottom <= client.bottom) {
            EXPECT_NE(GetPixel(dc, 1, line.top + 1), RGB(0, 0, 0)) << "line " << i;
        }
    }
    ReleaseDC(list, dc);
}

TEST_F(DiaryWindowTest, AUserOpenedFromTheTableFillsTheWindowsAfterWhatItTells) {
    CreateWindows();
    const int row = SaveUserOnDisk(3, "中村", "毎日歩く", {"20070105", "20070131", "20070201"});
    ASSERT_GE(row, 0);
    ASSERT_TRUE(OpenUserOfRow(diary_, row));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(MainTitle(), "中村 - ペルモ 「毎日歩く」");
    EXPECT_EQ(ListCount(), 4);  // a line per day and the blank one, which is selected
    EXPECT_EQ(ListSelection(), 3);
    // The first user of the run with records takes the selectors' last settings.
    EXPECT_TRUE(Enabled(kAnalysisModeSelectorId));
    EXPECT_TRUE(Enabled(kGraphItem1SelectorId));
    // The calendar knows the new user's days.
    SetWindowTextA(calendar_, "2007/01/31");
    RECT date = CalendarPartRect(kPartDate);
    SendMessageA(calendar_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(date.left + 5, date.top + 5));
    ASSERT_NE(CalendarMonthView(), nullptr);
    EXPECT_TRUE(MonthViewMarksDay(5));
    EXPECT_TRUE(MonthViewMarksDay(31));
    DestroyWindow(CalendarMonthView());

    // A damaged file: what the load tells comes before the windows follow.
    const int damaged = SaveUserOnDisk(4, "木村", "", {"20070301", "20070302"});
    std::ofstream(sandbox_->path("4.DAT"), std::ios::binary | std::ios::app) << "x";
    static int linesWhenTold;
    linesWhenTold = -1;
    SetMessageBoxFunction([](void*, const char* text, const char* caption, unsigned type) -> int {
        boxes.push_back({text, caption, type});
        linesWhenTold = static_cast<int>(SendMessageA(g_diary.recordList, LB_GETCOUNT, 0, 0));
        return kIdOk;
    });
    ASSERT_TRUE(OpenUserOfRow(diary_, damaged));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, kDamagedCaption);
    EXPECT_EQ(linesWhenTold, 4) << "still the previous user's lines";
    EXPECT_EQ(ListCount(), 3);
    EXPECT_EQ(MainTitle(), "木村 - ペルモ 「」");
}

TEST_F(DiaryWindowTest, ANewUserIsTitledAndStartsWithoutAnAnalysis) {
    CreateWindows();
    g_diary.analysis.averageWeight = 60.0;  // what the previous user's day showed
    RegisterUserThroughDialogs("中村");
    EXPECT_EQ(dialogsCancelled, 2);
    ASSERT_TRUE(IsUserOpen());
    EXPECT_STREQ(CurrentHeader().name, "中村");
    EXPECT_EQ(MainTitle(), "中村 - ペルモ 「毎日」");
    EXPECT_EQ(g_diary.analysis.averageWeight, 0.0);
    EXPECT_EQ(ListCount(), 1);
}

TEST_F(DiaryWindowTest, CalendarArrowsMoveTheRecordTable) {
    CreateWindows();
    OpenUser({"20060131", "20070105", "20070201"});
    SelectLine(0);
    EXPECT_EQ(CalendarText(), "2006/01/31");
    auto click = [&](CalendarPart part) {
        RECT rect = CalendarPartRect(part);
        LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageA(calendar_, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(calendar_, WM_LBUTTONUP, 0, at);
        Pump();
    };
    click(kPartNextMonth);  // January 2007 is another month than January 2006
    EXPECT_EQ(ListSelection(), 1);
    EXPECT_EQ(CalendarText(), "2007/01/05");
    click(kPartNextMonth);
    EXPECT_EQ(ListSelection(), 2);
    EXPECT_EQ(CalendarText(), "2007/02/01");
    click(kPartPreviousRecord);
    EXPECT_EQ(ListSelection(), 1);
    EXPECT_EQ(CalendarText(), "2007/01/05");
    click(kPartNextRecord);
    click(kPartNextRecord);  // the last record: no move
    EXPECT_EQ(ListSelection(), 2);
}

TEST_F(DiaryWindowTest, PickingADayInTheMonthViewSelectsItsRecord) {
    CreateWindows();
    OpenUser({"20070105", "20070131", "20070201"});
    SelectLine(0);
    RECT date = CalendarPartRect(kPartDate);
    SendMessageA(calendar_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(date.left + 5, date.top + 5));
    HWND view = CalendarMonthView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(MonthViewMarksDay(31));
    RECT cell = MonthViewDayRect(2007, 1, 31);
    SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
    Pump();
    EXPECT_EQ(ListSelection(), 1);
    EXPECT_EQ(CalendarText(), "2007/01/31");
}

TEST_F(DiaryWindowTest, TheCalendarLearnsTheRecordsOfTheOpenUser) {
    CreateWindows();
    OpenUser({"20070105"});
    SelectLine(0);
    RECT date = CalendarPartRect(kPartDate);
    SendMessageA(calendar_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(date.left + 5, date.top + 5));
    ASSERT_NE(CalendarMonthView(), nullptr);
    EXPECT_TRUE(MonthViewMarksDay(5));
    DestroyWindow(CalendarMonthView());
    Command(ID_DATA_RESTORE);
    SetWindowTextA(calendar_, "2007/01/05");
    SendMessageA(calendar_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(date.left + 5, date.top + 5));
    ASSERT_NE(CalendarMonthView(), nullptr);
    EXPECT_FALSE(MonthViewMarksDay(5)) << "no user, no marked days";
}

// After the input items change, every row of the table is painted again: rows
// smeared before the command must not survive it.
TEST_F(DiaryWindowTest, ChangedInputItemsRepaintEveryRowOfTheTable) {
    CreateWindows();
    OpenUser({"20070105", "20070106", "20070107"});
    HWND list = g_diary.recordList;
    HDC dc = Smear(list);
    ValidateRect(list, nullptr);
    beforeAnswer = [](HWND dialog) {
        if (!GetDlgItem(dialog, IDC_ITEM_FIRST)) return;  // the target dialog that follows: cancelled
        const bool on = IsDlgButtonChecked(dialog, IDC_ITEM_FIRST) == BST_CHECKED;
        CheckDlgButton(dialog, IDC_ITEM_FIRST, on ? BST_UNCHECKED : BST_CHECKED);
        PostMessageA(dialog, WM_COMMAND, IDC_ITEM_REGISTER, 0);
    };
    CancelDialogs(true);
    EXPECT_EQ(Command(ID_SET_ITEMS), 1);
    EXPECT_EQ(dialogsCancelled, 2);
    const int itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    for (int line = 0; line < 4; ++line)
        EXPECT_NE(GetPixel(dc, 1, line * itemHeight + 1), RGB(0, 0, 0)) << "line " << line;
    ReleaseDC(list, dc);
}

// From maximized to normal the list gets shorter; the selected line stays in view.
TEST_F(DiaryWindowTest, AShorterWindowKeepsTheSelectedLineInView) {
    CreateWindows();
    OpenUserOfDays(84);
    HWND list = g_diary.recordList;
    SelectLine(80);
    SendMessageA(list, LB_SETTOPINDEX, 70, 0);
    MoveWindow(diary_, 2, 2, 972, 260, TRUE);
    Pump();
    RECT client, line;
    GetClientRect(list, &client);
    SendMessageA(list, LB_GETITEMRECT, 80, reinterpret_cast<LPARAM>(&line));
    EXPECT_EQ(ListSelection(), 80);
    EXPECT_GE(line.top, 0);
    EXPECT_LE(line.bottom, client.bottom);
}
