#include "diary/dialogs/dialog_driver.h"

#include <cstdio>
#include <cstdlib>

#include "corelib/msgbox.h"

namespace {

DialogDriver* g_driver = nullptr;
constexpr UINT kTickMs = 15;
constexpr DWORD kTimeoutMs = 15000;

// The dialog on top: visible and enabled (a dialog that opened another is disabled).
HWND TopDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) -> BOOL {
            char cls[32] = {};
            GetClassNameA(window, cls, sizeof(cls));
            if (std::string(cls) == "#32770" && IsWindowVisible(window) && IsWindowEnabled(window))
                *reinterpret_cast<HWND*>(out) = window;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string Title(HWND window) {
    char title[256] = {};
    GetWindowTextA(window, title, sizeof(title));
    return title;
}

}  // namespace

DialogDriver::DialogDriver() {
    g_driver = this;
    SetMessageBoxFunction(AnswerBox);
    timer_ = SetTimer(nullptr, 0, kTickMs, Tick);
    deadline_ = GetTickCount() + kTimeoutMs;
}

DialogDriver::~DialogDriver() {
    KillTimer(nullptr, timer_);
    SetMessageBoxFunction(nullptr);
    g_driver = nullptr;
}

DialogDriver& DialogDriver::On(const char* title, std::function<void(HWND)> action, const char* shot) {
    steps_.push_back(Step{title, std::move(action), shot ? shot : ""});
    return *this;
}

DialogDriver& DialogDriver::Answer(int answer) {
    answers_.push_back(answer);
    return *this;
}

int DialogDriver::AnswerBox(void* owner, const char* text, const char* caption, unsigned type) {
    (void)owner;
    DialogDriver* self = g_driver;
    self->boxes_.push_back(RecordedBox{text, caption, type});
    if (!self->answers_.empty()) {
        int answer = self->answers_.front();
        self->answers_.pop_front();
        return answer;
    }
    if ((type & 0xF) == kMbYesNo) return kIdYes;
    return kIdOk;
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_driver) g_driver->OnTick();
}

void DialogDriver::OnTick() {
    if (busy_) return;  // an action that runs a nested loop must not be re-entered
    busy_ = true;
    HWND dialog = TopDialog();
    if (dialog && !steps_.empty() && Title(dialog) == steps_.front().title) {
        Step step = std::move(steps_.front());
        steps_.pop_front();
        if (const char* folder = std::getenv("PELMO_DIALOG_SHOTS"); folder && !step.shot.empty()) {
            RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            SaveWindowBitmap(dialog, std::string(folder) + "\\" + step.shot + ".bmp");
        }
        step.action(dialog);
        deadline_ = GetTickCount() + kTimeoutMs;
    } else if (dialog && GetTickCount() > deadline_) {
        failures_.push_back("closed by force: \"" + Title(dialog) + "\"" +
                            (steps_.empty() ? std::string() : " while waiting for \"" + steps_.front().title + "\""));
        steps_.clear();
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        deadline_ = GetTickCount() + kTimeoutMs;
    }
    busy_ = false;
}

void DialogDriver::Type(HWND dialog, int id, const char* text) {
    SetFocus(GetDlgItem(dialog, id));
    SetDlgItemTextA(dialog, id, text);
}

void DialogDriver::Click(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Through the queue, as a key press arrives: the dialog manager sees it first.
void DialogDriver::Key(HWND dialog, int id, WPARAM key) {
    HWND field = GetDlgItem(dialog, id);
    SetFocus(field);
    PostMessageA(field, WM_KEYDOWN, key, 1);
    PostMessageA(field, WM_KEYUP, key, 0xC0000001);
}

void DialogDriver::Press(HWND dialog, WPARAM key) {
    HWND focus = GetFocus();
    HWND target = focus && IsChild(dialog, focus) ? focus : dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

std::string DialogDriver::Text(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

int DialogDriver::FocusId(HWND dialog) {
    HWND focus = GetFocus();
    return focus && IsChild(dialog, focus) ? GetDlgCtrlID(focus) : 0;
}

bool SaveWindowBitmap(HWND window, const std::string& path) {
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    int stride = ((width * 3 + 3) / 4) * 4;
    std::vector<char> pixels(static_cast<size_t>(stride) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool ok = std::fwrite(&file, sizeof(file), 1, out) == 1 && std::fwrite(&info, sizeof(info), 1, out) == 1 &&
              std::fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    return std::fclose(out) == 0 && ok;
}
