// Drives the program's modal dialogs from inside the test's own thread: a
// timer finds the dialog that is on top, checks its title and acts on it as a
// user would (typing with SetDlgItemText, pressing buttons and keys through
// the dialog's message loop). Message boxes are answered through
// SetMessageBoxFunction and recorded.
//
// With PELMO_DIALOG_SHOTS set to a folder, every dialog a step acts on is
// first saved there as "<shot>.bmp" for the steps that name a shot.
#ifndef PELMO_TESTS_DIARY_DIALOG_DRIVER_H
#define PELMO_TESTS_DIARY_DIALOG_DRIVER_H

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct RecordedBox {
    std::string text;
    std::string caption;
    unsigned type;
};

class DialogDriver {
public:
    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // The next step: wait for a dialog titled `title` on top, then act.
    DialogDriver& On(const char* title, std::function<void(HWND)> action, const char* shot = nullptr);
    // Answers for the next message boxes, in order; without one, a question
    // gets Yes (or OK) and a notice OK.
    DialogDriver& Answer(int answer);

    const std::vector<RecordedBox>& boxes() const { return boxes_; }
    // Steps not reached and dialogs that had to be closed by force.
    const std::vector<std::string>& failures() const { return failures_; }
    bool done() const { return steps_.empty() && failures_.empty(); }

    // Actions: the dialog receives them through its own message loop.
    static void Type(HWND dialog, int id, const char* text);
    static void Click(HWND dialog, int id);
    static void Key(HWND dialog, int id, WPARAM key);
    // A key pressed where the focus is (on the dialog when no control has it).
    static void Press(HWND dialog, WPARAM key);
    static std::string Text(HWND dialog, int id);
    // The id of the control that has the focus (0 when none in dialog).
    static int FocusId(HWND dialog);

private:
    struct Step {
        std::string title;
        std::function<void(HWND)> action;
        std::string shot;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static int AnswerBox(void* owner, const char* text, const char* caption, unsigned type);
    void OnTick();

    std::deque<Step> steps_;
    std::deque<int> answers_;
    std::vector<RecordedBox> boxes_;
    std::vector<std::string> failures_;
    UINT_PTR timer_ = 0;
    DWORD deadline_ = 0;
    bool busy_ = false;
};

// Saves what window shows as a 24-bit BMP; true on success.
bool SaveWindowBitmap(HWND window, const std::string& path);

#endif
