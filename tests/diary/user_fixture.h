// A sandboxed data folder with a users table, and ways to put user data files
// into it byte by byte and read them back.
#ifndef PELMO_TESTS_DIARY_USER_FIXTURE_H
#define PELMO_TESTS_DIARY_USER_FIXTURE_H

#include <string>
#include <vector>

#include "diary_fixture.h"
#include "support/sandbox.h"

using Bytes = std::vector<unsigned char>;

class UserFileTest : public DiaryTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A header as the registration dialog leaves it.
    static UserHeader Header(long number, const char* name);
    // The bytes of a data file: header (its count as given) and records.
    static Bytes FileImage(const UserHeader& header, const std::vector<DailyRecord>& records);
    // Appends a users-table row; returns its row number.
    static int AddRow(long number, const char* name);
    // A user with a well-formed data file and a new user's input items; returns the row.
    int AddUser(long number, const char* name, const std::vector<DailyRecord>& records);
    static std::vector<DailyRecord> Days(std::initializer_list<const char*> dates);

    Bytes Read(const std::string& name) const;
    void Write(const std::string& name, const Bytes& bytes) const;
    bool Exists(const std::string& name) const;
    // Every file of the data folder.
    std::vector<std::string> Files() const;

    // The store holds exactly these records, byte for byte.
    static void ExpectStoreHolds(const std::vector<DailyRecord>& records);

    Sandbox* sandbox = nullptr;
};

#endif
