#include "shell/toolbar.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "corelib/win32/dpi.h"
#include "corelib/registry.h"
#include "corelib/sjis.h"
#include "resources/resource.h"

namespace {

const char* const kToolbarValue = "Toolbar";
constexpr int kImageSize = 40;  // at 96 DPI, like the button size
constexpr int kButtonSize = 46;
constexpr int kImageCount = 8;
constexpr COLORREF kMaskColour = RGB(255, 0, 255);
constexpr int kSeparator = 0;

// Buttons in order; 0 is a separator. The n-th button shows image n.
constexpr UINT kButtons[] = {ID_USER_NEW, ID_USER_OPEN, kSeparator,    ID_RECORDS_COPY, kSeparator,
                             ID_DAY_NEW,  ID_DAY_EDIT,  ID_DAY_DELETE, kSeparator,      ID_SET_TARGET,
                             kSeparator,  ID_HELP_CONTENTS};

// "Toolbar" as a number; false when the value does not exist.
bool StoredToolbarNumber(int* number) {
    char text[256] = {};
    if (!GetRegistryValue(kToolbarValue, text, 255, kAreaSettings)) return false;
    *number = std::atoi(text);
    return true;
}

void ShowToolbar(HWND frame, HWND toolbar, bool shown) {
    ShowWindow(toolbar, shown ? SW_SHOW : SW_HIDE);
    CheckMenuItem(GetMenu(frame), ID_VIEW_TOOLBAR, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
}

// The frame lays out toolbar and view again on a size message with zero size.
void RecalculateLayout(HWND frame) { SendMessageA(frame, WM_SIZE, 0, 0); }

// The strip grown to the screen's DPI, pixel by pixel: a smoothed picture would
// blend the transparent magenta into the edges.
HBITMAP ScaledStrip(HBITMAP strip) {
    const int size = ScaleToScreen(kImageSize);
    if (size == kImageSize) return strip;
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP scaled = CreateCompatibleBitmap(screen, size * kImageCount, size);
    if (from && to && scaled) {
        HGDIOBJ oldFrom = SelectObject(from, strip);
        HGDIOBJ oldTo = SelectObject(to, scaled);
        SetStretchBltMode(to, COLORONCOLOR);
        StretchBlt(to, 0, 0, size * kImageCount, size, from, 0, 0, kImageSize * kImageCount, kImageSize, SRCCOPY);
        SelectObject(to, oldTo);
        SelectObject(from, oldFrom);
    }
    if (to) DeleteDC(to);
    if (from) DeleteDC(from);
    ReleaseDC(nullptr, screen);
    DeleteObject(strip);
    return scaled;
}

HIMAGELIST LoadButtonImages(HINSTANCE instance) {
    HBITMAP strip = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!strip) return nullptr;
    strip = ScaledStrip(strip);
    if (!strip) return nullptr;
    const int size = ScaleToScreen(kImageSize);
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kImageCount, 0);
    if (images) ImageList_AddMasked(images, strip, kMaskColour);
    DeleteObject(strip);
    return images;
}

}  // namespace

HWND CreateMainToolbar(HINSTANCE instance, HWND frame) {
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                       CCS_TOP | CCS_NODIVIDER,
                                   0, 0, 0, 0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDW_TOOLBAR)),
                                   instance, nullptr);
    if (!toolbar) return nullptr;
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const int imageSize = ScaleToScreen(kImageSize);
    const int buttonSize = ScaleToScreen(kButtonSize);
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSize, imageSize));
    // The image list is the toolbar's until it is destroyed with the frame.
    SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(LoadButtonImages(instance)));

    TBBUTTON buttons[sizeof(kButtons) / sizeof(kButtons[0])] = {};
    int image = 0;
    for (size_t i = 0; i < sizeof(kButtons) / sizeof(kButtons[0]); ++i) {
        if (kButtons[i] == kSeparator) {
            buttons[i].fsStyle = BTNS_SEP;
            continue;
        }
        buttons[i].iBitmap = image++;
        buttons[i].idCommand = static_cast<int>(kButtons[i]);
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
    }
    SendMessageA(toolbar, TB_ADDBUTTONSA, sizeof(buttons) / sizeof(buttons[0]), reinterpret_cast<LPARAM>(buttons));
    // The common controls widen a button to its picture plus the padding.
    SendMessageA(toolbar, TB_SETPADDING, 0, MAKELPARAM(buttonSize - imageSize, buttonSize - imageSize));
    SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonSize, buttonSize));
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    return toolbar;
}

void ApplyStoredToolbarState(HWND frame, HWND toolbar) {
    int number = 1;
    bool hidden = StoredToolbarNumber(&number) && number == 0;
    ShowToolbar(frame, toolbar, !hidden);
    RecalculateLayout(frame);
}

// As stored: any existing value other than 1 counts as hidden, so "2" shows
// the toolbar (which is already shown) and becomes "1".
void ToggleToolbar(HWND frame, HWND toolbar) {
    int number = 1;
    bool show = StoredToolbarNumber(&number) && number != 1;
    ShowToolbar(frame, toolbar, show);
    SetRegistryValue(kToolbarValue, show ? "1" : "0", kAreaSettings);
    RecalculateLayout(frame);
}

std::string ToolbarTipText(HINSTANCE instance, UINT id) {
    char text[256] = {};
    if (LoadStringA(instance, id, text, sizeof(text)) <= 0) return "";
    const char* lineBreak = std::strchr(text, '\n');  // '\n' is never a Shift-JIS trail byte
    return lineBreak ? lineBreak + 1 : "";
}

void OnToolbarTip(HINSTANCE instance, NMHDR* header) {
    auto* request = reinterpret_cast<NMTTDISPINFOA*>(header);
    std::string tip = ToolbarTipText(instance, static_cast<UINT>(header->idFrom));
    SjisCopy(request->szText, sizeof(request->szText), tip.c_str());
    request->lpszText = request->szText;
    request->hinst = nullptr;
}
