#include "view/diary_commands.h"

#include <cstring>
#include <initializer_list>

#include "corelib/msgbox.h"
#include "diary/day_dialog.h"
#include "diary/diary_store.h"
#include "diary/user_dialogs.h"
#include "charts/chart_items.h"
#include "diary/user_file.h"
#include "export/copy_records.h"
#include "resources/resource.h"
#include "view/diary_layout.h"
#include "view/diary_links.h"
#include "view/diary_selectors.h"
#include "view/diary_state.h"
#include "view/record_list.h"

const char kNoUserText[] = "ユーザーを開くか、新規作成してください。";

namespace {

const char kAmendCaption[] = "ユーザーの修正";
const char kNewDayCaption[] = "入力";
const char kEditDayCaption[] = "修正";
const char kDeleteCaption[] = "削除";  // also the targets and input items

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

// The open user's diary is written before another user takes its place. When
// that fails (the person was told), the user stays open: switching now would
// lose what was not written.
bool SavedForSwitch(HWND window) { return !IsUserOpen() || SaveUser(window) == 1; }

LRESULT NewUser(HWND window) {
    if (SavedForSwitch(window) && RegisterUser(window) == 1) {
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
    if (!SavedForSwitch(window)) {
        FocusRecordList();
        return 0;
    }
    const int widthBefore = g_diary.tableWidth;
    LoadUser(window, static_cast<int>(row));
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
    const bool weightShown = g_diary.graphItem[0] == kChartWeight || g_diary.graphItem[1] == kChartWeight;
    if ((g_diary.graphPeriod == kGraphPeriodMonthly || g_diary.graphPeriod == kGraphPeriodYearly) && weightShown) {
        g_diary.graphPeriod = kNoGraphPeriod;
        NotifySelectorChange(window, kGraphPeriodSelectorId);
    }
    FollowTableWidth(window, widthBefore);
    EvaluateDiary(window);
    RepaintWindow(window);
    TellCalendarRecords();
    FocusRecordList();
    return 0;
}

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
    OpenDayDialog(window, 0);
    HWND modes = Selector(kAnalysisModeSelectorId);
    if (DiaryRecordCount() > 0 && modes && !IsWindowEnabled(modes)) {
        EnableSelector(kAnalysisModeSelectorId, true);
        EnableSelector(kGraphItem1SelectorId, true);
        EnableSelector(kGraphItem2SelectorId, true);
        NotifySelectorChange(window, kGraphItem1SelectorId);
        NotifySelectorChange(window, kGraphItem2SelectorId);
    }
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
    RepaintWindow(window);
    RefreshSelectorsAfterRecordChange();
    ResyncRecordList();
    TellCalendarRecords();
    RedrawSelectors();
    FocusRecordList();
    return 1;
}

LRESULT DeleteSelectedDay(HWND window) {
    if (NeedsUser(window, kDeleteCaption)) return 0;
    if (DeleteDay(window) == 0) {
        FocusRecordList();
        return 1;
    }
    const int widthBefore = g_diary.tableWidth;
    if (DiaryRecordCount() > 0)
        RefreshSelectorsAfterRecordChange();
    else
        ResetSelectorsKeepingList();
    ResyncRecordList();
    FollowTableWidth(window, widthBefore);
    RepaintArea(window, g_diary.bmiChartArea);
    RepaintGraphAxis(window);
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

LRESULT Targets(HWND window) {
    if (NeedsUser(window, kDeleteCaption)) return 0;
    StagingHeader() = CurrentHeader();
    if (TargetDialog(window, kTargetExistingUser) == 1) {
        CommitStagedTargets();
        SaveUser(window);
        ShowDiaryTitle(window);  // the target message is part of the title
        EvaluateDiary(window);
        RepaintGraphAxis(window);
        if (g_diary.recordList) {
            InvalidateRect(g_diary.recordList, nullptr, TRUE);
            UpdateWindow(g_diary.recordList);
        }
    }
    FocusRecordList();
    return 1;
}

LRESULT InputItems(HWND window) {
    if (NeedsUser(window, kDeleteCaption)) return 0;
    StagingHeader() = CurrentHeader();
    if (InputItemsDialog(window) == 1) {
        TargetDialog(window, kTargetAfterItems);
        CommitStagedTargets();
        SaveUser(window);
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
    if (g_diary.calendar)
        SendMessageA(g_diary.calendar, kMsgRecordBlock, reinterpret_cast<WPARAM>(DiaryRecords()), 0);
    CloseUser();
    g_diary.analysis = AnalysisResult{};
    ResyncRecordList();
    FollowTableWidth(window, widthBefore);
    SetMainWindowTitle(window, kPlainTitle);
    RepaintWindow(window);
    return 1;
}

}  // namespace

LRESULT RunDiaryCommand(HWND window, UINT id) {
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
    }
    return 0;
}
