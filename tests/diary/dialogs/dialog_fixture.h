// A sandboxed diary with the dialogs' window classes, and helpers that read
// back what the dialogs left in the users table and the data files.
#ifndef PELMO_TESTS_DIARY_DIALOG_FIXTURE_H
#define PELMO_TESTS_DIARY_DIALOG_FIXTURE_H

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "diary/dialogs/dialog_driver.h"
#include "diary/records.h"
#include "support/sandbox.h"

struct NewUser {
    const char* name;
    const char* age;
    int sex;  // list index: 0 男性, 1 女性
    const char* height;
    const char* targetWeight;
    const char* targetBodyFat;
    const char* message;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Steps that fill the registration and target dialogs and confirm both.
    static void RegisterSteps(DialogDriver& driver, const NewUser& user, const char* shot = nullptr);
    // Registers users one after another; each becomes the open user.
    void RegisterUsers(const std::vector<NewUser>& users);

    // The users table as "number|name" per row (name without its blanks).
    std::vector<std::string> UsersRows() const;
    // The data file of a user as it is on disk; false when missing or short.
    bool ReadHeaderFile(long number, UserHeader* header) const;
    std::vector<unsigned char> FileBytes(const std::string& name) const;
    bool FileThere(const std::string& name) const;

    Sandbox sandbox_;
};

#endif
