// "まとめてコピー": all records of the open user onto the clipboard as
// tab-separated text (CF_TEXT, Shift-JIS), ready for a spreadsheet.
#ifndef PELMO_EXPORT_COPY_RECORDS_H
#define PELMO_EXPORT_COPY_RECORDS_H

#include <windows.h>

extern const char kCopyCaption[];      // "まとめてコピー"
extern const char kNothingToCopyText[];
extern const char kCopyFailedText[];
extern const char kCopiedText[];

// Tells the person how it went (owner owns the message box). 1 when the text
// is on the clipboard; 0 without records (the clipboard is not opened) or
// when the clipboard could not take it.
int CopyAllRecords(HWND owner);

// Test hook: the next copy fails at this step, once.
enum class ClipboardFailure {
    kNone,
    kAllocate,  // the text block cannot be had
    kSetData,   // the clipboard refuses the text
};
void SetClipboardFailure(ClipboardFailure step);

#endif
