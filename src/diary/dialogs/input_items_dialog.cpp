// "IDD_SET_ITEM2": which optional quantities the open user records.
#include "corelib/msgbox.h"
#include "corelib/win32/modal_dialog.h"
#include "diary/dialogs/dialog_support.h"
#include "diary/dialogs/user_dialogs.h"
#include "diary/diary_store.h"
#include "diary/input_items.h"
#include "resources/resource.h"

namespace {

struct InputItemsData {
    InputItemFlags kept;  // the flags as the dialog opened
};

InputItemsData* DataOf(HWND dialog) { return reinterpret_cast<InputItemsData*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

INT_PTR OnInit(HWND dialog, InputItemsData* data) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(data));
    SetMonthlyCalendar(dialog, 0);
    data->kept = InputItems();
    for (int i = 0; i < kInputItemCount; ++i)
        if (data->kept.on[i]) CheckDlgButton(dialog, IDC_ITEM_FIRST + i, BST_CHECKED);
    return TRUE;
}

void OnRegister(HWND dialog) {
    if (PelmoMessageBox(dialog, "ペルモで使用する入力項目を設定します。\n\nよろしいですか？", "確認",
                        kMbOkCancel | kMbIconInformation) != kIdOk)
        return;
    InputItemFlags& flags = InputItems();
    // A checkbox the template lacks reads as unchecked: that item is switched off.
    for (int i = 0; i < kInputItemCount; ++i)
        flags.on[i] = IsDlgButtonChecked(dialog, IDC_ITEM_FIRST + i) == BST_CHECKED ? 1 : 0;
    if (SameInputItems(flags, DataOf(dialog)->kept)) {
        EndModalDialog(dialog, 0);
        return;
    }
    if (!WriteInputItems(StagingHeader().userNumber, flags)) {
        PelmoMessageBox(dialog, "入力項目の設定(ITEM*.DAT)の書込みに失敗しました。", "確認", kMbOk | kMbIconInformation);
        return;
    }
    EndModalDialog(dialog, 1);
}

void OnCancel(HWND dialog) {
    InputItems() = DataOf(dialog)->kept;  // a choice that could not be written is not kept either
    EndModalDialog(dialog, 0);
}

INT_PTR OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_ITEM_REGISTER: OnRegister(dialog); return TRUE;
    case IDCANCEL: OnCancel(dialog); return TRUE;
    case IDC_DIALOG_HELP: ShowDialogHelp(dialog, "item"); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK InputItemsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, reinterpret_cast<InputItemsData*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace

INT_PTR InputItemsDialog(HWND window) {
    InputItemsData data = {};
    INT_PTR result = CreateModalDialog(DialogInstance(), window, "IDD_SET_ITEM2", InputItemsProc, reinterpret_cast<LPARAM>(&data));
    return result == 1 ? 1 : 0;
}
