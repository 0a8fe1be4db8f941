#include "report/printing/report_preview.h"

#include <algorithm>
#include <cstdio>

#include "corelib/win32/dpi.h"
#include "corelib/win32/gdi_scope.h"
#include "report/printing/report_pages.h"
#include "report/printing/report_printer.h"
#include "resources/resource.h"
#include "resources/texts.h"

namespace {

const char kPreviewClass[] = "PelmoReportPreview";
constexpr int kBarHeight = 32;     // the buttons' row, at 96 DPI
constexpr int kButtonWidth = 96;     // seven of them (the page number last) fit the frame at its least width, 800
constexpr int kButtonGap = 6;
constexpr int kPageGap = 12;       // around the page
constexpr int kShadow = 4;
constexpr int kWheelStep = 60;     // pixels a notch of the wheel scrolls
constexpr COLORREF kDesk = RGB(128, 128, 128);

struct PreviewState {
    ReportDocument document;
    int page = 0;
    PreviewZoom zoom = PreviewZoom::kWholePage;
    int scroll = 0;        // page width: the rows of the page scrolled past
    HWND status = nullptr;
};

struct ButtonSpec {
    int id;
    const char* text;
};
const ButtonSpec kButtons[] = {
    {IDC_REPORT_PREVIEW_PREVIOUS, "前のページ(&B)"}, {IDC_REPORT_PREVIEW_NEXT, "次のページ(&N)"},
    {IDC_REPORT_PREVIEW_WHOLE, "全体表示(&W)"},     {IDC_REPORT_PREVIEW_WIDTH, "ページ幅(&H)"},
    {IDC_REPORT_PREVIEW_PRINT, "印刷(&P)..."},      {IDC_REPORT_PREVIEW_CLOSE, "閉じる(&C)"},
};

PreviewState* StateOf(HWND preview) {
    return reinterpret_cast<PreviewState*>(GetWindowLongPtrA(preview, GWLP_USERDATA));
}

RECT PageArea(HWND preview) {
    RECT area;
    GetClientRect(preview, &area);
    area.top = ScaleToScreen(kBarHeight);
    if (area.bottom < area.top) area.bottom = area.top;
    return area;
}

// The page's height in the window at the page-width zoom.
int WidthZoomHeight(const PreviewState& state, const RECT& area) {
    const ReportPaper& paper = state.document.paper;
    const int width = area.right - area.left - 2 * ScaleToScreen(kPageGap);
    return static_cast<int>(static_cast<double>(width) * paper.paperHeight / paper.paperWidth);
}

RECT PageRectOf(const PreviewState& state, const RECT& area) {
    const ReportPaper& paper = state.document.paper;
    const int gap = ScaleToScreen(kPageGap);
    const int areaWidth = area.right - area.left - 2 * gap, areaHeight = area.bottom - area.top - 2 * gap;
    RECT page = {};
    if (areaWidth <= 0 || areaHeight <= 0 || paper.paperWidth <= 0 || paper.paperHeight <= 0) return page;
    if (state.zoom == PreviewZoom::kWholePage) {
        const double scale = std::min(static_cast<double>(areaWidth) / paper.paperWidth,
                                      static_cast<double>(areaHeight) / paper.paperHeight);
        const int width = static_cast<int>(paper.paperWidth * scale), height = static_cast<int>(paper.paperHeight * scale);
        page.left = area.left + (area.right - area.left - width) / 2;
        page.top = area.top + gap;
        page.right = page.left + width;
        page.bottom = page.top + height;
    } else {
        page.left = area.left + gap;
        page.right = area.right - gap;
        page.top = area.top + gap - state.scroll;
        page.bottom = page.top + WidthZoomHeight(state, area);
    }
    return page;
}

int ScrollRange(const PreviewState& state, const RECT& area) {
    if (state.zoom != PreviewZoom::kPageWidth) return 0;
    const int range = WidthZoomHeight(state, area) + 2 * ScaleToScreen(kPageGap) - (area.bottom - area.top);
    return range > 0 ? range : 0;
}

void UpdateBar(HWND preview) {
    PreviewState& state = *StateOf(preview);
    char text[64];
    std::snprintf(text, sizeof text, PelmoText(IDS_REPORT_PREVIEW_BAR), state.page + 1, state.document.PageCount());
    SetWindowTextA(state.status, text);
    EnableWindow(GetDlgItem(preview, IDC_REPORT_PREVIEW_PREVIOUS), state.page > 0);
    EnableWindow(GetDlgItem(preview, IDC_REPORT_PREVIEW_NEXT), state.page + 1 < state.document.PageCount());
    const RECT area = PageArea(preview);
    const int range = ScrollRange(state, area);
    if (state.scroll > range) state.scroll = range;
    if (state.scroll < 0) state.scroll = 0;
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    if (range > 0) {
        info.nMax = range + (area.bottom - area.top) - 1;
        info.nPage = static_cast<UINT>(area.bottom - area.top);
        info.nPos = state.scroll;
    }
    SetScrollInfo(preview, SB_VERT, &info, TRUE);
    InvalidateRect(preview, nullptr, FALSE);
}

void ShowPage(HWND preview, int page) {
    PreviewState& state = *StateOf(preview);
    if (page < 0 || page >= state.document.PageCount()) return;
    state.page = page;
    state.scroll = 0;
    UpdateBar(preview);
}

void SetZoom(HWND preview, PreviewZoom zoom) {
    PreviewState& state = *StateOf(preview);
    state.zoom = zoom;
    state.scroll = 0;
    UpdateBar(preview);
}

void ScrollBy(HWND preview, int delta) {
    PreviewState& state = *StateOf(preview);
    state.scroll += delta;
    UpdateBar(preview);
}

void OnVScroll(HWND preview, int request) {
    PreviewState& state = *StateOf(preview);
    const RECT area = PageArea(preview);
    const int pageStep = area.bottom - area.top - ScaleToScreen(kWheelStep);
    SCROLLINFO info = {sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    switch (request) {
    case SB_LINEUP: ScrollBy(preview, -ScaleToScreen(kWheelStep)); break;
    case SB_LINEDOWN: ScrollBy(preview, ScaleToScreen(kWheelStep)); break;
    case SB_PAGEUP: ScrollBy(preview, -pageStep); break;
    case SB_PAGEDOWN: ScrollBy(preview, pageStep); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        GetScrollInfo(preview, SB_VERT, &info);
        ScrollBy(preview, info.nTrackPos - state.scroll);
        break;
    }
}

void CreateBar(HWND preview, HINSTANCE instance) {
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    int x = ScaleToScreen(kButtonGap);
    const int y = ScaleToScreen(4), height = ScaleToScreen(kBarHeight - 8), width = ScaleToScreen(kButtonWidth);
    for (const ButtonSpec& button : kButtons) {
        HWND control = CreateWindowExA(0, "BUTTON", button.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x,
                                       y, width, height, preview,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)), instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        x += width + ScaleToScreen(kButtonGap);
    }
    HWND status = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, x, y, width, height,
                                  preview, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_REPORT_PREVIEW_PAGE)),
                                  instance, nullptr);
    SendMessageA(status, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    StateOf(preview)->status = status;
}

void OnPrint(HWND preview) { PrintReport(preview, StateOf(preview)->document.input); }

bool OnCommand(HWND preview, int id) {
    PreviewState& state = *StateOf(preview);
    switch (id) {
    case IDC_REPORT_PREVIEW_PREVIOUS: ShowPage(preview, state.page - 1); return true;
    case IDC_REPORT_PREVIEW_NEXT: ShowPage(preview, state.page + 1); return true;
    case IDC_REPORT_PREVIEW_WHOLE: SetZoom(preview, PreviewZoom::kWholePage); return true;
    case IDC_REPORT_PREVIEW_WIDTH: SetZoom(preview, PreviewZoom::kPageWidth); return true;
    case IDC_REPORT_PREVIEW_PRINT: OnPrint(preview); return true;
    case IDC_REPORT_PREVIEW_CLOSE:
    case IDCANCEL: DestroyWindow(preview); return true;
    }
    return false;
}

bool OnKey(HWND preview, WPARAM key) {
    PreviewState& state = *StateOf(preview);
    switch (key) {
    case VK_ESCAPE: DestroyWindow(preview); return true;
    case VK_NEXT: ShowPage(preview, state.page + 1); return true;
    case VK_PRIOR: ShowPage(preview, state.page - 1); return true;
    case VK_DOWN: ScrollBy(preview, ScaleToScreen(kWheelStep)); return true;
    case VK_UP: ScrollBy(preview, -ScaleToScreen(kWheelStep)); return true;
    }
    return false;
}

void OnPaint(HWND preview) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(preview, &paint);
    RECT client;
    GetClientRect(preview, &client);
    OffscreenCanvas canvas(dc, nullptr, client.right, client.bottom);
    if (canvas.ok()) {
        PaintReportPreview(preview, canvas.dc());
        canvas.CopyTo(0, 0);
    }
    EndPaint(preview, &paint);
}

LRESULT CALLBACK PreviewProcedure(HWND preview, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(preview, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        CreateBar(preview, create->hInstance);
        UpdateBar(preview);
        return 0;
    }
    case WM_SIZE: UpdateBar(preview); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers everything
    case WM_PAINT: OnPaint(preview); return 0;
    case WM_COMMAND:
        if (OnCommand(preview, LOWORD(wParam))) return 0;
        break;
    case WM_KEYDOWN:
        if (OnKey(preview, wParam)) return 0;
        break;
    case WM_VSCROLL: OnVScroll(preview, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL:
        ScrollBy(preview, -GET_WHEEL_DELTA_WPARAM(wParam) * ScaleToScreen(kWheelStep) / WHEEL_DELTA);
        return 0;
    case WM_NCDESTROY:
        delete StateOf(preview);
        SetWindowLongPtrA(preview, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcA(preview, message, wParam, lParam);
}

bool RegisterPreviewClass(HINSTANCE instance) {
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, kPreviewClass, &existing)) return true;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = PreviewProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = kPreviewClass;
    return RegisterClassExA(&windowClass) != 0;
}

// Keys that the buttons would take for themselves go to the preview.
bool IsPreviewKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    switch (message.wParam) {
    case VK_ESCAPE:
    case VK_NEXT:
    case VK_PRIOR:
    case VK_UP:
    case VK_DOWN: return true;
    }
    return false;
}

}  // namespace

HWND OpenReportPreview(HINSTANCE instance, HWND owner, const ReportInput& input, const ReportPaper& paper) {
    if (!RegisterPreviewClass(instance)) return nullptr;
    auto* state = new PreviewState;
    state->document = PrepareReport(input, paper);
    RECT place = {0, 0, ScaleToScreen(900), ScaleToScreen(760)};
    if (owner) GetWindowRect(owner, &place);
    HWND preview = CreateWindowExA(0, kPreviewClass, PelmoText(IDS_REPORT_PREVIEW_CAPTION),
                                   WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_CLIPCHILDREN, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, owner, nullptr, instance, state);
    if (preview == nullptr) {
        delete state;
        return nullptr;
    }
    ShowWindow(preview, SW_SHOW);
    UpdateWindow(preview);
    return preview;
}

void RunReportPreview(HINSTANCE instance, HWND owner, const ReportInput& input, const ReportPaper& paper) {
    HWND preview = OpenReportPreview(instance, owner, input, paper);
    if (preview == nullptr) return;
    if (owner) EnableWindow(owner, FALSE);
    MSG message;
    while (IsWindow(preview) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        const bool ours = message.hwnd == preview || IsChild(preview, message.hwnd);
        if (ours && IsPreviewKey(message)) {
            SendMessageA(preview, WM_KEYDOWN, message.wParam, message.lParam);
            continue;
        }
        if (ours && IsDialogMessageA(preview, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}

int PreviewPage(HWND preview) { return StateOf(preview) ? StateOf(preview)->page : 0; }
int PreviewPageCount(HWND preview) { return StateOf(preview) ? StateOf(preview)->document.PageCount() : 0; }
PreviewZoom PreviewZoomOf(HWND preview) {
    return StateOf(preview) ? StateOf(preview)->zoom : PreviewZoom::kWholePage;
}

RECT PreviewPageRect(HWND preview) {
    const PreviewState* state = StateOf(preview);
    if (state == nullptr) return RECT{};
    return PageRectOf(*state, PageArea(preview));
}

void PaintReportPreview(HWND preview, HDC dc) {
    const PreviewState* state = StateOf(preview);
    RECT client;
    GetClientRect(preview, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (state == nullptr) return;
    const RECT area = PageArea(preview);
    {
        ScopedBrush desk(dc, kDesk);
        PatBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, PATCOPY);
    }
    const RECT page = PageRectOf(*state, area);
    if (IsRectEmpty(&page)) return;
    const int shadow = ScaleToScreen(kShadow);
    {
        ScopedBrush dark(dc, RGB(64, 64, 64));
        PatBlt(dc, page.left + shadow, page.top + shadow, page.right - page.left, page.bottom - page.top, PATCOPY);
    }
    FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const ReportPaper& paper = state->document.paper;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, page.left, std::max(page.top, area.top), page.right, page.bottom);
    // The printer's page, in its own device units, scaled down to the window.
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, paper.paperWidth, paper.paperHeight, nullptr);
    SetViewportExtEx(dc, page.right - page.left, page.bottom - page.top, nullptr);
    SetWindowOrgEx(dc, -paper.offsetX, -paper.offsetY, nullptr);
    SetViewportOrgEx(dc, page.left, page.top, nullptr);
    DrawReportPage(dc, state->document, state->page);
    RestoreDC(dc, saved);
}
