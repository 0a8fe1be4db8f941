#include "diary/dialogs/user_detail_fields.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "corelib/msgbox.h"
#include "corelib/sjis.h"
#include "corelib/win32/fields.h"
#include "corelib/win32/ime.h"
#include "diary/dialogs/dialog_support.h"
#include "diary/users_table.h"
#include "resources/resource.h"

namespace {

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

}  // namespace

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
