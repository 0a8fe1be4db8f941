#include "view/diary_commands.h"

#include <cstring>
#include <initializer_list>

#include "charts/chart_items.h"
#include "corelib/msgbox.h"
#include "corelib/utility.h"
#include "diary/dialogs/day_dialog.h"
#include "diary/dialogs/user_dialogs.h"
#include "diary/diary_store.h"
#include "diary/user_file.h"
#include "diary/users_table_repair.h"
#include "export/clipboard/copy_records.h"
#include "export/day_table.h"
#include "export/csv_export.h"
#include "export/files/csv_files.h"
#include "export/import_plan.h"
#include "resources/resource.h"
#include "view/diary_layout.h"
#include "view/diary_links.h"
#include "view/graph_view.h"
#include "view/diary_selectors.h"
#include "view/diary_state.h"
#include "view/record_list.h"
#include "view/selector_changes.h"
#include "view/trend_line_setting.h"

const char kNoUserText[] = "ユーザーを開くか、新規作成してください。";

namespace {

// The captions of the box that asks for a user, as each command shows it.
const char kAmendCaption[] = "ユーザーの修正";
const char kNewDayCaption[] = "入力";
const char kEditDayCaption[] = "修正";
const char kDeleteDayCaption[] = "削除";
const char kCopyCaption[] = "まとめてコピー";
const char kTargetsCaption[] = "削除";     // the targets and input-item commands have always said "削除"
const char kInputItemsCaption[] = "削除";
const char kPasteCaption[] = "表から貼り付け";

bool NeedsUser(HWND window, const char* caption) {
    if (IsUserOpen()) return false;
    PelmoMessageBox(window, kNoUserText, caption, kMbOk | kMbIconInformation);
    return true;
}

void RelayOut(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

// The targets and the target message of the staging header become the open user's.
void CommitStagedTargets() {
    UserHeader header = CurrentHeader();
    const UserHeader& staged = StagingHeader();
    header.targetWeight = staged.targetWeight;
    header.targetBodyFat = staged.targetBodyFat;
    header.targetIntake = staged.targetIntake;
    header.targetExercise = staged.targetExercise;
    header.targetSleep = staged.targetSleep;
    header.targetSteps = staged.targetSteps;
    std::memcpy(header.targetMessage, staged.targetMessage, sizeof header.targetMessage);
    SetCurrentHeaderDetails(header);
}

long SelectedLine() {
    if (!g_diary.recordList) return -1;
    LRESULT line = SendMessageA(g_diary.recordList, LB_GETCURSEL, 0, 0);
    return line == LB_ERR ? -1 : static_cast<long>(line);
}

// The table narrows back to W0 when the selectors are reset; the children follow.
void FollowTableWidth(HWND window, int widthBefore) {
    if (g_diary.tableWidth != widthBefore) RelayOut(window);
}

// Days stored or deleted are written at once, so that a crash, a killed
// process or a power cut loses none of them. A failure is told, and the days
// stay in memory for the next save.
void SaveChangedDays(HWND window) {
    if (HasUnsavedChanges()) SaveOpenUser(window);
}

// The day dialog wrote each day as it stored it, and told a failure then:
// what is still unsaved is tried once more as the dialog ends, without
// telling the same failure twice.
void RetryUnsavedDays() {
    if (HasUnsavedChanges()) SaveUser();
}

// The open user's diary is written before another user takes its place. When
// that fails (the person was told), the user stays open: switching now would
// lose what was not written.
bool SavedForSwitch(HWND window) { return !IsUserOpen() || SaveOpenUser(window); }

// The record on the selected line goes, after the person agreed; the line
// below moves up into the selection. False without a record there or on Cancel.
bool DeleteSelectedRecord(HWND window) {
    const long line = SelectedLine();
    if (line < 0 || static_cast<std::uint32_t>(line) >= DiaryRecordCount()) return false;
    const std::uint32_t index = static_cast<std::uint32_t>(line);
    if (ShowNotice(window, DeleteDayQuestion(index)) != kIdOk || !DeleteDay(index)) return false;
    SendMessageA(g_diary.recordList, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(g_diary.recordList, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // Rows are painted from the record of their index, so every row from here
    // down shows another day now; the list box alone would repaint none of
    // them when it keeps its scroll position.
    InvalidateRect(g_diary.recordList, nullptr, TRUE);
    return true;
}

// The first days of a diary without any make the selectors usable, with
// the graph items' lists filled.
void EnableSelectorsForFirstDays(HWND window) {
    HWND modes = Selector(kAnalysisModeSelectorId);
    if (DiaryRecordCount() == 0 || !modes || IsWindowEnabled(modes)) return;
    EnableSelector(kAnalysisModeSelectorId, true);
    EnableSelector(kGraphItem1SelectorId, true);
    EnableSelector(kGraphItem2SelectorId, true);
    // The item lists of this user, "-未設定-" in both unless this user chose before.
    GiveBackGraphChoice(window);
}

LRESULT NewUser(HWND window) {
    if (SavedForSwitch(window) && RegisterUser(window) == 1) {
        ShowDiaryTitle(window);
        g_diary.analysis = AnalysisResult{};
        ResetSelectors();
        // The calendar leaves the previous user's day for today's.
        ResyncRecordList();
        RedrawSelectors();
        TellCalendarRecords();
        RepaintWindow(window);
    }
    RelayOut(window);
    FocusRecordList();
    return 0;
}

LRESULT OpenUser(HWND window) {
    INT_PTR row = OpenUserDialog(window);
    if (row == -1) {
        FocusRecordList();
        return 0;
    }
    SwitchToUserOfRow(window, static_cast<int>(row));
    return 0;
}

}  // namespace

bool SwitchToUserOfRow(HWND window, int row) {
    if (!SavedForSwitch(window)) {
        FocusRecordList();
        return false;
    }
    const int widthBefore = g_diary.tableWidth;
    const bool opened = OpenUserOfRow(window, row);
    if (DiaryRecordCount() == 0) {
        ResetSelectors();
    } else {
        EnableSelector(kAnalysisModeSelectorId, true);
        EnableSelector(kGraphItem1SelectorId, true);
        EnableSelector(kGraphItem2SelectorId, true);
    }
    RedrawSelectors();
    // The month and year lists are the new user's: a changed mode rebuilds them.
    if (g_diary.analysisMode == kAnalysisMonthly || g_diary.analysisMode == kAnalysisYearly) {
        g_diary.analysisMode = kAnalysisModeForceChange;
        NotifySelectorChange(window, kAnalysisModeSelectorId);
    }
    // This user's own graph, in lists of this user's items, months and years.
    if (DiaryRecordCount() > 0) GiveBackGraphChoice(window);
    FollowTableWidth(window, widthBefore);
    EvaluateDiary(window);
    RepaintWindow(window);
    TellCalendarRecords();
    FocusRecordList();
    return opened;
}

namespace {

LRESULT AmendUser(HWND window) {
    if (NeedsUser(window, kAmendCaption)) return 0;
    if (AmendUserDialog(window) == 1) {
        ShowDiaryTitle(window);  // the target message may have changed
        EvaluateDiary(window);
        RepaintWindow(window);
    }
    FocusRecordList();
    return 0;
}

LRESULT DeleteUsers(HWND window) {
    DeleteUsersDialog(window);
    FocusRecordList();
    return 0;
}

LRESULT NewDay(HWND window) {
    if (NeedsUser(window, kNewDayCaption)) return 0;
    // The blank line stands for today, which the calendar took at the last
    // sync: in a diary left open overnight it still shows yesterday, and the
    // new day would open on that day's record and be stored over it.
    const long line = SelectedLine();
    if (line < 0 || static_cast<std::uint32_t>(line) >= DiaryRecordCount()) ResyncRecordList();
    OpenDayDialog(window, 0);
    RetryUnsavedDays();
    MatchRecordListLines();
    EnableSelectorsForFirstDays(window);
    RefreshSelectorsAfterRecordChange();
    ResyncRecordList();
    RedrawSelectors();
    TellCalendarRecords();
    RepaintWindow(window);
    FocusRecordList();
    return 1;
}

LRESULT EditDay(HWND window) {
    if (NeedsUser(window, kEditDayCaption)) return 0;
    const long line = SelectedLine();
    if (line < 0 || static_cast<std::uint32_t>(line) >= DiaryRecordCount()) return 1;  // the blank line
    OpenDayDialog(window, line + 1);
    RetryUnsavedDays();
    MatchRecordListLines();
    RepaintWindow(window);
    RefreshSelectorsAfterRecordChange();
    ResyncRecordList();
    TellCalendarRecords();
    RedrawSelectors();
    FocusRecordList();
    return 1;
}

LRESULT DeleteSelectedDay(HWND window) {
    if (NeedsUser(window, kDeleteDayCaption)) return 0;
    if (!DeleteSelectedRecord(window)) {
        FocusRecordList();
        return 1;
    }
    SaveChangedDays(window);
    const int widthBefore = g_diary.tableWidth;
    if (DiaryRecordCount() > 0)
        RefreshSelectorsAfterRecordChange();
    else
        ResetSelectorsKeepingList();
    ResyncRecordList();
    FollowTableWidth(window, widthBefore);
    RepaintArea(window, g_diary.bmiChartArea);
    RepaintGraph(window);
    RedrawSelectors();
    TellCalendarRecords();
    FocusRecordList();
    return 1;
}

LRESULT CopyRecords(HWND window) {
    if (NeedsUser(window, kCopyCaption)) return 0;
    CopyAllRecords(window);
    FocusRecordList();
    return 1;
}

// After days came in from a file or went back out by the undo: the list,
// the selectors, the calendar and the charts follow the diary as after a load.
void FollowImportedDays(HWND window) {
    const int widthBefore = g_diary.tableWidth;
    if (DiaryRecordCount() == 0) {
        ResetSelectorsKeepingList();
    } else {
        EnableSelectorsForFirstDays(window);
        RefreshSelectorsAfterRecordChange();
    }
    RefillRecordList(DiaryRecordCount() + 1);
    ResyncRecordList();
    FollowTableWidth(window, widthBefore);
    RedrawSelectors();
    TellCalendarRecords();
    EvaluateDiary(window);
    RepaintWindow(window);
}

LRESULT ExportCsv(HWND window) {
    if (NeedsUser(window, kExportCaption)) return 0;
    ExportCsvFile(window);
    FocusRecordList();
    return 1;
}

// The days of a file or of the clipboard's table come in; the diary was
// written first, so that the copy kept for the undo is the diary as it is.
LRESULT ImportTableOf(HWND window, const char* caption, int (*import)(HWND)) {
    if (NeedsUser(window, caption)) return 0;
    SaveChangedDays(window);
    if (import(window)) FollowImportedDays(window);
    FocusRecordList();
    return 1;
}

LRESULT UndoImportCommand(HWND window) {
    if (NeedsUser(window, kUndoCaption)) return 0;
    if (UndoLastImport(window)) FollowImportedDays(window);
    FocusRecordList();
    return 1;
}

LRESULT Targets(HWND window) {
    if (NeedsUser(window, kTargetsCaption)) return 0;
    StagingHeader() = CurrentHeader();
    if (TargetDialog(window, kTargetExistingUser) == 1) {
        CommitStagedTargets();
        SaveOpenUser(window);
        ShowDiaryTitle(window);  // the target message is part of the title
        EvaluateDiary(window);
        RepaintGraph(window);
        if (g_diary.recordList) {
            InvalidateRect(g_diary.recordList, nullptr, TRUE);
            UpdateWindow(g_diary.recordList);
        }
    }
    FocusRecordList();
    return 1;
}

LRESULT InputItems(HWND window) {
    if (NeedsUser(window, kInputItemsCaption)) return 0;
    StagingHeader() = CurrentHeader();
    if (InputItemsDialog(window) == 1) {
        TargetDialog(window, kTargetAfterItems);
        CommitStagedTargets();
        SaveOpenUser(window);
        ShowDiaryTitle(window);
        EvaluateDiary(window);
        SendMessageA(Selector(kGraphItem1SelectorId), CB_SETCURSEL, 0, 0);
        NotifySelectorChange(window, kGraphItem1SelectorId);
        SendMessageA(Selector(kGraphItem2SelectorId), CB_SETCURSEL, 0, 0);
        NotifySelectorChange(window, kGraphItem2SelectorId);
        for (int id : {kGraphPeriodSelectorId, kGraphMonthSelectorId}) {
            SendMessageA(Selector(id), CB_RESETCONTENT, 0, 0);
            EnableSelector(id, false);
        }
        RedrawSelectors();
        g_diary.graphItem[0] = 0;
        g_diary.graphPeriod = kNoGraphPeriod;
        g_diary.graphPeriodKey[0] = '\0';
        RepaintWindow(window);
    }
    FocusRecordList();
    return 1;
}

// After a restore the files on disk are the restored ones: the open user is
// let go without saving, so nothing overwrites them.
LRESULT CloseUserAfterRestore(HWND window) {
    const int widthBefore = g_diary.tableWidth;
    ResetSelectorsKeepingList();
    RedrawSelectors();
    ResetRecordList();
    TellCalendarDates(DiaryRecords(), 0);
    CloseUser();
    g_diary.analysis = AnalysisResult{};
    ResyncRecordList();
    FollowTableWidth(window, widthBefore);
    SetMainWindowTitle(window, kProgramName);
    RepaintWindow(window);
    return 1;
}

}  // namespace

bool SaveOpenUser(HWND window) {
    const UserOutcome saved = SaveUser();
    ShowNotice(window, saved.notice);
    return saved.done;
}

bool OpenUserOfRow(HWND window, int row) {
    const UserOutcome loaded = LoadUser(row);
    ShowNotice(window, loaded.notice);
    if (loaded.done) ShowOpenedUser(window, loaded.restoreSelectors);
    return loaded.done;
}

LRESULT RunDiaryCommand(HWND window, UINT id) {
    // A users table lost or damaged while the program runs is rebuilt from
    // the data files, and told, before a user command reads it.
    if (id == ID_USER_NEW || id == ID_USER_OPEN || id == ID_USER_AMEND || id == ID_USER_DELETE)
        ShowNotice(window, CheckUsersTable().notice);
    switch (id) {
    case ID_USER_NEW: return NewUser(window);
    case ID_USER_OPEN: return OpenUser(window);
    case ID_USER_AMEND: return AmendUser(window);
    case ID_USER_DELETE: return DeleteUsers(window);
    case ID_DAY_NEW: return NewDay(window);
    case ID_DAY_EDIT: return EditDay(window);
    case ID_DAY_DELETE: return DeleteSelectedDay(window);
    case ID_RECORDS_COPY: return CopyRecords(window);
    case ID_SET_TARGET: return Targets(window);
    case ID_SET_ITEMS: return InputItems(window);
    case ID_DATA_RESTORE: return CloseUserAfterRestore(window);
    case ID_VIEW_TREND: return ToggleTrendLine(window);
    // Ctrl+P in the record list: the report is printed from the menu's command.
    case ID_RECORDS_PRINT: PostMessageA(GetAncestor(window, GA_ROOT), WM_COMMAND, ID_RECORDS_PRINT, 0); return 1;
    case ID_CSV_EXPORT: return ExportCsv(window);
    case ID_CSV_IMPORT: return ImportTableOf(window, kImportCaption, ImportCsvFile);
    case ID_TABLE_PASTE: return ImportTableOf(window, kPasteCaption, PasteTable);
    case ID_IMPORT_UNDO: return UndoImportCommand(window);
    }
    return 0;
}
