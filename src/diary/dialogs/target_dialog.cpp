// "IDD_SET_TARGET": target weight, body fat and message into the staging
// header, with the normal-weight range of the user's height.
#include <cmath>
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
#include "diary/target_rules.h"
#include "resources/resource.h"

namespace {

constexpr const char kTargetCaption[] = "目標の設定";

struct TargetDialogData {
    TargetDialogMode mode;
};

// The number fields of the targets, in key order; item -1 always takes part.
// Only weight and body fat have fields in the template: the others are
// addressed all the same and read as empty.
struct TargetField {
    int field;
    int spin;
    int item;
    uint32_t format;
    int spinMax;
    int spinScale;  // spin position = value * 10 (tenths), value (1) or value / 10 (-10)
};
constexpr TargetField kTargetFields[] = {
    {IDC_TARGET_WEIGHT, IDC_TARGET_WEIGHT_SPIN, -1, 0x30001, 2000, 10},
    {IDC_TARGET_BODYFAT, IDC_TARGET_BODYFAT_SPIN, kItemBodyFat, 0x20001, 500, 10},
    {IDC_TARGET_INTAKE, IDC_TARGET_INTAKE_SPIN, kItemIntake, 0x40000, 9999, 1},
    {IDC_TARGET_EXERCISE, IDC_TARGET_EXERCISE_SPIN, kItemExercise, 0x40000, 9999, 1},
    {IDC_TARGET_SLEEP, IDC_TARGET_SLEEP_SPIN, kItemSleep, 0x40000, 1440, 1},
    {IDC_TARGET_STEPS, IDC_TARGET_STEPS_SPIN, kItemSteps, 0x50000, 9999, -10},
};

TargetDialogData* DataOf(HWND dialog) {
    return reinterpret_cast<TargetDialogData*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

bool ItemOn(int item) { return item < 0 || InputItems().on[item] != 0; }

int SpinPosition(const TargetField& f, double value) {
    if (f.spinScale == 10) return static_cast<int>(value * 10);
    if (f.spinScale == -10) return static_cast<int>(value / 10);
    return static_cast<int>(value);
}

double ValueOfSpin(const TargetField& f, int position) {
    if (f.spinScale == 10) return position * 0.1;
    if (f.spinScale == -10) return position * 10.0;
    return position;
}

void WriteTargetValue(HWND dialog, const TargetField& f, double value) {
    if (f.spinScale == 10) {
        SetFieldTenths(dialog, f.field, value);
    } else {
        char text[32];
        std::snprintf(text, sizeof(text), "%ld", static_cast<long>(value));
        SetFieldText(dialog, f.field, text);
    }
}

void FillFields(HWND dialog, TargetDialogMode mode) {
    const UserHeader& from = CurrentHeader();
    bool fresh = mode == kTargetNewUser;
    const double values[] = {fresh ? 0.0 : from.targetWeight, fresh ? 0.0 : from.targetBodyFat,
                             fresh ? 0.0 : from.targetIntake, fresh ? 0.0 : from.targetExercise,
                             fresh ? 0.0 : from.targetSleep, fresh ? 0.0 : from.targetSteps};
    for (size_t i = 0; i < sizeof(kTargetFields) / sizeof(kTargetFields[0]); ++i) {
        const TargetField& f = kTargetFields[i];
        SendDlgItemMessageA(dialog, f.field, kNumEditSetFormat, f.format, 0);
        WriteTargetValue(dialog, f, values[i]);
        SetSpin(dialog, f.spin, 0, f.spinMax, SpinPosition(f, values[i]));
    }
    SendDlgItemMessageA(dialog, IDC_TARGET_MESSAGE, EM_LIMITTEXT, kTargetMessageLimit, 0);
    char message[sizeof(from.targetMessage)] = {};
    if (!fresh) SjisCopy(message, sizeof(message), std::string(from.targetMessage, sizeof(from.targetMessage)).c_str());
    SetFieldText(dialog, IDC_TARGET_MESSAGE, message);
}

// A target whose item is off is blank and cannot be edited.
void LockUnusedTargets(HWND dialog) {
    for (const TargetField& f : kTargetFields) {
        if (ItemOn(f.item)) continue;
        SetFieldText(dialog, f.field, "");
        SendDlgItemMessageA(dialog, f.field, EM_SETREADONLY, TRUE, 0);
        if (HWND spin = GetDlgItem(dialog, f.spin)) EnableWindow(spin, FALSE);
    }
    if (!ItemOn(kItemBodyFat))
        if (HWND label = GetDlgItem(dialog, IDC_TARGET_BODYFAT_LABEL)) EnableWindow(label, FALSE);
}

INT_PTR OnInit(HWND dialog, TargetDialogData* data) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(data));
    FillFields(dialog, data->mode);
    CloseIme(GetDlgItem(dialog, IDC_TARGET_WEIGHT));
    LockUnusedTargets(dialog);
    FocusField(dialog, IDC_TARGET_WEIGHT);
    SetFieldText(dialog, IDC_TARGET_NORMAL_WEIGHT, NormalWeightLine(StagingHeader().height).c_str());
    SetMonthlyCalendar(dialog, 0);
    return FALSE;
}

bool Refuse(HWND dialog, int field, const char* text) {
    ShowFieldError(dialog, field, text, kTargetCaption);
    return false;
}

// The checks in their order; each value that passes is written at once.
bool CheckTargets(HWND dialog) {
    UserHeader& staging = StagingHeader();
    double weight = FieldDouble(dialog, IDC_TARGET_WEIGHT);
    if (FieldText(dialog, IDC_TARGET_WEIGHT).empty() || !TargetWeightAccepted(weight))
        return Refuse(dialog, IDC_TARGET_WEIGHT, "目標体重は10～200kgで入力してください。");
    staging.targetWeight = weight;

    double bodyFat = 0.0;
    if (ItemOn(kItemBodyFat)) {
        bodyFat = FieldDouble(dialog, IDC_TARGET_BODYFAT);
        if (!TargetBodyFatAccepted(bodyFat)) return Refuse(dialog, IDC_TARGET_BODYFAT, "目標体脂肪率は1～50％で入力してください。");
    }
    staging.targetBodyFat = std::floor(bodyFat);

    long intake = ItemOn(kItemIntake) ? FieldLong(dialog, IDC_TARGET_INTAKE) : 0;
    if (ItemOn(kItemIntake) && (intake < 1 || intake > 9999))
        return Refuse(dialog, IDC_TARGET_INTAKE, "目標摂取カロリーは1～9999kcalで入力してください。");
    staging.targetIntake = static_cast<int32_t>(intake);

    long exercise = ItemOn(kItemExercise) ? FieldLong(dialog, IDC_TARGET_EXERCISE) : 0;
    if (ItemOn(kItemExercise) && (exercise < 1 || exercise > 9999))
        return Refuse(dialog, IDC_TARGET_EXERCISE, "目標運動消費カロリーは1～9999kcalで入力してください。");
    staging.targetExercise = static_cast<int32_t>(exercise);

    long sleep = ItemOn(kItemSleep) ? FieldLong(dialog, IDC_TARGET_SLEEP) : 0;
    if (ItemOn(kItemSleep) && sleep == 0) return Refuse(dialog, IDC_TARGET_SLEEP, "目標睡眠時間を入力してください。");
    staging.targetSleep = static_cast<int32_t>(sleep);

    long steps = ItemOn(kItemSteps) ? FieldLong(dialog, IDC_TARGET_STEPS) : 0;
    if (ItemOn(kItemSteps) && steps == 0) return Refuse(dialog, IDC_TARGET_STEPS, "目標歩数を入力してください。");
    staging.targetSteps = static_cast<int32_t>(steps);

    char message[sizeof(staging.targetMessage)] = {};
    SjisCopy(message, sizeof(message), FieldText(dialog, IDC_TARGET_MESSAGE).c_str());
    std::memcpy(staging.targetMessage, message, sizeof(message));
    if (TrimmedFieldText(dialog, IDC_TARGET_MESSAGE).empty())  // blanks alone are no message
        return Refuse(dialog, IDC_TARGET_MESSAGE, "目標達成へのメッセージを入力してください。");
    return true;
}

void OnRegister(HWND dialog) {
    if (!CheckTargets(dialog)) return;
    std::string question;
    if (DataOf(dialog)->mode == kTargetNewUser) {
        char text[200];
        char name[sizeof(StagingHeader().name)];
        std::memcpy(name, StagingHeader().name, sizeof(name));
        name[sizeof(name) - 1] = '\0';
        std::snprintf(text, sizeof(text), "%sさんを新規登録します。\n\nよろしいですか？", name);
        question = text;
    } else {
        question = "目標を設定します。\n\nよろしいですか？";
    }
    if (PelmoMessageBox(dialog, question.c_str(), "確認", kMbYesNo | kMbIconInformation) != kIdYes) return;
    EndModalDialog(dialog, 1);
}

// Key order: weight, then each target whose item is on, then the message.
void OnFieldKey(HWND dialog, int id, WORD key) {
    int order[8];
    int count = 0;
    for (const TargetField& f : kTargetFields)
        if (ItemOn(f.item) && GetDlgItem(dialog, f.field)) order[count++] = f.field;
    order[count++] = IDC_TARGET_MESSAGE;
    MoveByKey(dialog, order, count, id, key, OnRegister);
}

void OnFieldChange(HWND dialog, int id) {
    for (const TargetField& f : kTargetFields) {
        if (f.field != id) continue;
        if (FieldText(dialog, id).empty() && !ItemOn(f.item)) return;
        SetSpinPosition(dialog, f.spin, SpinPosition(f, FieldDouble(dialog, id)));
        CloseIme(GetDlgItem(dialog, id));
    }
}

void OnSpin(HWND dialog, int spinId, int position) {
    for (const TargetField& f : kTargetFields) {
        if (f.spin != spinId) continue;
        SetFocus(GetDlgItem(dialog, f.field));
        WriteTargetValue(dialog, f, ValueOfSpin(f, position));
    }
}

INT_PTR OnCommand(HWND dialog, int id, WORD code) {
    if (IsFieldKey(code)) {
        OnFieldKey(dialog, id, code);
        return TRUE;
    }
    switch (code) {
    case EN_CHANGE:
        OnFieldChange(dialog, id);
        return TRUE;
    case EN_SETFOCUS:
        if (id == IDC_TARGET_MESSAGE) OpenImeForText(GetDlgItem(dialog, id));
        return TRUE;
    }
    switch (id) {
    case IDC_TARGET_REGISTER: OnRegister(dialog); return TRUE;
    case IDCANCEL:
        EndModalDialog(dialog, 0);
        return TRUE;
    case IDC_DIALOG_HELP: ShowDialogHelp(dialog, "target"); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK TargetDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, reinterpret_cast<TargetDialogData*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_VSCROLL: return OnSpinThumb(dialog, wParam, lParam, OnSpin);
    }
    return FALSE;
}

}  // namespace

int TargetDialog(HWND window, TargetDialogMode mode) {
    TargetDialogData data = {mode};
    // "登録" writes each target that passes its check at once; when the person
    // then cancels, none of them may reach the user (after the input items
    // changed, the diary window commits the staging header whatever the end).
    const UserHeader staged = StagingHeader();
    INT_PTR result = CreateModalDialog(DialogInstance(), window, "IDD_SET_TARGET", TargetDialogProc,
                                       reinterpret_cast<LPARAM>(&data));
    if (result != 1) StagingHeader() = staged;
    return result == 1 ? 1 : 0;
}
