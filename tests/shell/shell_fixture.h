// Helpers for driving the shell's windows in the test process.
#ifndef PELMO_TESTS_SHELL_FIXTURE_H
#define PELMO_TESTS_SHELL_FIXTURE_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dispatches the thread's messages for about `milliseconds`. A WM_QUIT that a
// destroyed frame posted is taken out of the queue, so later tests run on.
void PumpMessages(DWORD milliseconds);

// The first top-level window of this thread with the given title, or null.
HWND FindThreadWindow(const char* title);

// Runs `action` on the modal dialog titled `title` once it appears (polled
// from a thread timer, which fires inside the dialog's own message loop). A
// later call replaces an awaited dialog that has not appeared.
void WhenDialogAppears(const char* title, std::function<void(HWND dialog)> action);

std::string WindowText(HWND window);
std::string ClassOf(HWND window);

// Takes the new-user command that start-up posts to the diary window out of
// the queue (it would open the registration dialog); true when it was there.
bool TakeNewUserRequest();

// The frame of a started program, destroyed without the exit question. The
// new-user request of start-up is taken out of the queue.
class StartedFrame {
public:
    StartedFrame();  // creates and shows the frame as the program does
    ~StartedFrame();
    HWND frame() const { return frame_; }
    StartedFrame(const StartedFrame&) = delete;
    StartedFrame& operator=(const StartedFrame&) = delete;

private:
    HWND frame_;
};

// Shows the frame normal (not maximized) over the rectangle normal.
void PlaceNormal(HWND frame, RECT normal);

// A user in the users table with a data file of records of these dates
// ("YYYYMMDD") and a new user's input items, as the program leaves them.
void RegisterStoredUser(long number, const char* name, const char* message,
                        const std::vector<std::string>& dates = {});

// Registry values of the program's settings (area 1) in the test's sandbox.
std::string Setting(const char* name);  // "<missing>" when there is none
void SetSetting(const char* name, const char* value);

#endif
