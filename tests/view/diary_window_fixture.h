// The diary window as the view builds it: a main window, the TAKKU container,
// the "Weight" window and its calendar, on a fresh data folder and registry
// key; message boxes answered and remembered; dialogs cancelled on request.
#ifndef PELMO_TESTS_VIEW_DIARY_WINDOW_FIXTURE_H
#define PELMO_TESTS_VIEW_DIARY_WINDOW_FIXTURE_H

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/sandbox.h"

// The update rectangle of every paint of the diary window while change runs.
std::vector<RECT> Painted(HWND diary, const std::function<void()>& change);

struct ShownBox {
    std::string text;
    std::string caption;
    unsigned type;
};

class DiaryWindowTest : public ::testing::Test {
public:
    // What the message boxes showed, what they answer, and how many dialogs were cancelled.
    static std::vector<ShownBox> boxes;
    static int boxAnswer;
    static int dialogsCancelled;
    // Runs as a dialog opens, as if the person did something in it first.
    static void (*beforeAnswer)(HWND dialog);
    // The button the dialogs are answered with (Cancel unless a test says otherwise).
    static WPARAM dialogAnswer;

protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the window tree (after the test has set the registry as it
    // needs); pump: let it paint.
    void CreateWindows(bool pump = true);
    // Opens a user with records of these dates ("YYYYMMDD"), as a load leaves it:
    // the list refilled with the blank line selected, the calendar told.
    void OpenUser(const std::vector<const char*>& dates, const char* name = "山田花子",
                  const char* message = "夏までに3kg");
    // Opens a user with count days, the first 28 of each month from January 2007.
    void OpenUserOfDays(int count);
    void Pump();
    // Registers a new user as a person fills in the two dialogs: name, age 30
    // and 160.0 cm, then a target of 50.0 kg and 20 % with the message "毎日",
    // agreeing to the question.
    void RegisterUserThroughDialogs(const char* name);
    // A user on disk: a users-table row and a data file with days of these
    // dates, weighing 55 kg. Returns the user's row, -1 when it could not be written.
    static int SaveUserOnDisk(long number, const char* name, const char* message,
                              const std::vector<const char*>& dates);
    // The end of a run and the start of the next: the windows go (the open user
    // is saved) and come again, with no user open; the registry stays.
    void Restart();

    std::string MainTitle() const;
    std::string CalendarText() const;
    int ListCount() const;
    int ListSelection() const;
    void SelectLine(int line);
    POINT ChildPosition(HWND child) const;
    LRESULT Command(unsigned id);

    // Every dialog that opens from now on is answered at once (cancelled unless dialogAnswer says).
    static void CancelDialogs(bool on);

    std::unique_ptr<Sandbox> sandbox_;
    HWND frame_ = nullptr;
    HWND container_ = nullptr;
    HWND diary_ = nullptr;
    HWND calendar_ = nullptr;
};

#endif
