#include "diary/user_file.h"

#include <cstdio>

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "corelib/msgbox.h"
#include "corelib/utility.h"
#include "diary/diary_store.h"
#include "diary/input_items.h"
#include "diary/record_texts.h"
#include "diary/user_file_write.h"
#include "diary/users_table.h"
#include "diary/window_hooks.h"

const char kReadFailedText[] = "ユーザーデータ(*.DAT)の読み込みに失敗しました。";
const char kWriteFailedText[] = "ユーザーデータ(*.DAT)の書込みに失敗しました。";
const char kCreateFailedText[] = "新規ファイルの作成に失敗しました。";
const char kNewUserCaption[] = "新規作成";

namespace {

const char kUsersRowFailedText[] =
    "ユーザー一覧(ﾕｰｻﾞ.DBF)への登録に失敗しました。\n\n新しいユーザーは作成されていません。";
const char kNoAmendText[] = "ユーザーが開かれていないため、修正できません。";

void ShowNewUserFailure(void* window, const char* text) {
    PelmoMessageBox(window, text, kNewUserCaption, kMbOk | kMbIconInformation);
}

bool RunTargetDialog(void* window, TargetDialogMode mode) {
    const DiaryWindowHooks& hooks = DiaryHooks();
    return !hooks.runTargetDialog || hooks.runTargetDialog(window, mode) != 0;
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

int CreateUser(void* window) {
    // The target dialog offers the fields of these items; they stay even if it is cancelled.
    InputItems() = kNewUserItems;
    if (!RunTargetDialog(window, kTargetNewUser)) return 0;

    long number = NextUserNumber(window);
    if (number == kNoUserNumber) {
        ShowNewUserFailure(window, kCreateFailedText);
        return 0;
    }
    StagingHeader().userNumber = static_cast<std::int32_t>(number);
    UserHeader header = StagingHeader();
    TerminateTexts(header);

    // The file comes before the users-table row: a row without its file would
    // name a user who can never be opened.
    if (!WriteUserFile(header, nullptr, 0)) {
        ShowNewUserFailure(window, kCreateFailedText);
        return 0;
    }
    char row[kUsersRowLength + 1];
    FormatUsersRow(number, header.name, row);
    if (!EnsureUsersTable() || !WriteDBFRecord(window, kUsersTable, row, kUsersNameField)) {
        char name[kFileNameSize];
        DataFileName(number, name);
        FileDelete(name);
        ShowNewUserFailure(window, kUsersRowFailedText);
        return 0;
    }
    // Without this file the user's next load shows every item: no data is at stake.
    WriteInputItems(number, InputItems());

    ShowUserTitle(window, header);
    AdoptUser(header, nullptr, 0, 0);
    StagingRecord() = DailyRecord{};
    if (DiaryHooks().clearAnalysis) DiaryHooks().clearAnalysis();
    SetUserOpen();
    return 1;
}

int AmendUser(void* window) {
    // Without an open user the staging header names no real file: writing it
    // would replace user 0's diary with an empty one.
    if (!IsUserOpen()) {
        ShowNewUserFailure(window, kNoAmendText);
        return 0;
    }
    if (!RunTargetDialog(window, kTargetExistingUser)) return 0;
    UserHeader header = StagingHeader();
    header.userNumber = CurrentHeader().userNumber;
    TerminateTexts(header);
    if (!WriteUserFile(header, DiaryRecords(), DiaryRecordCount())) {
        ShowNewUserFailure(window, kWriteFailedText);
        return 0;
    }
    SetCurrentHeaderDetails(header);
    SetUserOpen();
    return 1;
}

int SaveUser(void* window) {
    if (!IsUserOpen()) return 0;
    if (!WriteUserFile(CurrentHeader(), DiaryRecords(), DiaryRecordCount())) {
        MsgErr(window, kWriteFailedText);
        return 0;
    }
    return 1;
}
