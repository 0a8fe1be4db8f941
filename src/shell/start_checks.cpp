#include "shell/start_checks.h"

#include <vector>

#include "backup/restore_journal.h"
#include "corelib/files.h"
#include "corelib/msgbox.h"
#include "diary/users_table_repair.h"

namespace {

struct StartChecks {
    bool settled = false;
    std::vector<Notice> found;
};
StartChecks g_start;

}  // namespace

void SettleDataFolderAtStart() {
    if (g_start.settled) return;
    g_start.settled = true;
    // The restore first: what it puts in place is what the users table is checked in.
    g_start.found.push_back(FinishInterruptedRestore(DataFolder()));
    g_start.found.push_back(SettleUsersTable().notice);
}

void TellStartChecks(HWND window) {
    SettleDataFolderAtStart();
    for (const Notice& notice : g_start.found) ShowNotice(window, notice);
    g_start = StartChecks{};
}
