// Loading a user data file, including files that are not what their header
// says: cut short by a full disk or a crash, grown by a foreign tool, with a
// record count that cannot be, or with days out of date order or repeated.
// Such a file is loaded as far as its records are complete, in date order,
// and an untouched copy is put aside first, because the next save rewrites
// the file from memory. A missing or damaged input-item file is written
// again with a new user's choice.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "corelib/files.h"
#include "corelib/read_ahead.h"
#include "corelib/utility.h"
#include "diary/damaged_copy.h"
#include "diary/diary_store.h"
#include "diary/input_items.h"
#include "diary/record_texts.h"
#include "diary/user_file.h"
#include "diary/users_table.h"

const char kOutOfMemoryLoadText[] =
    "メモリが足りないため、ユーザーデータを読み込めませんでした。\n\n"
    "ほかのアプリケーションを終了してから、もう一度開いてください。";
const char kDamagedCaption[] = "ユーザーデータの読み込み";

namespace {

const char kDamagedText[] =
    "ユーザーデータ「%s」は壊れていました。\n\n"
    "読み込めた %lu 日分の記録を開きます。";
const char kCopyKeptText[] = "\n元のファイルは「%s」として同じフォルダーに残してあります。";
const char kHeaderLostText[] =
    "\n\nユーザー情報と目標は読み込めませんでした。"
    "ユーザーの修正と目標の設定で入力し直してください。";
const char kReorderedText[] = "\n記録の日付の順序が乱れていたため、日付順に並べ直しました。";
const char kRepeatedText[] =
    "\n同じ日付の記録が %lu 件重なっていたため、それぞれファイルの後ろにあった記録を残しました。";
const char kItemsMissingText[] = "入力項目の設定(%s)が見つかりませんでした。";
const char kItemsDamagedText[] = "入力項目の設定(%s)は壊れていました。";
const char kItemsResetText[] =
    "\n\n新しいユーザーと同じく、体脂肪率だけを入力する設定にしました。"
    "入力する項目は「決める」メニューの「入力する項目を決める」で変えられます。";
const char kItemsNotWrittenText[] = "\nただし、この設定をファイルに書き込めませんでした。";
const char kCopyFailedText[] =
    "ユーザーデータ「%s」は壊れています。\n\n"
    "元のファイルの控えを作れなかったため、読み込みを中止しました。"
    "ディスクの空きを確かめてから、もう一度開いてください。";

// What a data file holds, measured before anything is taken from it.
struct LoadedFile {
    UserHeader header;
    bool headerWhole;          // the file held all 167 header bytes
    std::uint32_t records;     // complete records to load
    bool damaged;              // size and record count disagree
};

// Reads the header and works out how many complete records follow it.
bool MeasureFile(FileHandle file, const char* name, LoadedFile* loaded) {
    std::int64_t size = FileSize(file);
    if (size < 0) return false;
    *loaded = LoadedFile{};
    if (size < static_cast<std::int64_t>(sizeof(UserHeader))) {
        loaded->damaged = true;
        return true;
    }
    if (!FileReadExactly(file, name, &loaded->header, sizeof loaded->header)) return false;
    loaded->headerWhole = true;
    std::int64_t body = size - static_cast<std::int64_t>(sizeof(UserHeader));
    std::int64_t complete = body / static_cast<std::int64_t>(sizeof(DailyRecord));
    std::uint32_t promised = loaded->header.recordCount;
    loaded->records = complete < promised ? static_cast<std::uint32_t>(complete) : promised;
    loaded->damaged = complete != promised || body % static_cast<std::int64_t>(sizeof(DailyRecord)) != 0;
    return true;
}

// A header for a file that lost its own: the user's number and name from the users table.
UserHeader HeaderFromRow(long number, const char* row) {
    UserHeader header = {};
    header.formatMark = 'A';
    header.userNumber = static_cast<std::int32_t>(number);
    char name[kUsersNameWidth + 1];
    UserNameOfRow(row, name);
    SetUserName(header, name);
    return header;
}

bool SameDate(const DailyRecord& a, const DailyRecord& b) { return std::memcmp(a.date, b.date, kDateLength) == 0; }
bool EarlierDate(const DailyRecord& a, const DailyRecord& b) { return std::memcmp(a.date, b.date, kDateLength) < 0; }

// How the days of a file were out of order.
struct DayOrder {
    bool reordered = false;      // not in ascending date order
    std::uint32_t repeated = 0;  // records dropped because a later one had their date
};

// Puts the days in date order with one record per date, the later one in the
// file winning, in place (a second block of a ten-year diary might not be had):
// the records move along the cycles of the new order through one spare record.
DayOrder PutDaysInOrder(DailyRecord* block, std::uint32_t* count) {
    DayOrder order;
    const std::uint32_t n = *count;
    bool ascending = true;
    for (std::uint32_t i = 1; i < n && ascending; ++i) ascending = EarlierDate(block[i - 1], block[i]);
    if (ascending) return order;

    std::vector<std::uint32_t> byDate(n);
    std::iota(byDate.begin(), byDate.end(), 0u);
    std::stable_sort(byDate.begin(), byDate.end(),
                     [block](std::uint32_t a, std::uint32_t b) { return EarlierDate(block[a], block[b]); });
    // The kept records first, in date order, then the dropped ones: new slot j takes old record from[j].
    std::vector<std::uint32_t> from, dropped;
    for (std::uint32_t i = 0; i < n; ++i) {
        bool overtaken = i + 1 < n && SameDate(block[byDate[i]], block[byDate[i + 1]]);
        (overtaken ? dropped : from).push_back(byDate[i]);
    }
    order.repeated = static_cast<std::uint32_t>(dropped.size());
    order.reordered = true;
    from.insert(from.end(), dropped.begin(), dropped.end());

    std::vector<bool> placed(n, false);
    DailyRecord spare;
    for (std::uint32_t start = 0; start < n; ++start) {
        if (placed[start] || from[start] == start) continue;
        std::memcpy(&spare, &block[start], sizeof spare);
        std::uint32_t slot = start;
        for (;;) {
            placed[slot] = true;
            std::uint32_t source = from[slot];
            if (source == start) {
                std::memcpy(&block[slot], &spare, sizeof spare);
                break;
            }
            std::memcpy(&block[slot], &block[source], sizeof spare);
            slot = source;
        }
    }
    *count = n - order.repeated;
    return order;
}

struct Damage {
    bool headerLost = false;
    DayOrder order;
};

Notice DamageNotice(const char* name, const std::string& copyName, std::uint32_t days, const Damage& damage) {
    char text[512];
    std::snprintf(text, sizeof text, kDamagedText, name, static_cast<unsigned long>(days));
    std::string told = text;
    if (damage.order.reordered) told += kReorderedText;
    if (damage.order.repeated > 0) {
        std::snprintf(text, sizeof text, kRepeatedText, static_cast<unsigned long>(damage.order.repeated));
        told += text;
    }
    std::snprintf(text, sizeof text, kCopyKeptText, copyName.c_str());
    told += text;
    if (damage.headerLost) told += kHeaderLostText;
    return Notice{told, kDamagedCaption, kMbOk | kMbIconExclamation};
}

// A missing or damaged input-item file: the new user's choice, written back whole.
// What there is to tell, or "".
std::string SettleInputItems(long number) {
    const ItemFileState state = ReadInputItems(number, &InputItems());
    if (state == ItemFileState::kRead) return std::string();
    InputItems() = kNewUserItems;
    const bool written = WriteInputItems(number, InputItems()) == 1;
    char name[kFileNameSize];
    InputItemFileName(number, name);
    char text[256];
    std::snprintf(text, sizeof text, state == ItemFileState::kMissing ? kItemsMissingText : kItemsDamagedText, name);
    std::string told = std::string(text) + kItemsResetText;
    if (!written) told += kItemsNotWrittenText;
    return told;
}

// The notice of the load with the input items' text after what the data file had to tell.
void AddToNotice(Notice* notice, const std::string& text) {
    if (text.empty()) return;
    if (notice->empty())
        *notice = Notice{text, kDamagedCaption, kMbOk | kMbIconExclamation};
    else
        notice->text += "\n\n" + text;
}

// The number and the data file of the user at row; kNoUserNumber when the row cannot be read.
long DataFileOfRow(int row, char (&rowText)[kUsersRowLength + 1], char (&name)[kFileNameSize]) {
    long number = kNoUserNumber;
    if (ReadUsersRow(nullptr, row, rowText)) number = UserNumberOfRow(rowText);
    if (number != kNoUserNumber) DataFileName(number, name);
    return number;
}

// The records of the open file: read ahead while the program started, when
// that was this file as it is now, else read here. Null when they could not
// be had (*outOfMemory tells why); *room is the block's size in records.
DailyRecord* ReadRecords(FileHandle file, const char* name, std::uint32_t count, std::uint32_t* room,
                         bool* outOfMemory) {
    const std::size_t bytes = std::size_t{count} * sizeof(DailyRecord);
    std::size_t capacity = 0;
    if (void* ahead = TakeReadAhead(file, DataPath(name), sizeof(UserHeader), bytes, &capacity)) {
        *room = static_cast<std::uint32_t>(capacity / sizeof(DailyRecord));
        return static_cast<DailyRecord*>(ahead);
    }
    // Room for one more record, as an insertion will want it.
    *room = count + 1;
    auto* block = static_cast<DailyRecord*>(ResizeBlock(nullptr, std::size_t{*room} * sizeof(DailyRecord)));
    *outOfMemory = block == nullptr;
    if (block && !FileReadExactly(file, name, block, bytes)) {
        std::free(block);
        block = nullptr;
    }
    return block;
}

UserOutcome LoadFailure(Notice notice) { return UserOutcome{false, notice}; }

}  // namespace

bool IsCompleteUserFile(const char* path, void*) {
    FileHandle file = FileOpen2(path, kFileRead);
    if (file == kInvalidFile) return false;
    LoadedFile loaded;
    bool whole = MeasureFile(file, "", &loaded) && loaded.headerWhole && !loaded.damaged;
    FileClose(file, "");
    return whole;
}

void ReadUserAhead(int row) {
    char rowText[kUsersRowLength + 1] = {};
    char name[kFileNameSize];
    if (DataFileOfRow(row, rowText, name) != kNoUserNumber)
        StartReadAhead(DataPath(name), sizeof(UserHeader), sizeof(DailyRecord));
}

UserOutcome LoadUser(int row) {
    char rowText[kUsersRowLength + 1] = {};
    char name[kFileNameSize];
    const long number = DataFileOfRow(row, rowText, name);
    if (number == kNoUserNumber) return LoadFailure(ErrorNotice(kReadFailedText));
    // A save that died after writing its complete new file, before the rename.
    RecoverAtomicFile(name, IsCompleteUserFile, nullptr);

    FileHandle file = FileOpen(name, kFileRead);
    LoadedFile loaded;
    if (file == kInvalidFile || !MeasureFile(file, name, &loaded)) {
        FileClose(file, name);
        return LoadFailure(ErrorNotice(kReadFailedText));
    }
    std::uint32_t count = loaded.records;
    std::uint32_t room = 0;
    bool outOfMemory = false;
    DailyRecord* block = ReadRecords(file, name, count, &room, &outOfMemory);
    FileClose(file, name);
    if (outOfMemory) return LoadFailure(Notice{kOutOfMemoryLoadText, kOutOfMemoryCaption, kMbOk | kMbIconExclamation});
    if (!block) return LoadFailure(ErrorNotice(kReadFailedText));

    UserHeader header = loaded.headerWhole ? loaded.header : HeaderFromRow(number, rowText);
    bool damaged = loaded.damaged;
    damaged = TerminateTexts(header) || damaged;
    for (std::uint32_t i = 0; i < count; ++i) damaged = TerminateTexts(block[i]) || damaged;
    // The file's name decides where the next save goes, whatever the header says.
    header.userNumber = static_cast<std::int32_t>(number);
    // The table, the calendar and every search rely on the date order.
    Damage damage;
    damage.headerLost = !loaded.headerWhole;
    damage.order = PutDaysInOrder(block, &count);
    damaged = damaged || damage.order.reordered;

    UserOutcome outcome = {true, Notice{}};
    if (damaged) {
        std::string copyName;
        if (!KeepDamagedCopy(name, &copyName)) {
            std::free(block);
            char text[512];
            std::snprintf(text, sizeof text, kCopyFailedText, name);
            return LoadFailure(Notice{text, kDamagedCaption, kMbOk | kMbIconExclamation});
        }
        outcome.notice = DamageNotice(name, copyName, count, damage);
    }

    // The selectors take their last settings after the first load of a run with records.
    outcome.restoreSelectors = !IsUserOpen() && count > 0;
    AdoptUser(header, block, count, room);
    // A mended diary is written at the next save, and at the latest as the program ends.
    if (damaged) MarkDiaryChanged();
    AddToNotice(&outcome.notice, SettleInputItems(number));
    SetUserOpen();
    return outcome;
}
