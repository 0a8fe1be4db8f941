// "IDD_USER_REGISTRY" and "IDD_USER_AMEND": the name, age, sex and height of
// a new user, or the age, sex and height of the open user, into the staging
// header. One dialog procedure serves both; what differs is in UserDetailsDialog.
#include <cstdio>
#include <cstring>
#include <string>

#include "corelib/msgbox.h"
#include "corelib/sjis.h"
#include "corelib/win32/fields.h"
#include "corelib/win32/ime.h"
#include "corelib/win32/modal_dialog.h"
#include "diary/dialogs/dialog_support.h"
#include "diary/dialogs/user_dialogs.h"
#include "diary/diary_store.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "resources/resource.h"

namespace {

constexpr int kMaxAge = 100;
constexpr double kMaxHeight = 250.0;
// Below any grown person's height: a smaller figure is a slip of the keys, and it
// would put every BMI and the chart's scales out by orders of magnitude.
constexpr double kMinHeight = 50.0;
constexpr const char kUserCaption[] = "ユーザー";

constexpr uint32_t kAgeFormat = 0x30000;     // 3 digits
constexpr uint32_t kHeightFormat = 0x30001;  // 3 digits, 1 decimal
constexpr int kAgeSpinMax = 100;
constexpr int kHeightSpinMax = 2500;  // tenths of a cm

// The name as it is stored: trimmed, cut to 30 bytes without splitting a character.
std::string StoredName(HWND dialog) {
    char name[kUsersNameWidth + 1];
    SjisCopy(name, sizeof(name), TrimmedFieldText(dialog, IDC_USER_NAME).c_str());
    return name;
}

void InitUserDetailFields(HWND dialog, int age, int sex, double height) {
    SendDlgItemMessageA(dialog, IDC_USER_NAME, EM_LIMITTEXT, kUsersNameWidth, 0);
    SendDlgItemMessageA(dialog, IDC_USER_AGE, kNumEditSetFormat, kAgeFormat, 0);
    SendDlgItemMessageA(dialog, IDC_USER_HEIGHT, kNumEditSetFormat, kHeightFormat, 0);
    HWND sexList = GetDlgItem(dialog, IDC_USER_SEX);
    SendMessageA(sexList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ResourceText(IDS_SEX_MALE).c_str()));
    SendMessageA(sexList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ResourceText(IDS_SEX_FEMALE).c_str()));
    SendMessageA(sexList, CB_SETCURSEL, sex == 0 ? 0 : 1, 0);
    char text[32];
    std::snprintf(text, sizeof(text), "%d", age);
    SetFieldText(dialog, IDC_USER_AGE, text);
    SetFieldTenths(dialog, IDC_USER_HEIGHT, height);
    SetSpin(dialog, IDC_USER_AGE_SPIN, 0, kAgeSpinMax, age);
    SetSpin(dialog, IDC_USER_HEIGHT_SPIN, 0, kHeightSpinMax, static_cast<int>(height * 10));
}

void OnUserDetailChange(HWND dialog, int id, WORD code) {
    if (id == IDC_USER_NAME && code == EN_SETFOCUS) {
        OpenImeForText(GetDlgItem(dialog, id));
        return;
    }
    bool fieldChanged = code == EN_CHANGE && (id == IDC_USER_AGE || id == IDC_USER_HEIGHT);
    if (!fieldChanged && !(id == IDC_USER_SEX && code == CBN_SELCHANGE)) return;
    if (id == IDC_USER_AGE) SetSpinPosition(dialog, IDC_USER_AGE_SPIN, static_cast<int>(FieldLong(dialog, id)));
    if (id == IDC_USER_HEIGHT) SetSpinPosition(dialog, IDC_USER_HEIGHT_SPIN, static_cast<int>(FieldDouble(dialog, id) * 10));
    CloseIme(GetDlgItem(dialog, id));
}

void OnUserDetailSpin(HWND dialog, int spinId, int position) {
    char text[32];
    int field = 0;
    if (spinId == IDC_USER_AGE_SPIN) {
        field = IDC_USER_AGE;
        std::snprintf(text, sizeof(text), "%u", static_cast<unsigned>(position));
    } else if (spinId == IDC_USER_HEIGHT_SPIN) {
        field = IDC_USER_HEIGHT;
        std::snprintf(text, sizeof(text), "%.1lf", position * 0.1);
    } else {
        return;
    }
    SetFocus(GetDlgItem(dialog, field));
    SetFieldText(dialog, field, text);
}

bool CheckUserDetails(HWND dialog, bool withName) {
    if (withName && StoredName(dialog).empty()) {
        ShowFieldError(dialog, IDC_USER_NAME, "名前を入力してください。", kUserCaption);
        return false;
    }
    if (FieldText(dialog, IDC_USER_AGE).empty()) {
        ShowFieldError(dialog, IDC_USER_AGE, "年齢を入力してください。", kUserCaption);
        return false;
    }
    if (FieldLong(dialog, IDC_USER_AGE) > kMaxAge) {
        ShowFieldError(dialog, IDC_USER_AGE, "年齢は100歳以下で入力してください。", kUserCaption);
        return false;
    }
    // A height of 0 ("0", "." or "0.0") is no height: every BMI would divide by it.
    if (FieldText(dialog, IDC_USER_HEIGHT).empty() || FieldDouble(dialog, IDC_USER_HEIGHT) <= 0.0) {
        ShowFieldError(dialog, IDC_USER_HEIGHT, "身長を入力してください。", kUserCaption);
        return false;
    }
    if (FieldDouble(dialog, IDC_USER_HEIGHT) < kMinHeight) {
        ShowFieldError(dialog, IDC_USER_HEIGHT, "身長は50.0cm以上で入力してください。", kUserCaption);
        return false;
    }
    if (FieldDouble(dialog, IDC_USER_HEIGHT) > kMaxHeight) {
        ShowFieldError(dialog, IDC_USER_HEIGHT, "身長は250.0cm以下で入力してください。", kUserCaption);
        return false;
    }
    if (withName && UserRowOfName(StoredName(dialog).c_str()) >= 0) {
        char text[160];
        std::snprintf(text, sizeof(text), "「%s」さんは登録済みです。\n\n名前を変更してください。", StoredName(dialog).c_str());
        ShowFieldError(dialog, IDC_USER_NAME, text, "確認");
        return false;
    }
    return true;
}

void ReadBodyDetails(HWND dialog, UserHeader* header) {
    header->age = static_cast<int32_t>(FieldLong(dialog, IDC_USER_AGE));
    header->sex = SendDlgItemMessageA(dialog, IDC_USER_SEX, CB_GETCURSEL, 0, 0) == 1 ? 1 : 0;
    header->height = FieldDouble(dialog, IDC_USER_HEIGHT);
}

void ReadUserDetails(HWND dialog, UserHeader* header) {
    char name[sizeof(header->name)] = {};
    SjisCopy(name, sizeof(name), StoredName(dialog).c_str());
    std::memcpy(header->name, name, sizeof(name));
    ReadBodyDetails(dialog, header);
}

// What differs between the registration and the amendment.
struct UserDetailsDialog {
    const char* templateName;
    const char* helpTopic;
    const int* fieldOrder;  // the order Enter, Down and Up move in
    int fieldCount;
    bool amending;          // the open user's details: the name is shown, not typed
};

constexpr int kRegistrationOrder[] = {IDC_USER_NAME, IDC_USER_AGE, IDC_USER_SEX, IDC_USER_HEIGHT};
constexpr int kAmendmentOrder[] = {IDC_USER_AGE, IDC_USER_SEX, IDC_USER_HEIGHT};
constexpr UserDetailsDialog kRegistration = {"IDD_USER_REGISTRY", "user1", kRegistrationOrder, 4, false};
constexpr UserDetailsDialog kAmendment = {"IDD_USER_AMEND", "user3", kAmendmentOrder, 3, true};

// A new user starts as a woman of 20 years and 150.0 cm.
constexpr int kStartAge = 20;
constexpr int kStartSex = 1;
constexpr double kStartHeight = 150.0;

const UserDetailsDialog& KindOf(HWND dialog) {
    return *reinterpret_cast<const UserDetailsDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR OnInit(HWND dialog, const UserDetailsDialog* kind) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(kind));
    UserHeader start = {};
    start.age = kStartAge;
    start.sex = kStartSex;
    start.height = kStartHeight;
    if (kind->amending) start = CurrentHeader();
    std::memset(&StagingHeader(), 0, sizeof(UserHeader));
    if (kind->amending) {
        char name[sizeof start.name];
        std::memcpy(name, start.name, sizeof name);
        name[sizeof name - 1] = '\0';
        SetFieldText(dialog, IDC_USER_NAME, name);
    }
    InitUserDetailFields(dialog, start.age, start.sex, start.height);
    FocusField(dialog, kind->fieldOrder[0]);
    SetMonthlyCalendar(dialog, 0);
    return FALSE;  // the focus is set
}

// The targets, then the data file with the new details. A user who is not
// open (nothing to amend) is told so before any target dialog.
bool AmendOpenUser(HWND dialog) {
    if (IsUserOpen() && TargetDialog(dialog, kTargetExistingUser) != 1) return false;
    const UserOutcome amended = AmendUser();
    ShowNotice(dialog, amended.notice);
    return amended.done;
}

void OnConfirm(HWND dialog) {
    const bool amending = KindOf(dialog).amending;
    if (!CheckUserDetails(dialog, !amending)) return;
    UserHeader& staging = StagingHeader();
    if (amending) staging = CurrentHeader();
    staging.formatMark = 'A';
    if (amending)
        ReadBodyDetails(dialog, &staging);
    else
        ReadUserDetails(dialog, &staging);
    // A cancelled target dialog or a failed write keeps the values for another try.
    if (amending && !AmendOpenUser(dialog)) return;
    EndModalDialog(dialog, 1);
}

INT_PTR OnCommand(HWND dialog, int id, WORD code) {
    const UserDetailsDialog& kind = KindOf(dialog);
    if (IsFieldKey(code)) {
        MoveByKey(dialog, kind.fieldOrder, kind.fieldCount, id, code, OnConfirm);
        return TRUE;
    }
    switch (id) {
    case IDC_USER_REGISTER: OnConfirm(dialog); return TRUE;
    case IDCANCEL: EndModalDialog(dialog, 0); return TRUE;
    case IDC_DIALOG_HELP: ShowDialogHelp(dialog, kind.helpTopic); return TRUE;
    }
    if (!(kind.amending && id == IDC_USER_NAME)) OnUserDetailChange(dialog, id, code);  // a read-only name wants no IME
    return FALSE;
}

INT_PTR CALLBACK UserDetailsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, reinterpret_cast<const UserDetailsDialog*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_VSCROLL: return OnSpinThumb(dialog, wParam, lParam, OnUserDetailSpin);
    }
    return FALSE;
}

INT_PTR RunUserDetails(HWND window, const UserDetailsDialog& kind) {
    return CreateModalDialog(DialogInstance(), window, kind.templateName, UserDetailsProc,
                             reinterpret_cast<LPARAM>(&kind));
}

}  // namespace

int RegisterUser(HWND window) {
    if (RunUserDetails(window, kRegistration) != 1) return 0;
    // The target dialog offers the new user's items; a registration that ends
    // without a new user gives the open user its own back.
    const InputItemFlags openUsersItems = InputItems();
    PrepareNewUser();
    UserOutcome created = {false, Notice{}};
    if (TargetDialog(window, kTargetNewUser) == 1) created = CreateUser();
    ShowNotice(window, created.notice);
    if (!created.done) InputItems() = openUsersItems;
    return created.done ? 1 : 0;
}

INT_PTR AmendUserDialog(HWND window) { return RunUserDetails(window, kAmendment); }
