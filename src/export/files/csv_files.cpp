#include "export/files/csv_files.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "corelib/dates.h"
#include "corelib/files.h"
#include "corelib/msgbox.h"
#include "corelib/sjis.h"
#include "diary/diary_store.h"
#include "evaluation/diary_trend.h"
#include "export/csv_export.h"
#include "export/day_table.h"
#include "export/files/file_choice.h"
#include "export/files/import_preview.h"
#include "export/import_plan.h"
#include "export/weight_trend.h"
#include "resources/resource.h"

namespace {

const char kPasteCaption[] = "表から貼り付け";
const char kClipboardSource[] = "クリップボードの表";
const char kReadFailedText[] = "ファイル「%s」を読めませんでした。";
const char kTooLargeText[] =
    "ファイル「%s」は大きすぎるため、読み込めません(256MBまで)。\n\n"
    "日記の記録だけを書き出したファイルを選んでください。";
const char kNoClipboardTableText[] =
    "クリップボードに表がありません。\n\n表計算ソフトで日付と体重のセルを選んでコピーしてから、もう一度選んでください。";
// Tables larger than this show their progress while they are read.
constexpr std::size_t kProgressFrom = 1u << 20;

void TellFormatted(HWND owner, const char* format, const std::string& name, const char* caption) {
    char text[768];
    std::snprintf(text, sizeof text, format, name.c_str());
    PelmoMessageBox(owner, text, caption, kMbOk | kMbIconExclamation);
}

// The progress window of a large table: the bar follows the reading, and the
// windows are kept answering meanwhile.
struct Progress {
    HWND window = nullptr;
    HWND owner = nullptr;
};

INT_PTR CALLBACK ProgressProcedure(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void StepProgress(void* context, std::size_t done, std::size_t total) {
    Progress* progress = static_cast<Progress*>(context);
    if (!progress->window) return;
    const int percent = total ? static_cast<int>(done * 100 / total) : 100;
    SendDlgItemMessageA(progress->window, IDC_IMPORT_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!IsDialogMessageA(progress->window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void OpenProgress(Progress* progress, HWND owner) {
    progress->owner = GetAncestor(owner, GA_ROOT);
    progress->window = CreateDialogParamA(GetModuleHandleA(nullptr), "IDD_IMPORT_PROGRESS", owner, ProgressProcedure, 0);
    if (progress->window) {
        SendDlgItemMessageA(progress->window, IDC_IMPORT_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        if (progress->owner) EnableWindow(progress->owner, FALSE);
        UpdateWindow(progress->window);
    }
}

void CloseProgress(Progress* progress) {
    if (progress->owner) EnableWindow(progress->owner, TRUE);
    if (progress->window) DestroyWindow(progress->window);
    progress->window = nullptr;
}

DayTable ReadTable(HWND owner, const std::string& bytes) {
    Progress progress;
    TableReadOptions options;
    if (bytes.size() >= kProgressFrom) {
        OpenProgress(&progress, owner);
        options.progress = StepProgress;
        options.progressContext = &progress;
    }
    DayTable table = ReadDayTable(bytes, options);
    CloseProgress(&progress);
    return table;
}

// The preview, then the import; what it did is told. 1 when days were stored.
int ImportTable(HWND owner, const std::string& bytes, const std::string& source) {
    const DayTable table = ReadTable(owner, bytes);
    if (!table.refusal.empty()) {
        ShowNotice(owner, table.refusal);
        return 0;
    }
    ImportPlan plan;
    ExistingDay existing = ExistingDay::kKeepDiary;
    if (!ImportPreviewDialog(owner, table, source, &plan, &existing)) return 0;
    const ImportOutcome outcome = ApplyImport(plan, existing);
    ShowNotice(owner, outcome.notice);
    return outcome.done ? 1 : 0;
}

bool ReadWholeFile(const std::string& path, std::string* bytes, bool* tooLarge) {
    FileHandle file = FileOpen2(path.c_str(), kFileRead);
    if (file == kInvalidFile) return false;
    const std::int64_t size = FileSize(file);
    *tooLarge = size > kLargestImportFile;
    bool read = size >= 0 && !*tooLarge;
    if (read && size > 0) {
        bytes->resize(static_cast<std::size_t>(size));
        read = FileReadExactly(file, path.c_str(), &(*bytes)[0], bytes->size());
    }
    FileClose(file, path.c_str());
    return read;
}

// The clipboard's table in the form it was put there: a spreadsheet puts
// Unicode text, "まとめてコピー" Shift-JIS text; the system makes up the other.
bool ClipboardTable(HWND owner, std::string* bytes) {
    if (!OpenClipboard(owner)) return false;
    UINT format = 0;
    while ((format = EnumClipboardFormats(format)) != 0)
        if (format == CF_UNICODETEXT || format == CF_TEXT) break;
    bool found = false;
    HANDLE block = format ? GetClipboardData(format) : nullptr;
    if (const char* text = block ? static_cast<const char*>(GlobalLock(block)) : nullptr) {
        const SIZE_T size = GlobalSize(block);
        if (format == CF_UNICODETEXT) {
            const std::size_t units = wcsnlen(reinterpret_cast<const wchar_t*>(text), size / sizeof(wchar_t));
            *bytes = std::string("\xFF\xFE", 2) + std::string(text, units * sizeof(wchar_t));
        } else {
            *bytes = std::string(text, strnlen(text, size));
        }
        GlobalUnlock(block);
        found = true;
    }
    CloseClipboard();
    return found;
}

}  // namespace

int ExportCsvFile(HWND owner) {
    const std::uint32_t count = DiaryRecordCount();
    if (count == 0) {
        PelmoMessageBox(owner, kNothingToExportText, kExportCaption, kMbOk | kMbIconInformation);
        return 0;
    }
    std::string path = ProposedCsvName(CurrentHeader(), Today());
    int filter = kCsvUtf8Filter;
    if (!ChooseFile(owner, true, &path, &filter)) return 0;
    const TrendColumn trend = WeightTrendColumn(DiaryTrend(TrendQuantity::kWeight), DiaryRecords(), count);
    const std::string text = CsvText(DiaryRecords(), count, CurrentHeader(), InputItems(), trend);
    const Notice failure =
        WriteCsvFile(path, CsvFileBytes(text, filter == kCsvShiftJisFilter ? CsvEncoding::kShiftJis : CsvEncoding::kUtf8));
    if (!failure.empty()) {
        ShowNotice(owner, failure);
        return 0;
    }
    char done[768];
    std::snprintf(done, sizeof done, kExportedText, static_cast<unsigned long>(count), path.c_str());
    PelmoMessageBox(owner, done, kExportCaption, kMbOk | kMbIconInformation);
    return 1;
}

int ImportCsvFile(HWND owner) {
    std::string path;
    int filter = 1;
    if (!ChooseFile(owner, false, &path, &filter)) return 0;
    std::string bytes;
    bool tooLarge = false;
    if (!ReadWholeFile(path, &bytes, &tooLarge)) {
        TellFormatted(owner, tooLarge ? kTooLargeText : kReadFailedText, path, kImportCaption);
        return 0;
    }
    const char* name = SjisFindLast(path.c_str(), '\\');
    return ImportTable(owner, bytes, name ? name + 1 : path);
}

int PasteTable(HWND owner) {
    std::string bytes;
    if (!ClipboardTable(owner, &bytes)) {
        PelmoMessageBox(owner, kNoClipboardTableText, kPasteCaption, kMbOk | kMbIconInformation);
        return 0;
    }
    return ImportTable(owner, bytes, kClipboardSource);
}

int UndoLastImport(HWND owner) {
    const Notice question = UndoImportQuestion();
    if (!CanUndoImport()) {
        ShowNotice(owner, question);
        return 0;
    }
    if (ShowNotice(owner, question) != kIdOk) return 0;
    const ImportOutcome outcome = UndoImport();
    ShowNotice(owner, outcome.notice);
    return outcome.done ? 1 : 0;
}
