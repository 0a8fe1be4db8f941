// The user data file on the real Win32 file functions (under Wine on Linux):
// a save and load round trip, a failed rename that keeps the old file, and a
// damaged file's copy that no "*.DAT" search finds.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "corelib/msgbox.h"
#include "diary/diary_store.h"
#include "diary/record_texts.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "support/sandbox.h"

namespace {

std::vector<std::string> g_texts;

int Answer(void*, const char* text, const char*, unsigned) {
    g_texts.push_back(text);
    return kIdOk;
}

DailyRecord Day(const char* date, double weight) {
    DailyRecord r = {};
    std::memcpy(r.date, date, kDateLength);
    r.weight = weight;
    r.reservedB[100] = 0x5C;
    SetDiaryText(r, "表参道ソフトクリーム");
    return r;
}

std::string ReadAll(const std::string& path) {
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

std::vector<std::string> Found(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(entry.cFileName);
    while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

class UserFileWin32 : public ::testing::Test {
protected:
    void SetUp() override {
        CloseUser();
        SetMessageBoxFunction(Answer);
        g_texts.clear();
        ASSERT_EQ(1, EnsureUsersTable());
        StagingHeader() = UserHeader{};
        StagingHeader().formatMark = 'A';
        SetUserName(StagingHeader(), "表ソ");
        ASSERT_TRUE(CreateUser().done);
        for (const char* date : {"20240103", "20240101", "20240102"}) ASSERT_GT(StoreDay(Day(date, 61.5)).position, 0);
        ASSERT_TRUE(SaveUser().done);
    }
    void TearDown() override {
        SetAtomicFailure(AtomicFailure::kNone);
        CloseUser();
        SetMessageBoxFunction(nullptr);
    }
    Sandbox sandbox;
};

TEST_F(UserFileWin32, SaveAndLoadRoundTrip) {
    std::string saved = ReadAll(sandbox.path("0.DAT"));
    ASSERT_EQ(167u + 3 * 15282u, saved.size());
    CloseUser();
    const UserOutcome loaded = LoadUser(0);
    ASSERT_TRUE(loaded.done);
    ASSERT_EQ(3u, DiaryRecordCount());
    EXPECT_EQ(0, std::memcmp(DiaryRecords()[0].date, "20240101", 8));
    EXPECT_STREQ("表参道ソフトクリーム", DiaryRecords()[2].diary);
    EXPECT_EQ(0x5C, DiaryRecords()[1].reservedB[100]);
    EXPECT_STREQ("表ソ", CurrentHeader().name);
    ASSERT_TRUE(SaveUser().done);
    EXPECT_EQ(saved, ReadAll(sandbox.path("0.DAT")));
    EXPECT_TRUE(loaded.notice.empty());
    EXPECT_TRUE(g_texts.empty());
}

TEST_F(UserFileWin32, FailedRenameKeepsTheOldFile) {
    std::string saved = ReadAll(sandbox.path("0.DAT"));
    ASSERT_GT(StoreDay(Day("20240104", 60.0)).position, 0);
    SetAtomicFailure(AtomicFailure::kRename);
    EXPECT_FALSE(SaveUser().done);
    EXPECT_EQ(saved, ReadAll(sandbox.path("0.DAT")));
    EXPECT_TRUE(Found(sandbox.path("0.DAT.new")).empty());
    ASSERT_TRUE(SaveUser().done);
    EXPECT_EQ(167u + 4 * 15282u, ReadAll(sandbox.path("0.DAT")).size());
}

TEST_F(UserFileWin32, DamagedCopyIsFoundByNoDatSearch) {
    std::string saved = ReadAll(sandbox.path("0.DAT"));
    HANDLE file = CreateFileA(sandbox.path("0.DAT").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    SetFilePointer(file, 167 + 2 * 15282 + 10, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    CloseUser();
    const UserOutcome loaded = LoadUser(0);
    ASSERT_TRUE(loaded.done);
    EXPECT_EQ(2u, DiaryRecordCount());
    EXPECT_EQ(kDamagedCaption, loaded.notice.caption);
    std::vector<std::string> copies = Found(sandbox.path("0.DAT.damaged-*"));
    ASSERT_EQ(1u, copies.size());
    EXPECT_EQ(167u + 2 * 15282u + 10, ReadAll(sandbox.path(copies[0])).size());
    for (const std::string& name : Found(sandbox.path("*.DAT")))
        EXPECT_TRUE(name == "0.DAT" || name == "ITEM0.DAT") << name;
}

}  // namespace
