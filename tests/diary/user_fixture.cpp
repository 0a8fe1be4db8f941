#include "user_fixture.h"

#include <dirent.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "corelib/dbf.h"
#include "diary/record_texts.h"
#include "diary/users_table.h"

void UserFileTest::SetUp() {
    DiaryTest::SetUp();
    sandbox = new Sandbox;
    ASSERT_EQ(1, EnsureUsersTable());
}

void UserFileTest::TearDown() {
    DiaryTest::TearDown();
    delete sandbox;
}

UserHeader UserFileTest::Header(long number, const char* name) {
    UserHeader h = {};
    h.formatMark = 'A';
    h.userNumber = static_cast<std::int32_t>(number);
    SetUserName(h, name);
    h.age = 40;
    h.height = 160.0;
    h.targetWeight = 55.0;
    SetTargetMessage(h, "毎日歩く");
    return h;
}

Bytes UserFileTest::FileImage(const UserHeader& header, const std::vector<DailyRecord>& records) {
    Bytes bytes(sizeof header + records.size() * sizeof(DailyRecord));
    std::memcpy(bytes.data(), &header, sizeof header);
    if (!records.empty()) std::memcpy(bytes.data() + sizeof header, records.data(), records.size() * sizeof(DailyRecord));
    return bytes;
}

int UserFileTest::AddRow(long number, const char* name) {
    char row[kUsersRowLength + 1];
    FormatUsersRow(number, name, row);
    EXPECT_EQ(1, WriteDBFRecord(nullptr, kUsersTable, row, kUsersNameField));
    DbfInfo info = {};
    EXPECT_EQ(1, GetDBFInfo(kUsersTable, &info));
    return static_cast<int>(info.rowCount) - 1;
}

int UserFileTest::AddUser(long number, const char* name, const std::vector<DailyRecord>& records) {
    UserHeader h = Header(number, name);
    h.recordCount = static_cast<std::uint32_t>(records.size());
    Write(std::to_string(number) + ".DAT", FileImage(h, records));
    Write("ITEM" + std::to_string(number) + ".DAT", Bytes{1, 0, 0, 0, 0, 0, 0});
    return AddRow(number, name);
}

std::vector<DailyRecord> UserFileTest::Days(std::initializer_list<const char*> dates) {
    std::vector<DailyRecord> days;
    for (const char* date : dates) days.push_back(TestDay(date));
    return days;
}

Bytes UserFileTest::Read(const std::string& name) const {
    std::ifstream in(sandbox->path(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void UserFileTest::Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream out(sandbox->path(name), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool UserFileTest::Exists(const std::string& name) const {
    return std::ifstream(sandbox->path(name)).good();
}

std::vector<std::string> UserFileTest::Files() const {
    std::vector<std::string> names;
    if (DIR* dir = opendir(sandbox->folder().c_str())) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') names.push_back(entry->d_name);
        closedir(dir);
    }
    return names;
}

void UserFileTest::ExpectStoreHolds(const std::vector<DailyRecord>& records) {
    ASSERT_EQ(records.size(), DiaryRecordCount());
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(0, std::memcmp(&records[i], &DiaryRecords()[i], sizeof(DailyRecord))) << "record " << i;
}
