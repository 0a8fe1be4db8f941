#include "export/clipboard/copy_records.h"

#include <cstring>
#include <string>

#include "corelib/msgbox.h"
#include "diary/diary_store.h"
#include "export/records_text.h"

const char kCopyCaption[] = "まとめてコピー";
const char kNothingToCopyText[] = "コピーするデータがありません。";
const char kCopyFailedText[] = "コピーに失敗しました。";
const char kCopiedText[] = "編集データをコピーしました。\n表計算ソフト等に貼り付ける事ができます。";

namespace {

ClipboardFailure g_failure = ClipboardFailure::kNone;

bool FailsHere(ClipboardFailure step) {
    if (g_failure != step) return false;
    g_failure = ClipboardFailure::kNone;
    return true;
}

void Tell(HWND owner, const char* text) { PelmoMessageBox(owner, text, kCopyCaption, kMbOk | kMbIconInformation); }

// A movable, zero-filled block holding text and its NUL; null when none can be had.
HGLOBAL TextBlock(const std::string& text, std::size_t size) {
    if (FailsHere(ClipboardFailure::kAllocate)) return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) return nullptr;
    void* bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(bytes, text.data(), text.size());
    GlobalUnlock(block);
    return block;
}

// The block becomes the clipboard's on success; otherwise it is still ours.
bool HandToClipboard(HWND owner, HGLOBAL block) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    bool placed = !FailsHere(ClipboardFailure::kSetData) && SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    return placed;
}

}  // namespace

// The block is filled before the clipboard is opened, so that a block that
// cannot be had leaves the clipboard as it was.
int CopyAllRecords(HWND owner) {
    const std::uint32_t count = DiaryRecordCount();
    if (count == 0) {
        Tell(owner, kNothingToCopyText);
        return 0;
    }
    RefreshRecordBmis();
    const std::string text = RecordsText(DiaryRecords(), count, CurrentHeader());
    HGLOBAL block = TextBlock(text, RecordsTextBlockSize(count, text.size()));
    if (!block || !HandToClipboard(owner, block)) {
        if (block) GlobalFree(block);
        Tell(owner, kCopyFailedText);
        return 0;
    }
    Tell(owner, kCopiedText);
    return 1;
}

void SetClipboardFailure(ClipboardFailure step) { g_failure = step; }
