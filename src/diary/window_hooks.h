// The seam between the diary data and the windows that show it. The diary
// window fills in these functions when it is created; the data operations call
// them at the points where the program's windows follow a change. A hook left
// null is skipped, so the data operations run (and are tested) without windows.
//
// "window" is the caller's window (an HWND), passed through untouched.
#ifndef PELMO_DIARY_WINDOW_HOOKS_H
#define PELMO_DIARY_WINDOW_HOOKS_H

#include <cstddef>
#include <cstdint>

struct DailyRecord;
struct UserHeader;

// Which set of fields the target dialog offers.
enum TargetDialogMode : int {
    kTargetNewUser = 0,       // registration of a new user
    kTargetExistingUser = 1,  // amendment and the targets command
    kTargetAfterItems = 2,    // after the input items changed
};

struct DiaryWindowHooks {
    // The main window's title (the top-level parent of window).
    void (*setMainTitle)(void* window, const char* title);
    // Reset the record list to `lines` lines "*", select the last one and re-sync the table.
    void (*refillRecordList)(void* window, std::size_t lines);
    // One more "*" line at the end of the record list.
    void (*addRecordLine)(void* window);
    // Remove one line of the record list (all lines read "*", so which one is immaterial).
    void (*deleteRecordLine)(void* window, std::size_t index);
    void (*selectRecordLine)(void* window, std::size_t index);
    // The selected line of the record list, or -1.
    long (*selectedRecordLine)(void* window);
    // The calendar learns the record block after every change of it.
    void (*tellCalendar)(void* window, const DailyRecord* records, std::uint32_t count);
    // The target dialog; returns its end code (0 = cancelled).
    int (*runTargetDialog)(void* window, TargetDialogMode mode);
    // The selectors take their last settings from the registry (first load of a run).
    void (*restoreSelectors)(void* window);
    // The analysis result of the evaluation is emptied.
    void (*clearAnalysis)();
};

// Installs hooks (copied); null removes all of them.
void SetDiaryWindowHooks(const DiaryWindowHooks* hooks);
const DiaryWindowHooks& DiaryHooks();

// "%s - %s 「%s」" of the user's name, "ペルモ" and the target message, into out.
// Fields without a terminator are cut at their capacity, never inside a character.
void FormatMainTitle(const UserHeader& header, char* out, std::size_t size);
constexpr std::size_t kMainTitleSize = 160;

// The main window's title for this header, through the hook.
void ShowUserTitle(void* window, const UserHeader& header);

#endif
