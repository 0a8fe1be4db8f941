#include "export/files/import_preview.h"

#include <cstdio>

#include "corelib/win32/help.h"
#include "corelib/win32/modal_dialog.h"
#include "diary/diary_store.h"
#include "resources/resource.h"

namespace {

const char kPreviewTemplate[] = "IDD_IMPORT_PREVIEW";
const char kHelpTopic[] = "csv";
// At most this many refused lines are listed; the count names them all.
constexpr std::size_t kListedLines = 5000;

const char* EncodingName(TableEncoding encoding) {
    switch (encoding) {
    case TableEncoding::kUtf8: return "UTF-8";
    case TableEncoding::kUtf16: return "UTF-16";
    default: return "Shift-JIS";
    }
}

const char* SeparatorName(char separator) {
    return separator == '\t' ? "タブ区切り" : separator == ';' ? "セミコロン区切り" : "カンマ区切り";
}

struct Preview {
    const DayTable* table;
    std::string source;
    ImportPlan plan;
    ExistingDay existing = ExistingDay::kKeepDiary;
};

void SetText(HWND dialog, int id, const char* format, long value) {
    char text[160];
    std::snprintf(text, sizeof text, format, value);
    SetDlgItemTextA(dialog, id, text);
}

// The first weights of the table as it wrote them, so that the person sees which unit they are in.
std::string FirstWeights(const DayTable& table) {
    std::string shown;
    for (std::size_t i = 0; i < table.readings.size() && i < 5; ++i) {
        char value[32];
        std::snprintf(value, sizeof value, "%s%g", i ? ", " : "", table.readings[i].values[kColumnWeight]);
        shown += value;
    }
    return shown;
}

void ShowUnit(HWND dialog, const Preview& preview) {
    const DayTable& table = *preview.table;
    char text[256];
    if (table.unitStated) {
        std::snprintf(text, sizeof text, "ファイルに「%s」とあります。", table.statedUnit == WeightUnit::kLb ? "lb" : "kg");
    } else {
        std::snprintf(text, sizeof text, "ファイルに単位がありません。最初の体重: %s", FirstWeights(table).c_str());
    }
    SetDlgItemTextA(dialog, IDC_IMPORT_UNIT_TEXT, text);
    CheckRadioButton(dialog, IDC_IMPORT_KG, IDC_IMPORT_LB, preview.plan.unit == WeightUnit::kLb ? IDC_IMPORT_LB : IDC_IMPORT_KG);
    EnableWindow(GetDlgItem(dialog, IDC_IMPORT_KG), !table.unitStated);
    EnableWindow(GetDlgItem(dialog, IDC_IMPORT_LB), !table.unitStated);
}

void ShowPlan(HWND dialog, Preview* preview) {
    const ImportPlan& plan = preview->plan;
    SetText(dialog, IDC_IMPORT_NEW, "新しい日: %ld 日", plan.newDays);
    SetText(dialog, IDC_IMPORT_DIFFERENT, "日記にあって値が違う日: %ld 日", plan.differentDays);
    SetText(dialog, IDC_IMPORT_SAME, "日記と同じ日: %ld 日", plan.sameDays);
    SetText(dialog, IDC_IMPORT_REFUSED, "読み込まない行: %ld 行", static_cast<long>(plan.refused.size()));
    std::string notes;
    char note[128];
    if (preview->table->estimated) {
        std::snprintf(note, sizeof note, "推定・補間の行 %ld 行は読み込みません。\n", preview->table->estimated);
        notes += note;
    }
    if (plan.cutDiaries) {
        std::snprintf(note, sizeof note, "999バイトを超える日記 %ld 件は切り詰めます。\n", plan.cutDiaries);
        notes += note;
    }
    if (preview->table->unmapped) {
        std::snprintf(note, sizeof note, "使えない文字 %lu 字は「?」にします。", static_cast<unsigned long>(preview->table->unmapped));
        notes += note;
    }
    SetDlgItemTextA(dialog, IDC_IMPORT_NOTES, notes.c_str());
    HWND list = GetDlgItem(dialog, IDC_IMPORT_REFUSED_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < plan.refused.size() && i < kListedLines; ++i) {
        char line[256];
        std::snprintf(line, sizeof line, "%ld 行目: %s", plan.refused[i].line, plan.refused[i].reason.c_str());
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    }
    if (plan.refused.size() > kListedLines) {
        SetText(dialog, IDC_IMPORT_REFUSED, "読み込まない行: %ld 行(最初の5000行を表示)", static_cast<long>(plan.refused.size()));
    }
    SendMessageA(list, LB_SETHORIZONTALEXTENT, 1200, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void Replan(HWND dialog, Preview* preview, WeightUnit unit) {
    preview->plan = PlanImport(*preview->table, unit, DiaryRecords(), DiaryRecordCount());
    ShowPlan(dialog, preview);
}

BOOL OnInit(HWND dialog, Preview* preview) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(preview));
    SetMonthlyCalendar(dialog, 0);
    char source[512];
    std::snprintf(source, sizeof source, "%s (%s、%s)", preview->source.c_str(),
                  EncodingName(preview->table->encoding), SeparatorName(preview->table->separator));
    SetDlgItemTextA(dialog, IDC_IMPORT_SOURCE, source);
    CheckRadioButton(dialog, IDC_IMPORT_KEEP, IDC_IMPORT_TAKE, IDC_IMPORT_KEEP);
    ShowUnit(dialog, *preview);
    ShowPlan(dialog, preview);
    return TRUE;
}

void OnCommand(HWND dialog, Preview* preview, int id) {
    switch (id) {
    case IDC_IMPORT_KG:
    case IDC_IMPORT_LB: {
        WeightUnit unit = IsDlgButtonChecked(dialog, IDC_IMPORT_LB) == BST_CHECKED ? WeightUnit::kLb : WeightUnit::kKg;
        if (unit != preview->plan.unit) Replan(dialog, preview, unit);
        break;
    }
    case IDOK:
        preview->existing =
            IsDlgButtonChecked(dialog, IDC_IMPORT_TAKE) == BST_CHECKED ? ExistingDay::kTakeFile : ExistingDay::kKeepDiary;
        EndModalDialog(dialog, 1);
        break;
    case IDCANCEL:
        EndModalDialog(dialog, 0);
        break;
    case IDC_DIALOG_HELP:
        OpenHelpTopic(dialog, kHelpTopic);
        break;
    }
}

INT_PTR CALLBACK PreviewProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Preview* preview = reinterpret_cast<Preview*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, reinterpret_cast<Preview*>(lParam));
    case WM_COMMAND:
        if (preview) OnCommand(dialog, preview, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndModalDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool ImportPreviewDialog(HWND owner, const DayTable& table, const std::string& source, ImportPlan* plan,
                         ExistingDay* existing) {
    Preview preview;
    preview.table = &table;
    preview.source = source;
    preview.plan = PlanImport(table, table.unitStated ? table.statedUnit : WeightUnit::kKg, DiaryRecords(),
                              DiaryRecordCount());
    if (CreateModalDialog(GetModuleHandleA(nullptr), owner, kPreviewTemplate, PreviewProcedure,
                          reinterpret_cast<LPARAM>(&preview)) != 1)
        return false;
    *plan = preview.plan;
    *existing = preview.existing;
    return true;
}
