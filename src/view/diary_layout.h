// Where the diary window puts its children, derived from the text ascent of
// its font (not from dialog units).
#ifndef PELMO_VIEW_DIARY_LAYOUT_H
#define PELMO_VIEW_DIARY_LAYOUT_H

#include <windows.h>

struct TextUnits {
    int u;  // 16, or the ascent when it is larger
    int v;  // 8, or half the ascent (rounded down)
};
TextUnits TextUnitsOf(int ascent);

// The height of a child window as it stands; 0 without one.
int WindowHeightOf(HWND child);

// A child's place: position, width and height (for a selector the height of
// its dropped-down list).
struct ChildPlace {
    int x, y, width, height;
};

constexpr int kSelectorCount = 6;
// The selectors in layout order: 101, 102, 200, 201, 202, 203.
extern const int kSelectorIds[kSelectorCount];

struct DiaryLayout {
    ChildPlace recordList;
    ChildPlace calendar;
    int calendarDpi;  // the screen's, or fewer when the calendar would reach over the table
    ChildPlace selectors[kSelectorCount];
};

// The places for a window of width × height, ascent a and table width W.
// listHeight is the record list's height after it was placed (a list box
// keeps to whole lines, so it may be shorter than asked); the graph's
// selectors lie below it.
DiaryLayout ComputeDiaryLayout(int width, int height, int ascent, int tableWidth, int listHeight);
// The record list's height before the list box rounds it: the upper half, rounded up.
int RecordListHeight(int windowHeight);

// Moves the children to their places; then, once the splash is gone, repaints the window.
void LayOutDiaryWindow(HWND window);

#endif
