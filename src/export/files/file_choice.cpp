// The common save and open dialogs of the CSV commands, in the person's
// documents folder.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include "export/files/csv_files.h"
#include "export/files/file_choice.h"

namespace {

// Each filter a name and a pattern, NUL-separated, ending with two NULs.
const char kSaveFilters[] = "CSV UTF-8 (*.csv)\0*.csv\0CSV Shift-JIS (*.csv)\0*.csv\0";
const char kOpenFilters[] = "表のファイル (*.csv;*.txt;*.tsv)\0*.csv;*.txt;*.tsv\0すべてのファイル (*.*)\0*.*\0";

bool CommonDialogChoice(HWND owner, bool save, std::string* path, int* filter) {
    char file[MAX_PATH] = {};
    char folder[MAX_PATH] = {};
    if (path->size() < sizeof file) lstrcpynA(file, path->c_str(), sizeof file);
    SHGetFolderPathA(owner, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = save ? kSaveFilters : kOpenFilters;
    dialog.nFilterIndex = static_cast<DWORD>(*filter > 0 ? *filter : 1);
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = folder[0] ? folder : nullptr;
    dialog.lpstrDefExt = "csv";
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!chosen) return false;
    *path = file;
    *filter = static_cast<int>(dialog.nFilterIndex);
    return true;
}

FileChoiceFunction g_choice = CommonDialogChoice;

}  // namespace

FileChoiceFunction SetFileChoiceFunction(FileChoiceFunction function) {
    FileChoiceFunction previous = g_choice;
    g_choice = function ? function : CommonDialogChoice;
    return previous == CommonDialogChoice ? nullptr : previous;
}

bool ChooseFile(HWND owner, bool save, std::string* path, int* filter) { return g_choice(owner, save, path, filter); }
