// Loading a user data file, including files that are not what their header
// says: cut short by a full disk or a crash, grown by a foreign tool, or with
// a record count that cannot be. Such a file is loaded as far as its records
// are complete, and an untouched copy is put aside first, because the next
// save rewrites the file from memory.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "corelib/files.h"
#include "corelib/utility.h"
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
    "読み込めた %lu 日分の記録を開きます。\n"
    "元のファイルは「%s」として同じフォルダーに残してあります。";
const char kHeaderLostText[] =
    "\n\nユーザー情報と目標は読み込めませんでした。"
    "ユーザーの修正と目標の設定で入力し直してください。";
const char kCopyFailedText[] =
    "ユーザーデータ「%s」は壊れています。\n\n"
    "元のファイルの控えを作れなかったため、読み込みを中止しました。"
    "ディスクの空きを確かめてから、もう一度開いてください。";

// FileRead takes a long: large blocks are read in pieces of this many records.
constexpr std::uint32_t kRecordsPerRead = 1024;
constexpr std::size_t kCopyNameSize = 128;

// What a data file holds, measured before anything is taken from it.
struct LoadedFile {
    UserHeader header;
    bool headerWhole;          // the file held all 167 header bytes
    std::uint32_t records;     // complete records to load
    bool damaged;              // size and record count disagree
};

bool ReadExactly(FileHandle file, const char* name, void* buffer, std::size_t bytes) {
    char* at = static_cast<char*>(buffer);
    while (bytes > 0) {
        long piece = static_cast<long>(bytes < (1u << 30) ? bytes : (1u << 30));
        long got = FileRead(file, name, at, piece);
        if (got <= 0) return false;
        at += got;
        bytes -= static_cast<std::size_t>(got);
    }
    return true;
}

// Reads the header and works out how many complete records follow it.
bool MeasureFile(FileHandle file, const char* name, LoadedFile* loaded) {
    std::int64_t size = FileSize(file);
    if (size < 0) return false;
    *loaded = LoadedFile{};
    if (size < static_cast<std::int64_t>(sizeof(UserHeader))) {
        loaded->damaged = true;
        return true;
    }
    if (!ReadExactly(file, name, &loaded->header, sizeof loaded->header)) return false;
    loaded->headerWhole = true;
    std::int64_t body = size - static_cast<std::int64_t>(sizeof(UserHeader));
    std::int64_t complete = body / static_cast<std::int64_t>(sizeof(DailyRecord));
    std::uint32_t promised = loaded->header.recordCount;
    loaded->records = complete < promised ? static_cast<std::uint32_t>(complete) : promised;
    loaded->damaged = complete != promised || body % static_cast<std::int64_t>(sizeof(DailyRecord)) != 0;
    return true;
}

// Copies the file `name` to "<name>.damaged-YYYYMMDD-HHMMSS" (no "*.DAT" pattern
// finds it, so neither the program nor a backup takes it for a user's diary).
bool KeepDamagedCopy(const char* name, char* copyName) {
    std::time_t now = std::time(nullptr);
    std::tm local = {};
    if (const std::tm* t = std::localtime(&now)) local = *t;
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::snprintf(copyName, kCopyNameSize, "%s.damaged-%s", name, stamp);
    for (int i = 2; FileExists(copyName) && i < 100; ++i)
        std::snprintf(copyName, kCopyNameSize, "%s.damaged-%s-%d", name, stamp, i);

    FileHandle source = FileOpen(name, kFileRead);
    if (source == kInvalidFile) return false;
    FileHandle target = FileOpen(copyName, kFileCreate);
    bool ok = target != kInvalidFile && FileCopy(source, target) == 1;
    ok = FileClose(target, copyName) == 1 && ok;
    FileClose(source, name);
    if (!ok) FileDelete(copyName);
    return ok;
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

Notice DamageNotice(const char* name, const char* copyName, std::uint32_t days, bool headerLost) {
    char text[512];
    int length = std::snprintf(text, sizeof text, kDamagedText, name, static_cast<unsigned long>(days), copyName);
    if (headerLost && length > 0 && static_cast<std::size_t>(length) < sizeof text)
        std::snprintf(text + length, sizeof text - length, "%s", kHeaderLostText);
    return Notice{text, kDamagedCaption, kMbOk | kMbIconExclamation};
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

UserOutcome LoadUser(int row) {
    char rowText[kUsersRowLength + 1] = {};
    long number = kNoUserNumber;
    if (ReadUsersRow(nullptr, row, rowText)) number = UserNumberOfRow(rowText);
    if (number == kNoUserNumber) return LoadFailure(ErrorNotice(kReadFailedText));
    char name[kFileNameSize];
    DataFileName(number, name);
    // A save that died after writing its complete new file, before the rename.
    RecoverAtomicFile(name, IsCompleteUserFile, nullptr);

    FileHandle file = FileOpen(name, kFileRead);
    LoadedFile loaded;
    if (file == kInvalidFile || !MeasureFile(file, name, &loaded)) {
        FileClose(file, name);
        return LoadFailure(ErrorNotice(kReadFailedText));
    }
    // Room for one more record, as an insertion will want it.
    std::uint32_t count = loaded.records;
    DailyRecord* block =
        static_cast<DailyRecord*>(ResizeBlock(nullptr, (std::size_t{count} + 1) * sizeof(DailyRecord)));
    if (!block) {
        FileClose(file, name);
        return LoadFailure(Notice{kOutOfMemoryLoadText, kOutOfMemoryCaption, kMbOk | kMbIconExclamation});
    }
    bool read = true;
    for (std::uint32_t done = 0; read && done < count; done += kRecordsPerRead) {
        std::uint32_t piece = count - done < kRecordsPerRead ? count - done : kRecordsPerRead;
        read = ReadExactly(file, name, block + done, std::size_t{piece} * sizeof(DailyRecord));
    }
    FileClose(file, name);
    if (!read) {
        std::free(block);
        return LoadFailure(ErrorNotice(kReadFailedText));
    }

    UserHeader header = loaded.headerWhole ? loaded.header : HeaderFromRow(number, rowText);
    bool damaged = loaded.damaged;
    damaged = TerminateTexts(header) || damaged;
    for (std::uint32_t i = 0; i < count; ++i) damaged = TerminateTexts(block[i]) || damaged;
    // The file's name decides where the next save goes, whatever the header says.
    header.userNumber = static_cast<std::int32_t>(number);

    UserOutcome outcome = {true, Notice{}};
    if (damaged) {
        char copyName[kCopyNameSize];
        if (!KeepDamagedCopy(name, copyName)) {
            std::free(block);
            char text[512];
            std::snprintf(text, sizeof text, kCopyFailedText, name);
            return LoadFailure(Notice{text, kDamagedCaption, kMbOk | kMbIconExclamation});
        }
        outcome.notice = DamageNotice(name, copyName, count, !loaded.headerWhole);
    }

    // The selectors take their last settings after the first load of a run with records.
    outcome.restoreSelectors = !IsUserOpen() && count > 0;
    AdoptUser(header, block, count, count + 1);
    if (!ReadInputItems(number, &InputItems())) InputItems() = kAllItemsOn;
    SetUserOpen();
    return outcome;
}
