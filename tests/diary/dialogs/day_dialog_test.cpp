// The day dialog driven as a person uses it: fields, spins, keys, buttons.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "corelib/dates.h"
#include "corelib/msgbox.h"
#include "corelib/registry.h"
#include "corelib/win32/fields.h"
#include "corelib/win32/modal_dialog.h"
#include "corelib/win32/window_classes.h"
#include "diary/day_form.h"
#include "diary/dialogs/day_dialog.h"
#include "diary/diary_store.h"
#include "resources/resource.h"
#include "support/repeat_text.h"
#include "support/sandbox.h"

namespace {

std::vector<std::string> g_boxes;
std::function<void(HWND)> g_script;
int g_storedNotices = 0;

int RecordBox(void*, const char* text, const char*, unsigned) {
    g_boxes.push_back(text);
    return kIdOk;
}

BOOL CALLBACK FindDayDialog(HWND window, LPARAM found) {
    if (GetDlgItem(window, IDC_DAY_DATE_SPIN)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Runs the script once the dialog is up; a dialog the script left open is cancelled.
void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDayDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    KillTimer(nullptr, timer);
    if (g_script) g_script(dialog);
    // A dialog the script ended is gone before this arrives.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

DailyRecord Day(const char* date, double weight, double bodyFat, const char* diary) {
    DailyRecord day;
    std::memset(&day, 0, sizeof day);
    std::memcpy(day.date, date, kDateLength);
    day.weight = weight;
    day.bodyFat = bodyFat;
    std::strcpy(day.diary, diary);
    return day;
}

std::string Text(HWND dialog, int id) {
    char text[2048] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void Type(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }
// Typing into the diary: a replacement of its text as the keyboard makes it (with its change notice).
void TypeDiary(HWND dialog, const char* text) {
    SendDlgItemMessageA(dialog, IDC_DAY_DIARY, EM_SETSEL, 0, -1);
    SendDlgItemMessageA(dialog, IDC_DAY_DIARY, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}
void Click(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// The date spin released at day number n, as the up-down control reports it.
void SpinDate(HWND dialog, int n) {
    HWND spin = GetDlgItem(dialog, IDC_DAY_DATE_SPIN);
    SendMessageA(spin, UDM_SETPOS32, 0, n);
    SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, n), reinterpret_cast<LPARAM>(spin));
}

class DayDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        ASSERT_TRUE(RegisterWindowsStandardClass(GetModuleHandleA(nullptr)));
        calendar_ = CreateWindowA("STATIC", "2007/01/10", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetCalendarWindow(calendar_);
        previousBox_ = SetMessageBoxFunction(RecordBox);
        g_boxes.clear();
        g_storedNotices = 0;
        SetDayDialogHooks(DayDialogHooks{[](HWND) { ++g_storedNotices; }});
        UserHeader header = {};
        header.height = 170.0;
        header.targetWeight = 65.0;
        AdoptUser(header, nullptr, 0, 0);
        SetUserOpen();
        InputItems() = InputItemFlags{{1, 0, 0, 0, 0, 0, 0}};
    }
    void TearDown() override {
        SetDayDialogHooks(DayDialogHooks{});
        SetMessageBoxFunction(previousBox_);
        SetCalendarWindow(nullptr);
        DestroyWindow(calendar_);
        CloseUser();
        g_script = nullptr;
    }

    static void Store(const DailyRecord& day) { ASSERT_GT(StoreDay(day).position, 0); }

    static INT_PTR Run(LPARAM start, std::function<void(HWND)> script) {
        g_script = std::move(script);
        SetTimer(nullptr, 0, 20, Tick);
        return OpenDayDialog(nullptr, start);
    }

    static const DailyRecord& At(std::uint32_t i) { return DiaryRecords()[i]; }

    Sandbox sandbox_;
    HWND calendar_ = nullptr;
    MessageBoxFunction previousBox_ = nullptr;
};

}  // namespace

TEST_F(DayDialogTest, NewDayWithoutRecordsStartsEmptyAndStoresTheCalendarsDate) {
    SetRegistryValue("COOKKUBUN", "5", kAreaSettings);
    INT_PTR result = Run(0, [](HWND d) {
        EXPECT_EQ(Text(d, IDC_DAY_DATE), "2007/01/10");
        EXPECT_EQ(Text(d, IDC_DAY_WEIGHT), "");
        EXPECT_EQ(Text(d, IDC_DAY_BODYFAT), "");
        EXPECT_EQ(Text(d, IDC_DAY_DIARY), "");
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_DAY_DATE_SPIN, UDM_GETPOS32, 0, 0), 2567);
        Type(d, IDC_DAY_WEIGHT, "62.3");
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_DAY_WEIGHT_SPIN, UDM_GETPOS32, 0, 0), 623);
        Type(d, IDC_DAY_WEIGHT, "60.5");
        Click(d, IDC_DAY_REGISTER);
    });
    EXPECT_EQ(result, 1);
    ASSERT_EQ(DiaryRecordCount(), 1u);
    EXPECT_EQ(std::string(At(0).date, 8), "20070110");
    EXPECT_EQ(At(0).weight, 60.5);
    EXPECT_EQ(At(0).bodyFat, 0.0);  // an empty body-fat field: not entered
    EXPECT_STREQ(At(0).diary, "");
    EXPECT_EQ(g_storedNotices, 1);
    char value[16] = {};
    GetRegistryValue("COOKKUBUN", value, sizeof value, kAreaSettings);
    EXPECT_STREQ(value, "0");
}

TEST_F(DayDialogTest, BadValuesAreRefusedWithTheirMessageAndTheDialogStays) {
    INT_PTR result = Run(0, [](HWND d) {
        Click(d, IDC_DAY_REGISTER);  // empty weight
        Type(d, IDC_DAY_WEIGHT, "60.0");
        Type(d, IDC_DAY_BODYFAT, "0.5");
        Click(d, IDC_DAY_REGISTER);
        EXPECT_EQ(DiaryRecordCount(), 0u);
        EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_DAY_BODYFAT));
        Type(d, IDC_DAY_BODYFAT, "50.0");
        Click(d, IDC_DAY_REGISTER);
    });
    ASSERT_EQ(g_boxes.size(), 2u);
    EXPECT_EQ(g_boxes[0], kBadWeightText);
    EXPECT_EQ(g_boxes[1], kBadBodyFatText);
    EXPECT_EQ(result, 1);
    ASSERT_EQ(DiaryRecordCount(), 1u);
    EXPECT_EQ(At(0).bodyFat, 50.0);
}

TEST_F(DayDialogTest, NewDayStartsFromTheLatestRecordUnderTheCalendarsDate) {
    Store(Day("20070101", 61.0, 20.0, "はじめ"));
    Store(Day("20070105", 62.5, 21.5, "最新の日記"));
    INT_PTR result = Run(0, [](HWND d) {
        EXPECT_EQ(Text(d, IDC_DAY_DATE), "2007/01/10");
        EXPECT_EQ(Text(d, IDC_DAY_WEIGHT), "62.5");
        EXPECT_EQ(Text(d, IDC_DAY_BODYFAT), "21.5");
        EXPECT_EQ(Text(d, IDC_DAY_DIARY), "最新の日記");
        Click(d, IDC_DAY_REGISTER);
    });
    EXPECT_EQ(result, 3);
    ASSERT_EQ(DiaryRecordCount(), 3u);
    EXPECT_EQ(std::string(At(2).date, 8), "20070110");
    EXPECT_EQ(At(2).weight, 62.5);
}

// Two days kept through 入力 and the date spin without moving the calendar;
// 入力 again on the calendar's date shows that day's own record, and stepping
// on stores it unchanged: no day ever takes another day's values.
TEST_F(DayDialogTest, NewDayOnARecordedCalendarDateShowsThatDayAndSteppingKeepsIt) {
    SetWindowTextA(calendar_, "2024/02/28");
    const int feb28 = static_cast<int>(DayNumberOfDate("2024/02/28"));
    Run(0, [feb28](HWND d) {
        Type(d, IDC_DAY_WEIGHT, "65.0");
        SetFocus(GetDlgItem(d, IDC_DAY_DIARY));
        TypeDiary(d, "二十八日の日記");
        SpinDate(d, feb28 + 1);
        SpinDate(d, feb28 + 2);
        EXPECT_EQ(Text(d, IDC_DAY_DATE), "2024/03/01");
        Type(d, IDC_DAY_WEIGHT, "64.5");
        Type(d, IDC_DAY_BODYFAT, "22.3");
        Click(d, IDC_DAY_REGISTER);
    });
    ASSERT_EQ(DiaryRecordCount(), 2u);
    Run(0, [feb28](HWND d) {
        EXPECT_EQ(Text(d, IDC_DAY_DATE), "2024/02/28");
        EXPECT_EQ(Text(d, IDC_DAY_WEIGHT), "65.0");
        EXPECT_EQ(Text(d, IDC_DAY_BODYFAT), "");
        EXPECT_EQ(Text(d, IDC_DAY_DIARY), "二十八日の日記");
        SpinDate(d, feb28 + 1);
        EXPECT_EQ(Text(d, IDC_DAY_WEIGHT), "");  // the 29th has no record
        Click(d, IDCANCEL);
    });
    ASSERT_EQ(DiaryRecordCount(), 2u);
    EXPECT_EQ(std::string(At(0).date, 8), "20240228");
    EXPECT_EQ(At(0).weight, 65.0);
    EXPECT_EQ(At(0).bodyFat, 0.0);
    EXPECT_STREQ(At(0).diary, "二十八日の日記");
    EXPECT_EQ(std::string(At(1).date, 8), "20240301");
    EXPECT_EQ(At(1).weight, 64.5);
    EXPECT_EQ(At(1).bodyFat, 22.3);
    EXPECT_STREQ(At(1).diary, "");
}

TEST_F(DayDialogTest, StoringOnARecordedDateReplacesItAndKeepsWhatTheDialogDoesNotShow) {
    DailyRecord day = Day("20070105", 62.5, 0.0, "");
    day.temperature = 36.5;
    day.sleep = 420;
    day.intakeTotal = 1800;
    day.reservedA[10] = 0x5A;
    Store(day);
    Store(Day("20070106", 62.0, 0.0, ""));
    INT_PTR result = Run(1, [](HWND d) {
        EXPECT_EQ(Text(d, IDC_DAY_DATE), "2007/01/05");
        EXPECT_EQ(Text(d, IDC_DAY_DIARY), kDiaryPlaceholder);
        Type(d, IDC_DAY_WEIGHT, "63.0");
        Click(d, IDC_DAY_REGISTER);
    });
    EXPECT_EQ(result, 1);
    ASSERT_EQ(DiaryRecordCount(), 2u);
    EXPECT_EQ(At(0).weight, 63.0);
    EXPECT_EQ(At(0).temperature, 36.5);
    EXPECT_EQ(At(0).sleep, 420);
    EXPECT_EQ(At(0).intakeTotal, 1800u);
    EXPECT_EQ(At(0).reservedA[10], 0x5A);
    EXPECT_STREQ(At(0).diary, "");  // the placeholder is never stored
}

TEST_F(DayDialogTest, DateSpinStoresAValidDayAndPassesEmptyDaysByWithoutStoring) {
    Store(Day("20070105", 62.5, 0.0, "五日"));
    INT_PTR result = Run(1, [](HWND d) {
        Type(d, IDC_DAY_WEIGHT, "62.0");
        SpinDate(d, 2563);  // 2007/01/06: the fifth is stored, the sixth has no record
        EXPECT_EQ(Text(d, IDC_DAY_DATE), "2007/01/06");
        EXPECT_EQ(Text(d, IDC_DAY_WEIGHT), "");
        EXPECT_EQ(Text(d, IDC_DAY_DIARY), kDiaryPlaceholder);
        SpinDate(d, 2564);  // the empty sixth stores nothing
        EXPECT_EQ(Text(d, IDC_DAY_DATE), "2007/01/07");
        EXPECT_TRUE(g_boxes.empty());
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    ASSERT_EQ(DiaryRecordCount(), 1u);  // the stored fifth stays after Cancel
    EXPECT_EQ(At(0).weight, 62.0);
    EXPECT_EQ(g_storedNotices, 1);
}

TEST_F(DayDialogTest, DateSpinDoesNotDropADayThePersonTypedButLeftInvalid) {
    INT_PTR result = Run(0, [](HWND d) {
        SetFocus(GetDlgItem(d, IDC_DAY_DIARY));
        TypeDiary(d, "体重計が壊れた");
        SpinDate(d, 2568);
        EXPECT_EQ(Text(d, IDC_DAY_DATE), "2007/01/10");  // stays, told why
        EXPECT_EQ(Text(d, IDC_DAY_DIARY), "体重計が壊れた");
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0], kBadWeightText);
    EXPECT_EQ(DiaryRecordCount(), 0u);
}

TEST_F(DayDialogTest, DateSpinAtZeroShowsTheFirstDay) {
    Run(0, [](HWND d) {
        SpinDate(d, 0);
        EXPECT_EQ(Text(d, IDC_DAY_DATE), "2000/01/01");
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(DiaryRecordCount(), 0u);
}

// One click on an arrow of the date spin, as the mouse gives it.
void ClickDateSpin(HWND dialog, bool up) {
    HWND spin = GetDlgItem(dialog, IDC_DAY_DATE_SPIN);
    RECT box;
    GetClientRect(spin, &box);
    const LPARAM point = MAKELPARAM(box.right / 2, up ? box.bottom / 4 : box.bottom * 3 / 4);
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(spin, WM_LBUTTONUP, 0, point);
}

// The calendar reaches 1900..2099, past the day numbers the spin holds: one
// click still moves one day, and never past the calendar's first or last day.
TEST_F(DayDialogTest, DateSpinStepsOneDayFromEveryDateTheCalendarShows) {
    struct Case {
        const char* calendar;
        bool up;
        const char* shown;
    };
    const Case cases[] = {
        {"2007/01/10", false, "2007/01/09"}, {"2007/01/10", true, "2007/01/11"},
        {"2090/05/05", true, "2090/05/06"},  {"2090/05/05", false, "2090/05/04"},
        {"2099/12/31", false, "2099/12/30"}, {"2099/12/31", true, "2099/12/31"},
        {"2082/02/19", false, "2082/02/18"}, {"1999/12/31", true, "2000/01/01"},
        {"1999/12/31", false, "1999/12/30"}, {"1950/03/01", false, "1950/02/28"},
        {"1900/01/01", false, "1900/01/01"}, {"1900/02/28", true, "1900/03/01"},
    };
    for (const Case& c : cases) {
        SetWindowTextA(calendar_, c.calendar);
        std::string shown;
        Run(0, [&](HWND d) {
            ClickDateSpin(d, c.up);
            shown = Text(d, IDC_DAY_DATE);
            Click(d, IDCANCEL);
        });
        EXPECT_EQ(shown, c.shown) << c.calendar << (c.up ? " up" : " down");
    }
    EXPECT_EQ(DiaryRecordCount(), 0u);
}

TEST_F(DayDialogTest, WithoutBodyFatTheFieldIsLockedAndEnterRegisters) {
    InputItems() = InputItemFlags{{0, 0, 0, 0, 0, 0, 0}};
    INT_PTR result = Run(0, [](HWND d) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_DAY_BODYFAT)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_DAY_BODYFAT_LABEL)));
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(d, IDC_DAY_BODYFAT), GWL_STYLE) & ES_READONLY);
        Type(d, IDC_DAY_WEIGHT, "58.0");
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_DAY_WEIGHT, kFieldKeyEnter),
                     reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_DAY_WEIGHT)));
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(DiaryRecordCount(), 1u);
}

TEST_F(DayDialogTest, EnterMovesFromWeightToBodyFatAndUpComesBack) {
    Run(0, [](HWND d) {
        HWND weight = GetDlgItem(d, IDC_DAY_WEIGHT), fat = GetDlgItem(d, IDC_DAY_BODYFAT);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_DAY_WEIGHT, kFieldKeyEnter), reinterpret_cast<LPARAM>(weight));
        EXPECT_EQ(GetFocus(), fat);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_DAY_BODYFAT, kFieldKeyUp), reinterpret_cast<LPARAM>(fat));
        EXPECT_EQ(GetFocus(), weight);
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(DiaryRecordCount(), 0u);
}

// The placeholder vanishes when the diary is entered, and stepping on while
// typing in the diary leaves the next day's field empty, not the placeholder
// that what is typed would be added to.
TEST_F(DayDialogTest, PlaceholderVanishesWhenTheDiaryIsEntered) {
    Store(Day("20070105", 62.5, 0.0, ""));
    Run(1, [](HWND d) {
        EXPECT_EQ(Text(d, IDC_DAY_DIARY), kDiaryPlaceholder);
        SetFocus(GetDlgItem(d, IDC_DAY_DIARY));
        EXPECT_EQ(Text(d, IDC_DAY_DIARY), "");
        Click(d, IDCANCEL);
    });
    Run(0, [](HWND d) {
        Type(d, IDC_DAY_WEIGHT, "60.0");
        SetFocus(GetDlgItem(d, IDC_DAY_DIARY));
        TypeDiary(d, "十日");
        SpinDate(d, 2568);
        EXPECT_EQ(Text(d, IDC_DAY_DATE), "2007/01/11");
        EXPECT_EQ(Text(d, IDC_DAY_DIARY), "");
        SendDlgItemMessageA(d, IDC_DAY_DIARY, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("十一日"));
        Type(d, IDC_DAY_WEIGHT, "59.5");
        Click(d, IDC_DAY_REGISTER);
    });
    ASSERT_EQ(DiaryRecordCount(), 3u);  // after the day of the 5th
    EXPECT_STREQ(At(1).diary, "十日");
    EXPECT_STREQ(At(2).diary, "十一日");
}

// Typed, pasted or in the middle: the diary field never holds more than the
// 999 bytes a day keeps, and what it shows is what is stored.
TEST_F(DayDialogTest, TheDiaryHoldsWhatADayKeepsAndStoresItWhole) {
    struct Case {
        std::string before;
        bool atStart;  // the caret at the start of `before`, else at its end
        std::string typed;
        std::string held;
    };
    const Case cases[] = {
        {"", false, Repeat("表", 600), Repeat("表", 499)},
        {Repeat("表", 499), false, "ab", Repeat("表", 499) + "a"},
        {"後", true, Repeat("能", 500), Repeat("能", 498) + "後"},
        {"", false, Repeat("ソ\r\n", 300), Repeat("ソ\r\n", 249) + "ソ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        Run(0, [&c](HWND d) {
            Type(d, IDC_DAY_WEIGHT, "60.0");
            SetFocus(GetDlgItem(d, IDC_DAY_DIARY));
            TypeDiary(d, c.before.c_str());
            const int caret = c.atStart ? 0 : -1;
            SendDlgItemMessageA(d, IDC_DAY_DIARY, EM_SETSEL, caret, caret);
            SendDlgItemMessageA(d, IDC_DAY_DIARY, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(c.typed.c_str()));
            EXPECT_EQ(Text(d, IDC_DAY_DIARY), c.held);
            Click(d, IDC_DAY_REGISTER);
        });
        ASSERT_EQ(DiaryRecordCount(), 1u);
        EXPECT_EQ(std::string(At(0).diary), c.held);
    }
}
