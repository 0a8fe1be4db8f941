#include "diary/diary_store.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "corelib/dates.h"

const char kOutOfMemoryStoreText[] =
    "メモリが足りないため、この日の記録を追加できませんでした。\n\n"
    "ほかのアプリケーションを終了してから、もう一度登録してください。";
const char kOutOfMemoryCaption[] = "メモリ不足";

namespace {

const char kDeleteQuestion[] = "「%s」の記録を削除します。\n\nよろしいですか？";
const char kDeleteQuestionCaption[] = "削除の確認";

struct DiaryStore {
    UserHeader header;
    DailyRecord* block;      // null when it holds no record
    std::uint32_t capacity;  // records the block has room for
    bool userOpen;
    bool unsaved;            // memory differs from the file
    UserHeader staging;
    DailyRecord stagingRecord;
    InputItemFlags items;
    std::uint64_t revision;  // counts the changes of the records
};

DiaryStore g_store = {};
BlockResizeFunction g_resize = nullptr;

std::uint32_t Count() { return g_store.header.recordCount; }

// The block is resized to exactly `records` records; on failure it stays as it was.
bool ResizeRecords(std::uint32_t records) {
    if (records == 0) {
        std::free(g_store.block);
        g_store.block = nullptr;
        g_store.capacity = 0;
        return true;
    }
    if (records > SIZE_MAX / sizeof(DailyRecord)) return false;
    void* grown = ResizeBlock(g_store.block, std::size_t{records} * sizeof(DailyRecord));
    if (!grown) return false;
    g_store.block = static_cast<DailyRecord*>(grown);
    g_store.capacity = records;
    return true;
}

}  // namespace

const UserHeader& CurrentHeader() { return g_store.header; }
const DailyRecord* DiaryRecords() { return g_store.block; }
std::uint32_t DiaryRecordCount() { return Count(); }
bool IsUserOpen() { return g_store.userOpen; }

UserHeader& StagingHeader() { return g_store.staging; }
DailyRecord& StagingRecord() { return g_store.stagingRecord; }
InputItemFlags& InputItems() { return g_store.items; }

void SetCurrentHeaderDetails(const UserHeader& header) {
    std::uint32_t count = Count();
    g_store.header = header;
    g_store.header.recordCount = count;
    g_store.unsaved = true;
}

// The cache alone is no reason to write the file: every paint brings it up to date.
void SetRecordBmi(std::uint32_t index, double bmi) {
    if (index < Count()) g_store.block[index].bmi = bmi;
}

long FindDay(const char* date) {
    for (std::uint32_t i = 0; i < Count(); ++i)
        if (std::memcmp(g_store.block[i].date, date, kDateLength) == 0) return static_cast<long>(i);
    return kNoDay;
}

StoreOutcome StoreDay(const DailyRecord& record) {
    long found = FindDay(record.date);
    if (found != kNoDay) {
        // A day stored again as it is (the date spin passing a recorded day)
        // is no change: the file is not written again for it.
        if (std::memcmp(&g_store.block[found], &record, sizeof record) == 0)
            return StoreOutcome{found + 1, false, Notice{}};
        // memmove: the caller may hand over a record of the block itself.
        std::memmove(&g_store.block[found], &record, sizeof record);
        g_store.unsaved = true;
        ++g_store.revision;
        return StoreOutcome{found + 1, false, Notice{}};
    }
    std::uint32_t count = Count();
    if (count == UINT32_MAX || !ResizeRecords(count + 1))
        return StoreOutcome{0, false, Notice{kOutOfMemoryStoreText, kOutOfMemoryCaption, kMbOk | kMbIconExclamation}};
    std::uint32_t at = 0;
    // memcmp compares as unsigned bytes: fixed-width digits sort in calendar order.
    while (at < count && std::memcmp(g_store.block[at].date, record.date, kDateLength) <= 0) ++at;
    std::memmove(&g_store.block[at + 1], &g_store.block[at], std::size_t{count - at} * sizeof(DailyRecord));
    std::memcpy(&g_store.block[at], &record, sizeof record);
    g_store.header.recordCount = count + 1;
    g_store.unsaved = true;
    ++g_store.revision;
    return StoreOutcome{static_cast<long>(at) + 1, true, Notice{}};
}

Notice DeleteDayQuestion(std::uint32_t index) {
    if (index >= Count()) return Notice{};
    char shown[kShownDateSize];
    ShownDateOfKey(g_store.block[index].date, shown);
    char question[128];
    std::snprintf(question, sizeof question, kDeleteQuestion, shown);
    return Notice{question, kDeleteQuestionCaption, kMbOkCancel | kMbIconInformation};
}

int DeleteDay(std::uint32_t index) {
    std::uint32_t count = Count();
    if (index >= count) return 0;
    std::memmove(&g_store.block[index], &g_store.block[index + 1],
                 std::size_t{count - index - 1} * sizeof(DailyRecord));
    g_store.header.recordCount = count - 1;
    g_store.unsaved = true;
    ++g_store.revision;
    // A smaller block that cannot be had leaves the larger one in use: nothing is lost.
    ResizeRecords(count - 1);
    return 1;
}

int LastDayDate(char* out) {
    std::uint32_t count = Count();
    if (count == 0) return 0;
    std::memcpy(out, g_store.block[count - 1].date, kDateLength);
    out[kDateLength] = '\0';
    return 1;
}

void AdoptUser(const UserHeader& header, DailyRecord* block, std::uint32_t count, std::uint32_t capacity) {
    std::free(g_store.block);
    g_store.header = header;
    g_store.header.recordCount = count;
    g_store.block = block;
    g_store.capacity = block ? capacity : 0;
    g_store.unsaved = false;
    ++g_store.revision;
}

void CloseUser() {
    std::free(g_store.block);
    g_store.block = nullptr;
    g_store.capacity = 0;
    g_store.header = UserHeader{};
    g_store.stagingRecord = DailyRecord{};
    g_store.userOpen = false;
    g_store.unsaved = false;
    ++g_store.revision;
}

void SetUserOpen() { g_store.userOpen = true; }

std::uint64_t DiaryRecordsRevision() { return g_store.revision; }

bool HasUnsavedChanges() { return g_store.userOpen && g_store.unsaved; }
void MarkDiarySaved() { g_store.unsaved = false; }
void MarkDiaryChanged() { g_store.unsaved = true; }

BlockResizeFunction SetBlockResizeFunction(BlockResizeFunction function) {
    BlockResizeFunction previous = g_resize;
    g_resize = function;
    return previous;
}

void* ResizeBlock(void* block, std::size_t bytes) {
    return g_resize ? g_resize(block, bytes) : std::realloc(block, bytes);
}
