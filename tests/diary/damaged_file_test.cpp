// Data files that are not what their header says load as far as their
// records are complete, say so, and leave an untouched copy beside them.
#include <fnmatch.h>
#include <sys/stat.h>

#include <cstdio>
#include <ctime>

#include <cstring>

#include "corelib/msgbox.h"
#include "diary/record_texts.h"
#include "diary/user_file.h"
#include "user_fixture.h"

using namespace diarytest;

namespace {

class DamagedFile : public UserFileTest {
protected:
    void SetUp() override {
        UserFileTest::SetUp();
        // Someone else's diary was open before: none of it may remain.
        int other = AddUser(0, "前の人", Days({"20200101", "20200102", "20200103", "20200104", "20200105"}));
        ASSERT_TRUE(LoadUser(other).done);
        days = Days({"20240101", "20240102", "20240103"});
        row = AddRow(7, "木村");
    }

    // Loads user 7 from a file of these bytes and checks what every damaged load must do.
    void LoadDamaged(const Bytes& file, std::size_t expectedDays) {
        LoadDamaged(file, std::vector<DailyRecord>(days.begin(), days.begin() + expectedDays));
    }
    void LoadDamaged(const Bytes& file, const std::vector<DailyRecord>& expected) {
        const std::size_t expectedDays = expected.size();
        Write("7.DAT", file);
        const UserOutcome loaded = LoadUser(row);
        ASSERT_TRUE(loaded.done);
        told = loaded.notice;
        ExpectStoreHolds(expected);

        EXPECT_EQ(kDamagedCaption, told.caption);
        EXPECT_EQ(kMbOk | kMbIconExclamation, told.type);
        std::string count = " " + std::to_string(expectedDays) + " 日分";
        EXPECT_NE(std::string::npos, told.text.find(count)) << told.text;

        // The untouched copy: the only other file of this user, found by no "*.DAT" pattern.
        std::string copy;
        for (const std::string& name : Files()) {
            if (name.rfind("7.DAT.damaged-", 0) == 0) copy = name;
            if (fnmatch("*.[dD][aA][tT]", name.c_str(), 0) == 0) {
                EXPECT_TRUE(name == "0.DAT" || name == "7.DAT" || name.rfind("ITEM", 0) == 0) << name;
            }
        }
        ASSERT_FALSE(copy.empty());
        EXPECT_EQ(file, Read(copy));
        EXPECT_NE(std::string::npos, told.text.find(copy));

        // The next save makes the file whole again; the copy stays as it was.
        EXPECT_TRUE(HasUnsavedChanges()) << "the mended diary is written at the next save";
        ASSERT_TRUE(SaveUser().done);
        UserHeader h = CurrentHeader();
        EXPECT_EQ(FileImage(h, expected), Read("7.DAT"));
        EXPECT_EQ(file, Read(copy));
        std::remove(sandbox->path(copy).c_str());  // a later load's copy is then the only one
    }

    UserHeader HeaderWithCount(std::uint32_t count) {
        UserHeader h = Header(7, "木村");
        h.recordCount = count;
        return h;
    }

    std::vector<DailyRecord> days;
    int row = 0;
    Notice told;  // what the last damaged load had to tell
};

TEST_F(DamagedFile, ShortFileLoadsItsCompleteRecords) {
    Bytes file = FileImage(HeaderWithCount(5), days);  // promises 5, holds 3
    file.resize(file.size() + 15282 / 2, 0xCC);        // and half of a fourth
    LoadDamaged(file, 3);
    EXPECT_STREQ("木村", CurrentHeader().name);
}

TEST_F(DamagedFile, RecordCutInTheMiddleIsLeftOut) {
    Bytes file = FileImage(HeaderWithCount(3), days);
    file.resize(file.size() - 100);
    LoadDamaged(file, 2);
}

TEST_F(DamagedFile, OverLongFileLoadsWhatTheHeaderPromises) {
    Bytes file = FileImage(HeaderWithCount(2), days);
    file.push_back(0x1A);
    LoadDamaged(file, 2);
}

TEST_F(DamagedFile, AbsurdCountLoadsWhatIsThere) {
    LoadDamaged(FileImage(HeaderWithCount(0xFFFFFFFFu), days), 3);
}

TEST_F(DamagedFile, EmptyFileOpensTheUserWithNoDays) {
    LoadDamaged(Bytes{}, 0);
    EXPECT_STREQ("木村", CurrentHeader().name);  // from the users table
    EXPECT_EQ(7, std::int32_t{CurrentHeader().userNumber});
    EXPECT_NE(std::string::npos, told.text.find("ユーザー情報と目標は読み込めませんでした"));
    char title[kMainTitleSize];
    FormatMainTitle(CurrentHeader(), title, sizeof title);
    EXPECT_STREQ("木村 - ペルモ 「」", title);
}

TEST_F(DamagedFile, CutHeaderOpensTheUserWithNoDays) {
    Bytes file = FileImage(HeaderWithCount(3), days);
    file.resize(100);
    LoadDamaged(file, 0);
    EXPECT_STREQ("木村", CurrentHeader().name);
}

TEST_F(DamagedFile, DaysOutOfOrderOrRepeatedArePutInDateOrderKeepingTheLaterRecord) {
    const DailyRecord later = TestDay("20240102", 51.0);
    LoadDamaged(FileImage(HeaderWithCount(6), {TestDay("20240105"), TestDay("20240102", 50.0), TestDay("20240103"),
                                               later, TestDay("20240101"), TestDay("20240105", 52.0)}),
                {TestDay("20240101"), later, TestDay("20240103"), TestDay("20240105", 52.0)});
    EXPECT_NE(std::string::npos, told.text.find("日付順に並べ直しました")) << told.text;
    EXPECT_NE(std::string::npos, told.text.find("同じ日付の記録が 2 件重なっていた")) << told.text;
    // Out of order only: nothing is dropped, and no word of repeated days.
    LoadDamaged(FileImage(HeaderWithCount(2), {days[1], days[0]}), 2);
    EXPECT_NE(std::string::npos, told.text.find("日付順に並べ直しました")) << told.text;
    EXPECT_EQ(std::string::npos, told.text.find("重なって")) << told.text;
}

TEST_F(DamagedFile, TextsWithoutTerminatorAreCutBetweenCharacters) {
    UserHeader h = HeaderWithCount(3);
    // 31 bytes of name: 15 double-byte characters and a lead byte where the NUL belongs.
    for (int i = 0; i < 30; i += 2) std::memcpy(h.name + i, "ソ", 2);
    h.name[30] = static_cast<char>(0x83);
    std::memset(h.targetMessage, 'x', sizeof h.targetMessage);
    DailyRecord noEnd = days[2];
    std::memset(noEnd.diary, 0, sizeof noEnd.diary);
    for (std::size_t i = 0; i + 2 <= sizeof noEnd.diary; i += 2) std::memcpy(noEnd.diary + i, "表", 2);
    noEnd.diary[1000] = static_cast<char>(0x95);
    std::vector<DailyRecord> stored = {days[0], days[1], noEnd};
    Write("7.DAT", FileImage(h, stored));
    const UserOutcome loaded = LoadUser(row);
    ASSERT_TRUE(loaded.done);
    EXPECT_EQ(30u, std::strlen(CurrentHeader().name));
    EXPECT_EQ(80u, std::strlen(CurrentHeader().targetMessage));
    EXPECT_EQ(998u, std::strlen(DiaryRecords()[2].diary));  // 999 would split a 表
    EXPECT_EQ(kDamagedCaption, loaded.notice.caption);      // told, and a copy kept
}

TEST_F(DamagedFile, NoCopyNoLoad) {
    // Folders where the copy would go, for this second and the next few.
    std::time_t now = std::time(nullptr);
    for (int s = 0; s < 5; ++s) {
        std::time_t when = now + s;
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&when));
        std::string base = sandbox->path(std::string("7.DAT.damaged-") + stamp);
        mkdir(base.c_str(), 0700);
        for (int i = 2; i < 100; ++i) mkdir((base + "-" + std::to_string(i)).c_str(), 0700);
    }
    Bytes file = FileImage(HeaderWithCount(5), days);
    Write("7.DAT", file);
    const UserOutcome refused = LoadUser(row);
    EXPECT_FALSE(refused.done);
    EXPECT_NE(std::string::npos, refused.notice.text.find("控えを作れなかった")) << refused.notice.text;
    EXPECT_STREQ("前の人", CurrentHeader().name);
    EXPECT_EQ(5u, DiaryRecordCount());
    EXPECT_EQ(file, Read("7.DAT"));
}

TEST_F(DamagedFile, NoMemoryToLoadKeepsTheOpenUser) {
    Write("7.DAT", FileImage(HeaderWithCount(3), days));
    SetBlockResizeFunction([](void*, std::size_t) -> void* { return nullptr; });
    const UserOutcome refused = LoadUser(row);
    EXPECT_FALSE(refused.done);
    EXPECT_EQ(kOutOfMemoryLoadText, refused.notice.text);
    EXPECT_STREQ("前の人", CurrentHeader().name);
    EXPECT_EQ(5u, DiaryRecordCount());
}

}  // namespace
