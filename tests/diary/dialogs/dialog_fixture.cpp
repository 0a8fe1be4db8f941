#include "diary/dialogs/dialog_fixture.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "corelib/dbf.h"
#include "corelib/win32/window_classes.h"
#include "diary/dialogs/user_dialogs.h"
#include "diary/diary_store.h"
#include "diary/users_table.h"
#include "resources/resource.h"

void DialogTest::SetUp() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    ASSERT_TRUE(RegisterWindowsStandardClass(GetModuleHandleA(nullptr)));
    CloseUser();
}

void DialogTest::TearDown() { CloseUser(); }

void DialogTest::RegisterSteps(DialogDriver& driver, const NewUser& user, const char* shot) {
    driver.On(
        "新規作成",
        [user](HWND d) {
            DialogDriver::Type(d, IDC_USER_NAME, user.name);
            DialogDriver::Type(d, IDC_USER_AGE, user.age);
            SendDlgItemMessageA(d, IDC_USER_SEX, CB_SETCURSEL, user.sex, 0);
            DialogDriver::Type(d, IDC_USER_HEIGHT, user.height);
            DialogDriver::Click(d, IDC_USER_REGISTER);
        },
        shot);
    driver.On("目標を決める", [user](HWND d) {
        DialogDriver::Type(d, IDC_TARGET_WEIGHT, user.targetWeight);
        DialogDriver::Type(d, IDC_TARGET_BODYFAT, user.targetBodyFat);
        DialogDriver::Type(d, IDC_TARGET_MESSAGE, user.message);
        DialogDriver::Click(d, IDC_TARGET_REGISTER);
    });
}

void DialogTest::RegisterUsers(const std::vector<NewUser>& users) {
    for (const NewUser& user : users) {
        DialogDriver driver;
        RegisterSteps(driver, user);
        ASSERT_EQ(RegisterUser(nullptr), 1) << user.name;
        ASSERT_TRUE(driver.done()) << user.name;
    }
}

std::vector<std::string> DialogTest::UsersRows() const {
    std::vector<std::string> rows;
    DbfInfo info = {};
    if (!GetDBFInfo(kUsersTable, &info)) return rows;
    char row[kUsersRowLength + 1];
    for (unsigned r = 0; r < info.rowCount; ++r) {
        std::fill(row, row + sizeof(row), '\0');
        if (!ReadDBFRecord(nullptr, kUsersTable, static_cast<int>(r), row)) break;
        char name[kUsersNameWidth + 1];
        UserNameOfRow(row, name);
        rows.push_back(std::to_string(UserNumberOfRow(row)) + "|" + name);
    }
    return rows;
}

std::vector<unsigned char> DialogTest::FileBytes(const std::string& name) const {
    std::ifstream in(sandbox_.path(name), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool DialogTest::FileThere(const std::string& name) const {
    return GetFileAttributesA(sandbox_.path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DialogTest::ReadHeaderFile(long number, UserHeader* header) const {
    std::vector<unsigned char> bytes = FileBytes(std::to_string(number) + ".DAT");
    if (bytes.size() < sizeof(UserHeader)) return false;
    std::memcpy(header, bytes.data(), sizeof(UserHeader));
    return true;
}
