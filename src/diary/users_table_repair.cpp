#include "diary/users_table_repair.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
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

// Every diary of the data folder, by number; a whole leftover of a save that
// died after its file was gone is put in place first, as a load would.
std::vector<Diary> DiariesInDataFolder() {
    std::vector<long> numbers;
    for (const std::string& file : DataFolderFiles()) {
        long number = NumberOfDataFile(file);
        if (number != kNoUserNumber) numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    std::vector<Diary> diaries;
    for (long number : numbers) {
        char file[kFileNameSize];
        DataFileName(number, file);
        RecoverAtomicFile(file, IsCompleteUserFile, nullptr);
        if (!FileExists(file)) continue;
        diaries.push_back(Diary{number, UniqueName(NameInDataFile(number), number, diaries)});
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

// What was rebuilt: every user with the file the row came from.
std::string RebuiltList(const std::vector<Diary>& diaries) {
    if (diaries.empty()) return kEmptyText;
    std::string list = Formatted(kRebuiltText, static_cast<unsigned>(diaries.size()));
    for (std::size_t i = 0; i < diaries.size() && i < kUsersListed; ++i) {
        char file[kFileNameSize];
        DataFileName(diaries[i].number, file);
        list += "　" + diaries[i].name + "（" + file + "）\n";
    }
    if (diaries.size() > kUsersListed)
        list += Formatted(kMoreUsersText, static_cast<unsigned>(diaries.size() - kUsersListed));
    return list;
}

UsersTableRepair Told(bool rebuilt, const std::string& text) {
    return UsersTableRepair{rebuilt, Notice{text, kUsersTableCaption, kMbOk | kMbIconExclamation}};
}

}  // namespace

UsersTableRepair SettleUsersTable() {
    const DbfCondition condition = CheckDbfTable(kUsersTable);
    if (condition == DbfCondition::kWhole) return UsersTableRepair{};
    const std::vector<Diary> diaries = DiariesInDataFolder();
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
