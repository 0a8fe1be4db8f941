#include "diary/dialogs/day_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "corelib/dates.h"
#include "corelib/msgbox.h"
#include "corelib/registry.h"
#include "corelib/win32/fields.h"
#include "corelib/win32/ime.h"
#include "corelib/win32/modal_dialog.h"
#include "diary/day_form.h"
#include "diary/dialogs/dialog_support.h"
#include "diary/diary_store.h"
#include "resources/resource.h"

const char* const kDayDialogTemplate = "IDD_EDIT";

namespace {

const char kCookKubunValue[] = "COOKKUBUN";
const char kHelpTopic[] = "edit2";
constexpr unsigned kWeightFormat = 0x30001;   // 3 digits, 1 decimal
constexpr unsigned kBodyFatFormat = 0x20001;  // 2 digits, 1 decimal
constexpr int kMaxDayNumber = 30000;          // 2082/02/18
constexpr int kMaxWeightTenths = 2000;
constexpr int kMaxBodyFatTenths = 500;
constexpr int kDefaultWeightTenths = 500;
constexpr int kDefaultBodyFatTenths = 150;
constexpr int kTextSize = 1024;
constexpr int kPlaceholderProbeSize = 64;  // longer than the placeholder, so a longer text never equals it

struct DayDialog {
    HWND owner = nullptr;
    bool settingText = false;  // the dialog itself is filling the fields
    bool edited = false;       // the person changed a field of the shown day
    std::wstring diary;        // the diary field's text as last held to its limit
};
DayDialog g_dialog;
DayDialogHooks g_hooks = {};

bool BodyFatTracked() { return InputItems().on[kItemBodyFat] != 0; }

void SetText(HWND dialog, int id, const char* text) {
    g_dialog.settingText = true;
    SetDlgItemTextA(dialog, id, text);
    g_dialog.settingText = false;
    if (id == IDC_DAY_DIARY) g_dialog.diary = WideWindowText(GetDlgItem(dialog, IDC_DAY_DIARY));
}

double FieldNumber(HWND dialog, int id) {
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return std::atof(text);
}

void SetSpinRange(HWND dialog, int spinId, int high) {
    SendDlgItemMessageA(dialog, spinId, UDM_SETRANGE, 0, MAKELPARAM(high, 0));
}

// A one-decimal value as a spin position (truncated). A damaged day's value
// past any position parks the spin at the top of the weight's range.
int Tenths(double value) {
    const double tenths = value * 10;
    if (!(tenths > 0)) return 0;
    return tenths < kMaxWeightTenths ? static_cast<int>(tenths) : kMaxWeightTenths;
}

void SetTenths(HWND dialog, int fieldId, int spinId, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1lf", value);
    SetText(dialog, fieldId, text);
    SetSpinPosition(dialog, spinId, Tenths(value));
}

// The date spin holds the day numbers 1..kMaxDayNumber; the calendar reaches
// further (1900..2099). A date outside the spin's days parks the spin one step
// inside its end, so that either arrow moves it and tells the step.
bool InSpinDays(const char* shown) {
    const long day = DayNumberOfDate(shown);
    return day >= 1 && day <= kMaxDayNumber;
}

int DateSpinPosition(const char* shown) {
    const long day = DayNumberOfDate(shown);
    if (day < 1) return 1;
    if (day > kMaxDayNumber) return kMaxDayNumber - 1;
    return static_cast<int>(day);
}

// The date `step` days from shown into next, never past the calendar's first or last day.
void StepShownDate(const char* shown, int step, char* next) {
    CalendarDate date;
    if (!ParseShownDate(shown, &date)) {
        std::memcpy(next, shown, kShownDateSize);
        return;
    }
    const CalendarDate stepped = AddDays(date, step, LeapRule::kGregorian);
    FormatShownDate(IsValidDate(stepped) ? stepped : date, next);
}

void ShowDate(HWND dialog, const char* shown) {
    SetText(dialog, IDC_DAY_DATE, shown);
    SetSpinPosition(dialog, IDC_DAY_DATE_SPIN, DateSpinPosition(shown));
}

void LockBodyFat(HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_DAY_BODYFAT, EM_SETREADONLY, TRUE, 0);
    EnableWindow(GetDlgItem(dialog, IDC_DAY_BODYFAT_SPIN), FALSE);
}

// Shows the day `shown` ("YYYY/MM/DD"): its record when there is one, else empty fields.
void LoadDay(HWND dialog, const char* shown) {
    std::memset(&StagingRecord(), 0, sizeof(DailyRecord));
    SetText(dialog, IDC_DAY_WEIGHT, "");
    SetText(dialog, IDC_DAY_BODYFAT, "");
    // A field the person is already typing in has no placeholder to vanish:
    // what is typed next would be added to it.
    HWND diaryField = GetDlgItem(dialog, IDC_DAY_DIARY);
    SetText(dialog, IDC_DAY_DIARY, GetFocus() == diaryField ? "" : kDiaryPlaceholder);
    SetSpinPosition(dialog, IDC_DAY_WEIGHT_SPIN, kDefaultWeightTenths);
    SetSpinPosition(dialog, IDC_DAY_BODYFAT_SPIN, kDefaultBodyFatTenths);
    SendDlgItemMessageA(dialog, IDC_DAY_BODYFAT, EM_SETREADONLY, FALSE, 0);
    EnableWindow(GetDlgItem(dialog, IDC_DAY_BODYFAT_SPIN), TRUE);

    char key[kDateLength];
    const long index = DateKeyOfShownDate(shown, key) ? FindDay(key) : kNoDay;
    if (index != kNoDay) {
        std::memcpy(&StagingRecord(), &DiaryRecords()[index], sizeof(DailyRecord));
        const DailyRecord& day = StagingRecord();
        const double weight = day.weight, bodyFat = day.bodyFat;
        if (weight > 0) SetTenths(dialog, IDC_DAY_WEIGHT, IDC_DAY_WEIGHT_SPIN, weight);
        if (bodyFat > 0) SetTenths(dialog, IDC_DAY_BODYFAT, IDC_DAY_BODYFAT_SPIN, bodyFat);
        char diary[kDiaryCapacity];
        std::memcpy(diary, day.diary, kDiaryCapacity);
        diary[kDiaryCapacity - 1] = '\0';
        if (diary[0]) SetText(dialog, IDC_DAY_DIARY, diary);
    }
    if (!BodyFatTracked()) LockBodyFat(dialog);
    g_dialog.edited = false;
}

bool ValidateDay(HWND dialog, bool withMessages) {
    const DayCheck check = CheckDay(FieldNumber(dialog, IDC_DAY_WEIGHT), FieldNumber(dialog, IDC_DAY_BODYFAT));
    if (check == kDayValid) return true;
    if (withMessages) {
        const int field = check == kDayBadWeight ? IDC_DAY_WEIGHT : IDC_DAY_BODYFAT;
        PelmoMessageBox(dialog, check == kDayBadWeight ? kBadWeightText : kBadBodyFatText, kDayDialogCaption,
                        kMbOk | kMbIconInformation);
        SetFocus(GetDlgItem(dialog, field));
        SendDlgItemMessageA(dialog, field, EM_SETSEL, 0, -1);
    }
    return false;
}

// Collects the shown day and stores it; StoreDay's 1-based position, 0 when
// nothing was stored. A day that already has a record keeps every field this
// dialog does not show (temperature, condition, sleep, steps, intake, exercise
// and the reserved blocks); a new day starts from an empty record, so that it
// never inherits another day's values.
long StoreShownDay(HWND dialog) {
    char shown[kShownDateSize] = {};
    GetDlgItemTextA(dialog, IDC_DAY_DATE, shown, sizeof shown);
    char key[kDateLength];
    if (!DateKeyOfShownDate(shown, key)) return 0;
    DailyRecord& day = StagingRecord();
    const long index = FindDay(key);
    if (index != kNoDay)
        std::memcpy(&day, &DiaryRecords()[index], sizeof(DailyRecord));
    else
        std::memset(&day, 0, sizeof(DailyRecord));
    std::memcpy(day.date, key, kDateLength);
    day.weight = FieldNumber(dialog, IDC_DAY_WEIGHT);
    day.bodyFat = FieldNumber(dialog, IDC_DAY_BODYFAT);
    char text[kTextSize * 2] = {};
    GetDlgItemTextA(dialog, IDC_DAY_DIARY, text, sizeof text);
    char diary[kDiaryCapacity];
    StoredDiaryText(text, diary);
    std::memset(day.diary, 0, kDiaryCapacity);
    std::memcpy(day.diary, diary, std::strlen(diary));
    const StoreOutcome stored = StoreDay(day);
    ShowNotice(dialog, stored.notice);
    return stored.position;
}

void TellOwner() {
    if (g_hooks.dayStored) g_hooks.dayStored(g_dialog.owner);
}

void OnRegister(HWND dialog) {
    if (!ValidateDay(dialog, true)) return;
    const long position = StoreShownDay(dialog);
    if (position == 0) return;  // out of memory: told, the dialog stays open
    TellOwner();
    EndModalDialog(dialog, position);
}

// The date spin stores the shown day when it is valid and steps to day number n.
// A day the person changed but left invalid is not dropped unseen: the reason
// is shown and the spin stays on it.
void OnDateSpin(HWND dialog, int n) {
    char shown[kShownDateSize] = {};
    GetDlgItemTextA(dialog, IDC_DAY_DATE, shown, sizeof shown);
    char key[kDateLength];
    const bool recorded = DateKeyOfShownDate(shown, key) && FindDay(key) != kNoDay;
    if (ValidateDay(dialog, false)) {
        if (g_dialog.edited || recorded) {
            if (StoreShownDay(dialog) == 0) {
                SetSpinPosition(dialog, IDC_DAY_DATE_SPIN, DateSpinPosition(shown));
                return;
            }
            SetRegistryValue(kCookKubunValue, "0", kAreaSettings);
            TellOwner();
        }
    } else if (g_dialog.edited) {
        SetSpinPosition(dialog, IDC_DAY_DATE_SPIN, DateSpinPosition(shown));
        ValidateDay(dialog, true);
        return;
    }
    char next[kShownDateSize];
    if (InSpinDays(shown))
        DateOfDayNumber(n, next);
    else
        StepShownDate(shown, n - DateSpinPosition(shown), next);
    ShowDate(dialog, next);
    LoadDay(dialog, next);
}

void OnNumberSpin(HWND dialog, int fieldId, int position) {
    SetFocus(GetDlgItem(dialog, fieldId));
    char text[32];
    std::snprintf(text, sizeof text, "%.1lf", position * 0.1);
    SetDlgItemTextA(dialog, fieldId, text);
}

void OnSpin(HWND dialog, HWND spin, int code) {
    if (code != SB_THUMBPOSITION) return;
    const int position = static_cast<int>(SendMessageA(spin, UDM_GETPOS32, 0, 0));
    switch (GetDlgCtrlID(spin)) {
    case IDC_DAY_DATE_SPIN: OnDateSpin(dialog, position); break;
    case IDC_DAY_WEIGHT_SPIN: OnNumberSpin(dialog, IDC_DAY_WEIGHT, position); break;
    case IDC_DAY_BODYFAT_SPIN: OnNumberSpin(dialog, IDC_DAY_BODYFAT, position); break;
    default: break;
    }
}

void OnNumberChanged(HWND dialog, int fieldId, int spinId) {
    if (!g_dialog.settingText) g_dialog.edited = true;
    SetSpinPosition(dialog, spinId, Tenths(FieldNumber(dialog, fieldId)));
    CloseIme(GetDlgItem(dialog, fieldId));
}

// Enter, Down and Up passed up by the number fields.
void OnFieldKey(HWND dialog, int fieldId, WORD key) {
    if (key == kFieldKeyUp) {
        if (fieldId == IDC_DAY_BODYFAT) SetFocus(GetDlgItem(dialog, IDC_DAY_WEIGHT));
        return;
    }
    switch (NextFieldFrom(InputItems(), fieldId == IDC_DAY_WEIGHT ? kItemBodyFat : kItemTemperature)) {
    case kMoveToBodyFat: SetFocus(GetDlgItem(dialog, IDC_DAY_BODYFAT)); break;
    case kMoveRegister: OnRegister(dialog); break;
    case kMoveNowhere: break;
    }
}

void OnDiaryNotice(HWND dialog, WORD code) {
    HWND field = GetDlgItem(dialog, IDC_DAY_DIARY);
    if (code == EN_SETFOCUS) OpenImeForText(field);
    if (g_dialog.settingText) return;
    if (code == EN_CHANGE) {
        g_dialog.edited = true;
        // What the field holds is what is stored, so nothing is cut unseen.
        HoldTextToByteLimit(field, g_dialog.diary, kDiaryTextLimit);
    }
    char text[kPlaceholderProbeSize] = {};
    GetWindowTextA(field, text, sizeof text);
    if (std::strcmp(text, kDiaryPlaceholder) == 0) SetText(dialog, IDC_DAY_DIARY, "");
}

void OnCommand(HWND dialog, int id, WORD code) {
    switch (id) {
    case IDC_DAY_REGISTER: OnRegister(dialog); break;
    case IDCANCEL: EndModalDialog(dialog, 0); break;
    case IDC_DIALOG_HELP: ShowDialogHelp(dialog, kHelpTopic); break;
    case IDC_DAY_WEIGHT:
    case IDC_DAY_BODYFAT:
        if (code == EN_CHANGE)
            OnNumberChanged(dialog, id, id == IDC_DAY_WEIGHT ? IDC_DAY_WEIGHT_SPIN : IDC_DAY_BODYFAT_SPIN);
        else if (IsFieldKey(code))
            OnFieldKey(dialog, id, code);
        break;
    case IDC_DAY_DIARY: OnDiaryNotice(dialog, code); break;
    default: break;
    }
}

// The calendar's date, or today when its text is not a date.
void ShownCalendarDate(char* shown) {
    char text[32] = {};
    if (HWND calendar = CalendarWindow()) GetWindowTextA(calendar, text, sizeof text);
    char key[kDateLength];
    if (DateKeyOfShownDate(text, key))
        ShownDateOfKey(key, shown);
    else
        FormatShownDate(Today(), shown);
}

BOOL OnInit(HWND dialog, LPARAM start) {
    g_dialog.settingText = false;
    g_dialog.edited = false;
    std::memset(&StagingRecord(), 0, sizeof(DailyRecord));
    SetRegistryValue(kCookKubunValue, "0", kAreaSettings);

    SendDlgItemMessageA(dialog, IDC_DAY_WEIGHT, kNumEditSetFormat, kWeightFormat, 0);
    SendDlgItemMessageA(dialog, IDC_DAY_BODYFAT, kNumEditSetFormat, kBodyFatFormat, 0);
    // Bytes under Windows; under Wine characters, and the change notice holds the bytes.
    SendDlgItemMessageA(dialog, IDC_DAY_DIARY, EM_LIMITTEXT, kDiaryTextLimit, 0);
    SetSpinRange(dialog, IDC_DAY_DATE_SPIN, kMaxDayNumber);
    SetSpinRange(dialog, IDC_DAY_WEIGHT_SPIN, kMaxWeightTenths);
    SetSpinRange(dialog, IDC_DAY_BODYFAT_SPIN, kMaxBodyFatTenths);

    char shown[kShownDateSize];
    const std::uint32_t count = DiaryRecordCount();
    if (start >= 1 && static_cast<std::uint32_t>(start) <= count) {
        ShownDateOfKey(DiaryRecords()[start - 1].date, shown);
        LoadDay(dialog, shown);
    } else {
        // A calendar date that has its record shows that record, as 修正 does:
        // the latest day's values only ever fill a date without one, so that
        // a step of the date spin never stores them over another day.
        ShownCalendarDate(shown);
        char key[kDateLength];
        char last[kDateLength + 1];
        if (DateKeyOfShownDate(shown, key) && FindDay(key) != kNoDay) {
            LoadDay(dialog, shown);
        } else if (LastDayDate(last)) {
            char lastShown[kShownDateSize];
            ShownDateOfKey(last, lastShown);
            LoadDay(dialog, lastShown);
        }
    }
    ShowDate(dialog, shown);

    HWND weight = GetDlgItem(dialog, IDC_DAY_WEIGHT);
    SetFocus(weight);
    CloseIme(weight);
    if (!BodyFatTracked()) {
        LockBodyFat(dialog);
        EnableWindow(GetDlgItem(dialog, IDC_DAY_BODYFAT), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_DAY_BODYFAT_LABEL), FALSE);
    }
    g_dialog.edited = false;
    SetMonthlyCalendar(dialog, 0);
    return FALSE;  // the focus is set
}

INT_PTR CALLBACK DayDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInit(dialog, lParam);
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_VSCROLL:
        OnSpin(dialog, reinterpret_cast<HWND>(lParam), LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndModalDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void SetDayDialogHooks(const DayDialogHooks& hooks) { g_hooks = hooks; }

INT_PTR OpenDayDialog(HWND owner, LPARAM start) {
    g_dialog = DayDialog{};
    g_dialog.owner = owner;
    const INT_PTR result = CreateModalDialog(GetModuleHandleA(nullptr), owner, kDayDialogTemplate, DayDialogProcedure, start);
    return result < 0 ? 0 : result;
}
