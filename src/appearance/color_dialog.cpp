#include "appearance/color_dialog.h"

#include <cstdio>

#include "charts/chart_palette.h"
#include "charts/color_scheme_setting.h"
#include "corelib/win32/dpi.h"
#include "corelib/win32/modal_dialog.h"
#include "corelib/msgbox.h"
#include "corelib/registry.h"
#include "resources/resource.h"

namespace {

constexpr int kLastScheme = kColorSchemeCount - 1;
constexpr int kPreviewWidth = 170;  // the preview bitmaps' own size at 96 DPI
constexpr int kPreviewHeight = 115;

const char* const kStoreFailedText = "選択されたカラーを保存できませんでした。";
const char* const kConfirmText = "選択されたカラーを設定します。よろしいですか？\n\n※設定はペルモの再起動後に反映されます。";

// The scheme shown, from opening to closing.
struct ColorDialogData {
    int scheme = 0;
};

ColorDialogData* DataOf(HWND dialog) { return reinterpret_cast<ColorDialogData*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void ShowScheme(HWND dialog, int scheme) {
    SetScrollPos(GetDlgItem(dialog, IDC_COLOR_SCROLL), SB_CTL, scheme, TRUE);
    HWND preview = GetDlgItem(dialog, IDC_COLOR_PREVIEW);
    SetWindowTextA(preview, ColorPreviewName(scheme).c_str());
    InvalidateRect(preview, nullptr, TRUE);
    UpdateWindow(preview);
}

// The preview keeps the bitmaps' proportions and grows with the screen's DPI;
// the scroll bar stands at its right, as tall as the picture.
void FitPreview(HWND dialog) {
    HWND preview = GetDlgItem(dialog, IDC_COLOR_PREVIEW);
    HWND scroll = GetDlgItem(dialog, IDC_COLOR_SCROLL);
    RECT place;
    GetWindowRect(preview, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    const int width = ScaleToScreen(kPreviewWidth);
    const int height = ScaleToScreen(kPreviewHeight);
    SetWindowPos(preview, nullptr, place.left, place.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(scroll, nullptr, place.left + width + ScaleToScreen(4), place.top, GetSystemMetrics(SM_CXVSCROLL),
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR OnInit(HWND dialog, ColorDialogData* data) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(data));
    SetMonthlyCalendar(dialog, 0);
    // The same reading the diary window uses, so the dialog opens on the scheme in use.
    data->scheme = ReadColorSchemeSetting();
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = kLastScheme;
    info.nPage = 0;
    info.nPos = data->scheme;
    SetScrollInfo(GetDlgItem(dialog, IDC_COLOR_SCROLL), SB_CTL, &info, TRUE);
    FitPreview(dialog);
    SetDlgItemTextA(dialog, IDC_COLOR_PREVIEW, ColorPreviewName(data->scheme).c_str());
    return TRUE;
}

// The scheme after a scroll request; the same scheme when nothing changes.
int SchemeAfterScroll(int scheme, int request, int position) {
    switch (request) {
    case SB_LINEUP:
    case SB_PAGEUP: return scheme > 0 ? scheme - 1 : scheme;
    case SB_LINEDOWN:
    case SB_PAGEDOWN: return scheme < kLastScheme ? scheme + 1 : scheme;
    case SB_TOP: return 0;
    case SB_BOTTOM: return kLastScheme;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return position < 0 ? 0 : position > kLastScheme ? kLastScheme : position;
    }
    return scheme;
}

void OnScroll(HWND dialog, int request, int position) {
    ColorDialogData* data = DataOf(dialog);
    int scheme = SchemeAfterScroll(data->scheme, request, position);
    if (scheme == data->scheme) return;
    data->scheme = scheme;
    ShowScheme(dialog, scheme);
}

void OnStore(HWND dialog) {
    if (PelmoMessageBox(dialog, kConfirmText, "確認", kMbOkCancel | kMbIconInformation) != kIdOk) return;
    char text[16];
    std::snprintf(text, sizeof text, "%d", DataOf(dialog)->scheme);
    if (!SetRegistryValue("SYSCOLOR", text, kAreaSettings)) {
        PelmoMessageBox(dialog, kStoreFailedText, "確認", kMbOk | kMbIconInformation);
        return;  // the dialog stays open with the scheme shown
    }
    EndModalDialog(dialog, 1);
}

INT_PTR OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK: OnStore(dialog); return TRUE;
    case IDCANCEL: EndModalDialog(dialog, 0); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK ColorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, reinterpret_cast<ColorDialogData*>(lParam));
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_COLOR_SCROLL))
            OnScroll(dialog, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return TRUE;
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace

std::string ColorPreviewName(int scheme) {
    char name[24];
    std::snprintf(name, sizeof name, "IDB_COLOR%d", scheme + 1);
    return name;
}

INT_PTR ColorSchemeDialog(HINSTANCE instance, HWND owner) {
    ColorDialogData data;
    INT_PTR result = CreateModalDialog(instance, owner, "IDD_SET_COLOR", ColorDialogProc, reinterpret_cast<LPARAM>(&data));
    return result == 1 ? 1 : 0;
}
