// The commands that take days in and out as files: "CSVファイルに書き出す",
// "CSVファイルから読み込む", "表から貼り付け" and "読み込みを元に戻す". Each tells
// the person how it went; the import and its undo return whether the
// diary changed, so that the diary window follows.
#ifndef PELMO_EXPORT_FILES_CSV_FILES_H
#define PELMO_EXPORT_FILES_CSV_FILES_H

#include <windows.h>

#include <string>

// The save dialog, then the file. 1 when the file was written.
int ExportCsvFile(HWND owner);
// The open dialog, the reading with its progress, the preview, the import.
// 1 when days were stored.
int ImportCsvFile(HWND owner);
// The same for the tab-separated text a spreadsheet put on the clipboard.
int PasteTable(HWND owner);
// Asks what it will undo, then puts the diary back. 1 when it did.
int UndoLastImport(HWND owner);

// What the file dialogs ask of the person. Tests replace it; null restores
// the common dialogs. save: the save dialog, with *path proposed; *filter is
// the 1-based file type chosen. False when the person cancelled.
using FileChoiceFunction = bool (*)(HWND owner, bool save, std::string* path, int* filter);
FileChoiceFunction SetFileChoiceFunction(FileChoiceFunction function);

// The file types of the save dialog, 1-based as the dialog counts them.
enum : int { kCsvUtf8Filter = 1, kCsvShiftJisFilter = 2 };

// Files larger than this are refused before they are read.
constexpr long long kLargestImportFile = 256LL * 1024 * 1024;

#endif
