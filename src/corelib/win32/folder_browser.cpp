#include "corelib/win32/folder_browser.h"

#include <objbase.h>
#include <shlobj.h>

namespace {

// The browser reports when it is ready; only then can it be told what to
// select. Under Wine its tree is sometimes not filled yet at that moment and
// the selection is lost: it is asked once more when the queue is reached.
int CALLBACK OnBrowserEvent(HWND browser, UINT event, LPARAM, LPARAM data) {
    if (event == BFFM_INITIALIZED && data != 0) {
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
        PostMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
    }
    return 0;
}

}  // namespace

bool BrowseForFolder(HWND owner, const char* title, const std::string& preselected, std::string* chosen) {
    // The browser is a COM object: the thread needs COM while it is open.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = OnBrowserEvent;
    info.lParam = reinterpret_cast<LPARAM>(preselected.c_str());
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    bool ok = false;
    if (item != nullptr) {
        char path[MAX_PATH] = {};
        ok = SHGetPathFromIDListA(item, path) != FALSE;
        if (ok) *chosen = path;
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return ok;
}
