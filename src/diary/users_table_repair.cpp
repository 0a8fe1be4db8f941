#include "diary/users_table_repair.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "corelib/files.h"
#include "corelib/sjis.h"
#include "corelib/utility.h"
#include "diary/damaged_copy.h"
#include "diary/input_items.h"
#include "diary/record_texts.h"
#include "diary/user_file.h"
#include "diary/users_table.h"

const char kUsersTableCaption[] = "ユーザー一覧の読み込み";

namespace {

const char kDamagedText[] = "ユーザー一覧(%s)は壊れていました。";
const char kMissingText[] = "ユーザー一覧(%s)が見つかりませんでした。";
const char kRebuiltText[] = "\n\nユーザーデータのファイルから、次の %u 人でユーザー一覧を作り直しました。\n";
const char kEmptyText[] = "\n\nユーザーデータのファイルがないため、空のユーザー一覧を作り直しました。\n";
const char kMoreUsersText[] = "　ほか %u 人\n";
const char kCopyKeptText[] = "\n元のファイルは、次の名前で同じフォルダーに残してあります。\n　%s";
const char kCopyFailedText[] =
    "\n\n元のファイルの控えを作れなかったため、作り直しを中止しました。"
    "ディスクの空きを確かめてから、ペルモを起動し直してください。";
const char kRebuildFailedText[] =
    "\n\nユーザー一覧を作り直せませんでした。"
    "ディスクの空きを確かめてから、ペルモを起動し直してください。";
const char kUnlistedText[] = "ユーザー一覧(%s)に載っていないユーザーデータがありました。\n";
const char kAddedBackText[] = "\n次の %u 人をユーザー一覧に戻しました。\n";
const char kNotAddedText[] =
    "\nユーザー一覧に書き込めなかったため、次の %u 人は開けません。"
    "ディスクの空きを確かめてから、ペルモを起動し直してください。\n";
const char kNamelessUser[] = "ユーザー%ld";  // a diary whose header lost its name
constexpr std::size_t kUsersListed = 15;

struct Diary {
    long number;
    std::string name;  // as the rebuilt row holds it
};

// The user number of a data file's name ("12.DAT", or its leftover
// "12.DAT.new"), or kNoUserNumber: only the names the program itself gives.
long NumberOfDataFile(const std::string& file) {
    std::string name = file;
    const std::string leftover = AtomicTempPath("");
    const std::size_t stem = name.size() - leftover.size();
    if (name.size() > leftover.size() && SameTextIgnoringCase(name.c_str() + stem, leftover.c_str())) name.resize(stem);
    std::size_t digits = 0;
    while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9') ++digits;
    if (digits == 0 || digits > 5) return kNoUserNumber;
    long number = std::strtol(name.substr(0, digits).c_str(), nullptr, 10);
    char expected[kFileNameSize];
    DataFileName(number, expected);
    return number <= kMaxUserNumber && SameTextIgnoringCase(name.c_str(), expected) ? number : kNoUserNumber;
}

// The name a data file's header gives, as a users-table row can hold it.
std::string NameInDataFile(long number) {
    UserHeader header = {};
    char name[kUsersNameWidth + 1] = {};
    if (ReadUserFileHeader(number, &header)) {
        TerminateTexts(header);
        SjisCopy(name, sizeof name, header.name);
        CutStringSpace(name);
    }
    if (name[0] == '\0') std::snprintf(name, sizeof name, kNamelessUser, number);
    return name;
}

// Names are unique in the table: a second diary of one name gets its number after it.
std::string UniqueName(const std::string& name, long number, const std::vector<Diary>& taken) {
    auto used = [&taken](const std::string& candidate) {
        return std::any_of(taken.begin(), taken.end(), [&](const Diary& d) { return d.name == candidate; });
    };
    if (!used(name)) return name;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "(%ld)", number);
    std::size_t room = kUsersNameWidth - std::strlen(suffix);
    return name.substr(0, SjisFitLength(name.c_str(), room)) + suffix;
}

// The numbers of the data files of the data folder, in order.
std::vector<long> DataFileNumbers() {
    std::vector<long> numbers;
    for (const std::string& file : DataFolderFiles()) {
        long number = NumberOfDataFile(file);
        if (number != kNoUserNumber) numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

// The diaries of the data folder but those of listed numbers, each named
// apart from the names taken; a whole leftover of a save that died after its
// file was gone is put in place first, as a load would.
std::vector<Diary> DiariesInDataFolder(const std::vector<long>& listed, std::vector<Diary> taken) {
    std::vector<Diary> diaries;
    for (long number : DataFileNumbers()) {
        if (std::find(listed.begin(), listed.end(), number) != listed.end()) continue;
        char file[kFileNameSize];
        DataFileName(number, file);
        RecoverAtomicFile(file, IsCompleteUserFile, nullptr);
        if (!FileExists(file)) continue;
        Diary diary{number, UniqueName(NameInDataFile(number), number, taken)};
        taken.push_back(diary);
        diaries.push_back(diary);
    }
    return diaries;
}

std::string Formatted(const char* format, const char* text) {
    char out[320];
    std::snprintf(out, sizeof out, format, text);
    return out;
}

std::string Formatted(const char* format, unsigned count) {
    char out[320];
    std::snprintf(out, sizeof out, format, count);
    return out;
}

// Every user with the file the row came from.
std::string DiaryList(const std::vector<Diary>& diaries) {
    std::string list;
    for (std::size_t i = 0; i < diaries.size() && i < kUsersListed; ++i) {
        char file[kFileNameSize];
        DataFileName(diaries[i].number, file);
        list += "　" + diaries[i].name + "（" + file + "）\n";
    }
    if (diaries.size() > kUsersListed)
        list += Formatted(kMoreUsersText, static_cast<unsigned>(diaries.size() - kUsersListed));
    return list;
}

// What was rebuilt.
std::string RebuiltList(const std::vector<Diary>& diaries) {
    if (diaries.empty()) return kEmptyText;
    return Formatted(kRebuiltText, static_cast<unsigned>(diaries.size())) + DiaryList(diaries);
}

UsersTableRepair Told(bool rebuilt, const std::string& text) {
    return UsersTableRepair{rebuilt, Notice{text, kUsersTableCaption, kMbOk | kMbIconExclamation}};
}

// A table that is missing or cannot be read whole, rebuilt from the data files.
UsersTableRepair RebuildUnsoundTable(DbfCondition condition) {
    const std::vector<Diary> diaries = DiariesInDataFolder({}, {});
    if (condition == DbfCondition::kMissing && diaries.empty()) return UsersTableRepair{};  // a first run

    std::string told = Formatted(condition == DbfCondition::kDamaged ? kDamagedText : kMissingText, kUsersTable);
    std::string copyName;
    if (condition == DbfCondition::kDamaged && !KeepDamagedCopy(kUsersTable, &copyName))
        return Told(false, told + kCopyFailedText);
    std::vector<std::string> rows;
    for (const Diary& diary : diaries) {
        char row[kUsersRowLength + 1];
        FormatUsersRow(diary.number, diary.name.c_str(), row);
        rows.push_back(row);
    }
    const std::string copyKept = copyName.empty() ? std::string() : Formatted(kCopyKeptText, copyName.c_str());
    if (!RebuildUsersTable(rows)) return Told(false, told + kRebuildFailedText + copyKept);
    return Told(true, told + RebuiltList(diaries) + copyKept);
}

// A whole table that lost rows: each diary that no row names is added back.
UsersTableRepair AddBackUnlistedDiaries() {
    DbfInfo info = {};
    if (!GetDBFInfo(kUsersTable, &info)) return UsersTableRepair{};
    std::vector<long> listed;
    std::vector<Diary> taken;
    char row[kUsersRowLength + 1];
    for (long r = 0; r < static_cast<long>(info.rowCount); ++r) {
        if (!ReadUsersRow(nullptr, static_cast<int>(r), row)) return UsersTableRepair{};
        char name[kUsersNameWidth + 1];
        UserNameOfRow(row, name);
        listed.push_back(UserNumberOfRow(row));
        taken.push_back(Diary{listed.back(), name});
    }
    std::vector<Diary> added, failed;
    for (const Diary& diary : DiariesInDataFolder(listed, taken)) {
        FormatUsersRow(diary.number, diary.name.c_str(), row);
        (WriteDBFRecord(nullptr, kUsersTable, row, kUsersNameField) ? added : failed).push_back(diary);
    }
    if (added.empty() && failed.empty()) return UsersTableRepair{};
    std::string told = Formatted(kUnlistedText, kUsersTable);
    if (!added.empty()) told += Formatted(kAddedBackText, static_cast<unsigned>(added.size())) + DiaryList(added);
    if (!failed.empty()) told += Formatted(kNotAddedText, static_cast<unsigned>(failed.size())) + DiaryList(failed);
    return Told(!added.empty(), told);
}

// What the mend did since it was last told.
UsersTableRepair g_mended;
bool g_mendGaveUp = false;

UsersTableRepair TakeMended() { return std::exchange(g_mended, UsersTableRepair{}); }

// A notice after another: both told in one box.
UsersTableRepair Joined(UsersTableRepair first, const UsersTableRepair& second) {
    if (first.notice.empty()) return second;
    if (!second.notice.empty()) first.notice.text += "\n\n" + second.notice.text;
    first.rebuilt = first.rebuilt || second.rebuilt;
    return first;
}

}  // namespace

void MendUsersTable() {
    if (g_mendGaveUp) return;
    const DbfCondition condition = CheckDbfTable(kUsersTable);
    if (condition == DbfCondition::kWhole) return;
    UsersTableRepair repair = RebuildUnsoundTable(condition);
    g_mendGaveUp = !repair.rebuilt && !repair.notice.empty();
    g_mended = Joined(g_mended, repair);
}

UsersTableRepair CheckUsersTable() {
    MendUsersTable();
    return TakeMended();
}

UsersTableRepair SettleUsersTable() {
    g_mendGaveUp = false;
    UsersTableRepair repair = CheckUsersTable();
    if (CheckDbfTable(kUsersTable) != DbfCondition::kWhole) return repair;
    return Joined(repair, AddBackUnlistedDiaries());
}
