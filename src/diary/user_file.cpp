#include "diary/user_file.h"

#include <cstdio>

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "corelib/utility.h"
#include "diary/diary_store.h"
#include "diary/input_items.h"
#include "diary/record_texts.h"
#include "diary/user_file_write.h"
#include "diary/users_table.h"

const char kReadFailedText[] = "ユーザーデータ(*.DAT)の読み込みに失敗しました。";
const char kWriteFailedText[] = "ユーザーデータ(*.DAT)の書込みに失敗しました。";
const char kCreateFailedText[] = "新規ファイルの作成に失敗しました。";
const char kNewUserCaption[] = "新規作成";

namespace {

const char kUsersRowFailedText[] =
    "ユーザー一覧(ﾕｰｻﾞ.DBF)への登録に失敗しました。\n\n新しいユーザーは作成されていません。";
const char kNoAmendText[] = "ユーザーが開かれていないため、修正できません。";

UserOutcome NewUserFailure(const char* text) {
    return UserOutcome{false, Notice{text, kNewUserCaption, kMbOk | kMbIconInformation}};
}

}  // namespace

void DataFileName(long userNumber, char* out) { std::snprintf(out, kFileNameSize, "%ld.DAT", userNumber); }

int WriteUserFile(const UserHeader& header, const DailyRecord* records, std::uint32_t count) {
    UserHeader written = header;
    written.recordCount = count;
    char name[kFileNameSize];
    DataFileName(written.userNumber, name);
    FilePart parts[2] = {{&written, sizeof written}, {records, std::size_t{count} * sizeof(DailyRecord)}};
    return WriteFileAtomically(name, parts, count ? 2 : 1);
}

bool ReadUserFileHeader(long number, UserHeader* header) {
    char name[kFileNameSize];
    DataFileName(number, name);
    FileHandle file = FileOpen(name, kFileRead);
    if (file == kInvalidFile) return false;
    long read = FileRead(file, name, header, sizeof(UserHeader));
    FileClose(file, name);
    return read == static_cast<long>(sizeof(UserHeader));
}

void PrepareNewUser() { InputItems() = kNewUserItems; }

UserOutcome CreateUser() {
    long number = NextUserNumber(nullptr);
    if (number == kNoUserNumber) return NewUserFailure(kCreateFailedText);
    StagingHeader().userNumber = static_cast<std::int32_t>(number);
    UserHeader header = StagingHeader();
    TerminateTexts(header);

    // The file comes before the users-table row: a row without its file would
    // name a user who can never be opened.
    if (!WriteUserFile(header, nullptr, 0)) return NewUserFailure(kCreateFailedText);
    char row[kUsersRowLength + 1];
    FormatUsersRow(number, header.name, row);
    if (!EnsureUsersTable() || !WriteDBFRecord(nullptr, kUsersTable, row, kUsersNameField)) {
        char name[kFileNameSize];
        DataFileName(number, name);
        FileDelete(name);
        return NewUserFailure(kUsersRowFailedText);
    }
    // Without this file the user's next load shows every item: no data is at stake.
    WriteInputItems(number, InputItems());

    AdoptUser(header, nullptr, 0, 0);
    StagingRecord() = DailyRecord{};
    SetUserOpen();
    return UserOutcome{true, Notice{}};
}

UserOutcome AmendUser() {
    // Without an open user the staging header names no real file: writing it
    // would replace user 0's diary with an empty one.
    if (!IsUserOpen()) return NewUserFailure(kNoAmendText);
    UserHeader header = StagingHeader();
    header.userNumber = CurrentHeader().userNumber;
    TerminateTexts(header);
    if (!WriteUserFile(header, DiaryRecords(), DiaryRecordCount())) return NewUserFailure(kWriteFailedText);
    SetCurrentHeaderDetails(header);
    SetUserOpen();
    return UserOutcome{true, Notice{}};
}

UserOutcome SaveUser() {
    if (!IsUserOpen()) return UserOutcome{false, Notice{}};
    if (!WriteUserFile(CurrentHeader(), DiaryRecords(), DiaryRecordCount()))
        return UserOutcome{false, ErrorNotice(kWriteFailedText)};
    return UserOutcome{true, Notice{}};
}
