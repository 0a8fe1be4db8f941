// The registration and amend dialogs driven as a user drives them, checked
// against the users table, the data files and the staging header.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "corelib/msgbox.h"
#include "corelib/win32/help.h"
#include "corelib/win32/modal_dialog.h"
#include "diary/dialogs/dialog_fixture.h"
#include "diary/dialogs/user_dialogs.h"
#include "diary/diary_store.h"
#include "resources/resource.h"
#include "support/repeat_text.h"

namespace {

const NewUser kHanako = {"山田花子", "30", 1, "160.0", "55.0", "22.5", "毎日歩く"};
const NewUser kTaro = {"佐藤太郎", "41", 0, "172.5", "68.0", "18.0", "がんばる"};

using UserDialogs = DialogTest;

TEST_F(UserDialogs, FirstUserIsNumberZeroWithItsFilesAndTargets) {
    DialogDriver driver;
    RegisterSteps(driver, kHanako, "user_registry");
    ASSERT_EQ(RegisterUser(nullptr), 1);
    ASSERT_TRUE(driver.done());
    ASSERT_EQ(driver.boxes().size(), 1u);
    EXPECT_EQ(driver.boxes()[0].text, "山田花子さんを新規登録します。\n\nよろしいですか？");
    EXPECT_EQ(driver.boxes()[0].caption, "確認");
    EXPECT_EQ(driver.boxes()[0].type, kMbYesNo | kMbIconInformation);

    EXPECT_EQ(UsersRows(), (std::vector<std::string>{"0|山田花子"}));
    EXPECT_EQ(FileBytes("0.DAT").size(), sizeof(UserHeader));
    UserHeader header;
    ASSERT_TRUE(ReadHeaderFile(0, &header));
    EXPECT_EQ(header.formatMark, 'A');
    EXPECT_EQ(header.userNumber, 0);
    EXPECT_STREQ(header.name, "山田花子");
    EXPECT_EQ(header.age, 30);
    EXPECT_EQ(header.sex, 1);
    EXPECT_EQ(header.height, 160.0);
    EXPECT_EQ(header.activityLevel, 0);
    EXPECT_EQ(header.targetWeight, 55.0);
    EXPECT_EQ(header.targetBodyFat, 22.0);  // 22.5 is stored as its whole part
    EXPECT_EQ(header.targetIntake, 0);
    EXPECT_STREQ(header.targetMessage, "毎日歩く");
    EXPECT_EQ(header.recordCount, 0u);
    EXPECT_EQ(FileBytes("ITEM0.DAT"), (std::vector<unsigned char>{1, 0, 0, 0, 0, 0, 0}));
    EXPECT_STREQ(CurrentHeader().name, "山田花子");

    RegisterUsers({kTaro});
    EXPECT_EQ(UsersRows(), (std::vector<std::string>{"0|山田花子", "1|佐藤太郎"}));
    EXPECT_EQ(CurrentHeader().userNumber, 1);
}

TEST_F(UserDialogs, RegistrationStartsWithItsDefaultsAndTheNameFocused) {
    // The diary's calendar takes no input while the dialog is open.
    HWND calendar = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetCalendarWindow(calendar);
    DialogDriver driver;
    driver.On("新規作成", [calendar](HWND d) {
        EXPECT_FALSE(IsWindowEnabled(calendar));
        EXPECT_EQ(DialogDriver::Text(d, IDC_USER_AGE), "20");
        EXPECT_EQ(DialogDriver::Text(d, IDC_USER_HEIGHT), "150.0");
        EXPECT_EQ(DialogDriver::Text(d, IDC_USER_SEX), "女性");
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_USER_HEIGHT_SPIN, UDM_GETPOS32, 0, 0), 1500);
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_USER_AGE_SPIN, UDM_GETPOS32, 0, 0), 20);
        EXPECT_EQ(DialogDriver::FocusId(d), IDC_USER_NAME);
        // A field change moves its spin; a released thumb writes the field.
        DialogDriver::Type(d, IDC_USER_HEIGHT, "158.7");
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_USER_HEIGHT_SPIN, UDM_GETPOS32, 0, 0), 1587);
        SendMessageA(d, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 45), reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_USER_AGE_SPIN)));
        EXPECT_EQ(DialogDriver::Text(d, IDC_USER_AGE), "45");
        EXPECT_EQ(DialogDriver::FocusId(d), IDC_USER_AGE);
        DialogDriver::Click(d, IDC_DIALOG_HELP);  // no help file in the sandbox: the user is told
    });
    driver.On("新規作成", [](HWND d) { DialogDriver::Click(d, IDCANCEL); });
    EXPECT_EQ(RegisterUser(nullptr), 0);
    EXPECT_TRUE(driver.done());
    EXPECT_TRUE(IsWindowEnabled(calendar));
    SetCalendarWindow(nullptr);
    DestroyWindow(calendar);
    ASSERT_EQ(driver.boxes().size(), 1u);
    EXPECT_EQ(driver.boxes()[0].caption, kHelpCaption);
    EXPECT_TRUE(UsersRows().empty());
}

TEST_F(UserDialogs, KeysMoveThroughTheFieldsAndEnterOnHeightRegisters) {
    DialogDriver driver;
    driver.On("新規作成", [](HWND d) {
        DialogDriver::Type(d, IDC_USER_NAME, "鈴木");
        DialogDriver::Key(d, IDC_USER_NAME, VK_RETURN);
    });
    driver.On("新規作成", [](HWND d) {
        EXPECT_EQ(DialogDriver::FocusId(d), IDC_USER_AGE);
        DialogDriver::Key(d, IDC_USER_AGE, VK_DOWN);
    });
    driver.On("新規作成", [](HWND d) {
        EXPECT_EQ(DialogDriver::FocusId(d), IDC_USER_SEX);
        DialogDriver::Key(d, IDC_USER_SEX, VK_RETURN);
    });
    driver.On("新規作成", [](HWND d) {
        EXPECT_EQ(DialogDriver::FocusId(d), IDC_USER_HEIGHT);
        EXPECT_EQ(DialogDriver::Text(d, IDC_USER_SEX), "女性");  // the keys did not change the choice
        DialogDriver::Key(d, IDC_USER_HEIGHT, VK_UP);
    });
    driver.On("新規作成", [](HWND d) {
        EXPECT_EQ(DialogDriver::FocusId(d), IDC_USER_SEX);
        DialogDriver::Key(d, IDC_USER_HEIGHT, VK_RETURN);
    });
    driver.On("目標を決める", [](HWND d) { DialogDriver::Click(d, IDCANCEL); });
    EXPECT_EQ(RegisterUser(nullptr), 0);  // the cancelled target dialog creates nobody
    EXPECT_TRUE(driver.done());
    EXPECT_STREQ(StagingHeader().name, "鈴木");
    EXPECT_TRUE(UsersRows().empty());
    EXPECT_FALSE(IsUserOpen());
}

TEST_F(UserDialogs, EachCheckRefusesWithItsMessageAndFocus) {
    struct Case {
        const char* name;
        const char* age;
        const char* height;
        const char* message;
        int focus;
    };
    const Case cases[] = {
        {"", "20", "150.0", "名前を入力してください。", IDC_USER_NAME},
        {"　 ", "20", "150.0", "名前を入力してください。", IDC_USER_NAME},  // blanks only
        {"鈴木", "", "150.0", "年齢を入力してください。", IDC_USER_AGE},
        {"鈴木", "101", "150.0", "年齢は100歳以下で入力してください。", IDC_USER_AGE},
        {"鈴木", "100", "", "身長を入力してください。", IDC_USER_HEIGHT},
        {"鈴木", "100", "0.0", "身長を入力してください。", IDC_USER_HEIGHT},
        {"鈴木", "100", "0.1", "身長は50.0cm以上で入力してください。", IDC_USER_HEIGHT},
        {"鈴木", "100", "49.9", "身長は50.0cm以上で入力してください。", IDC_USER_HEIGHT},
        {"鈴木", "100", "250.1", "身長は250.0cm以下で入力してください。", IDC_USER_HEIGHT},
    };
    DialogDriver driver;
    for (const Case& c : cases) {
        driver.On("新規作成", [c](HWND d) {
            DialogDriver::Type(d, IDC_USER_NAME, c.name);
            DialogDriver::Type(d, IDC_USER_AGE, c.age);
            DialogDriver::Type(d, IDC_USER_HEIGHT, c.height);
            SetFocus(GetDlgItem(d, IDC_USER_SEX));
            DialogDriver::Click(d, IDC_USER_REGISTER);
        });
        driver.On("新規作成", [c](HWND d) { EXPECT_EQ(DialogDriver::FocusId(d), c.focus) << c.message; });
    }
    driver.On("新規作成", [](HWND d) {
        DialogDriver::Type(d, IDC_USER_HEIGHT, "250.0");
        DialogDriver::Click(d, IDC_USER_REGISTER);
    });
    driver.On("目標を決める", [](HWND d) { DialogDriver::Click(d, IDCANCEL); });
    EXPECT_EQ(RegisterUser(nullptr), 0);
    EXPECT_TRUE(driver.done());
    ASSERT_EQ(driver.boxes().size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(driver.boxes()[i].text, cases[i].message);
        EXPECT_EQ(driver.boxes()[i].caption, "ユーザー");
        EXPECT_EQ(driver.boxes()[i].type, kMbOk | kMbIconInformation);
    }
    // Age 100 and height 250.0 passed into the staging header.
    EXPECT_EQ(StagingHeader().formatMark, 'A');
    EXPECT_EQ(StagingHeader().age, 100);
    EXPECT_EQ(StagingHeader().height, 250.0);
}

TEST_F(UserDialogs, ARegisteredNameIsRefusedWithTheFocusOnTheName) {
    RegisterUsers({kHanako});
    DialogDriver driver;
    driver.On("新規作成", [](HWND d) {
        DialogDriver::Type(d, IDC_USER_NAME, "山田花子");
        SetFocus(GetDlgItem(d, IDC_USER_HEIGHT));
        DialogDriver::Click(d, IDC_USER_REGISTER);
    });
    driver.On("新規作成", [](HWND d) {
        EXPECT_EQ(DialogDriver::FocusId(d), IDC_USER_NAME);
        DialogDriver::Type(d, IDC_USER_NAME, "山田");  // a prefix of a registered name is a new name
        DialogDriver::Click(d, IDC_USER_REGISTER);
    });
    driver.On("目標を決める", [](HWND d) { DialogDriver::Click(d, IDCANCEL); });
    EXPECT_EQ(RegisterUser(nullptr), 0);
    EXPECT_TRUE(driver.done());
    ASSERT_EQ(driver.boxes().size(), 1u);
    EXPECT_EQ(driver.boxes()[0].text, "「山田花子」さんは登録済みです。\n\n名前を変更してください。");
    EXPECT_EQ(driver.boxes()[0].caption, "確認");
    EXPECT_EQ(UsersRows(), (std::vector<std::string>{"0|山田花子"}));
}

// Set, typed or put in the middle, the name (30 bytes) and the target message
// (80 bytes) never show more than is stored, and what they show is stored
// whole. The field's own limit counts characters under Wine.
TEST_F(UserDialogs, TheNameAndTheMessageHoldWhatIsStoredAndStoreItWhole) {
    struct Case {
        int field;  // IDC_USER_NAME or IDC_TARGET_MESSAGE
        std::string before;
        bool atStart;  // the caret at the start of `before`, else at its end
        std::string typed;
        std::string held;
    };
    const Case cases[] = {
        {IDC_USER_NAME, std::string(29, 'a') + "表", false, "", std::string(29, 'a')},
        {IDC_USER_NAME, "", false, Repeat("表", 31), Repeat("表", 15)},
        {IDC_USER_NAME, "後", true, Repeat("能", 16), Repeat("能", 14) + "後"},
        {IDC_USER_NAME, Repeat("表", 14) + "a", false, "bc表", Repeat("表", 14) + "ab"},
        {IDC_TARGET_MESSAGE, "", false, Repeat("表", 41), Repeat("表", 40)},
        {IDC_TARGET_MESSAGE, "目標", true, Repeat("能", 40), Repeat("能", 38) + "目標"},
    };
    auto enter = [](HWND d, const Case& c) {
        DialogDriver::Type(d, c.field, c.before.c_str());
        const int caret = c.atStart ? 0 : 0x7FFF;  // past the end is the end
        SendDlgItemMessageA(d, c.field, EM_SETSEL, caret, caret);
        SendDlgItemMessageA(d, c.field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(c.typed.c_str()));
        EXPECT_EQ(DialogDriver::Text(d, c.field), c.held);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        const std::string name = "利用者" + std::to_string(&c - cases);  // each case registers its own user
        DialogDriver driver;
        driver.On("新規作成", [&](HWND d) {
            DialogDriver::Type(d, IDC_USER_NAME, name.c_str());
            if (c.field == IDC_USER_NAME) enter(d, c);
            DialogDriver::Type(d, IDC_USER_AGE, "30");
            DialogDriver::Type(d, IDC_USER_HEIGHT, "160.0");
            DialogDriver::Click(d, IDC_USER_REGISTER);
        });
        driver.On("目標を決める", [&](HWND d) {
            DialogDriver::Type(d, IDC_TARGET_WEIGHT, "55.0");
            DialogDriver::Type(d, IDC_TARGET_BODYFAT, "22.0");
            DialogDriver::Type(d, IDC_TARGET_MESSAGE, "歩く");
            if (c.field == IDC_TARGET_MESSAGE) enter(d, c);
            DialogDriver::Click(d, IDC_TARGET_REGISTER);
        });
        ASSERT_EQ(RegisterUser(nullptr), 1);
        EXPECT_TRUE(driver.done());
        EXPECT_EQ(std::string(CurrentHeader().name), c.field == IDC_USER_NAME ? c.held : name);
        EXPECT_EQ(std::string(CurrentHeader().targetMessage), c.field == IDC_TARGET_MESSAGE ? c.held : "歩く");
    }
}

TEST_F(UserDialogs, AmendStartsFromTheOpenUserAndSurvivesACancelledTarget) {
    RegisterUsers({kHanako});
    DialogDriver driver;
    driver.On(
        "ユーザーの修正",
        [](HWND d) {
            EXPECT_EQ(DialogDriver::Text(d, IDC_USER_NAME), "山田花子");
            EXPECT_EQ(DialogDriver::Text(d, IDC_USER_AGE), "30");
            EXPECT_EQ(DialogDriver::Text(d, IDC_USER_SEX), "女性");
            EXPECT_EQ(DialogDriver::Text(d, IDC_USER_HEIGHT), "160.0");
            EXPECT_EQ(SendDlgItemMessageA(d, IDC_USER_HEIGHT_SPIN, UDM_GETPOS32, 0, 0), 1600);
            EXPECT_EQ(DialogDriver::FocusId(d), IDC_USER_AGE);
            EXPECT_TRUE(GetWindowLongA(GetDlgItem(d, IDC_USER_NAME), GWL_STYLE) & ES_READONLY);
            DialogDriver::Type(d, IDC_USER_AGE, "31");
            DialogDriver::Type(d, IDC_USER_HEIGHT, "161.5");
            DialogDriver::Click(d, IDC_USER_REGISTER);
        },
        "user_amend");
    driver.On("目標を決める", [](HWND d) { DialogDriver::Click(d, IDCANCEL); });
    driver.On("ユーザーの修正", [](HWND d) {
        EXPECT_EQ(DialogDriver::Text(d, IDC_USER_AGE), "31");  // still open, values kept
        DialogDriver::Click(d, IDC_USER_REGISTER);
    });
    driver.On("目標を決める", [](HWND d) {
        EXPECT_EQ(DialogDriver::Text(d, IDC_TARGET_WEIGHT), "55.0");
        EXPECT_EQ(DialogDriver::Text(d, IDC_TARGET_BODYFAT), "22.0");
        EXPECT_EQ(DialogDriver::Text(d, IDC_TARGET_MESSAGE), "毎日歩く");
        DialogDriver::Type(d, IDC_TARGET_WEIGHT, "200.0");
        DialogDriver::Click(d, IDC_TARGET_REGISTER);
    });
    EXPECT_EQ(AmendUserDialog(nullptr), 1);
    EXPECT_TRUE(driver.done());
    ASSERT_EQ(driver.boxes().size(), 1u);
    EXPECT_EQ(driver.boxes()[0].text, "目標を設定します。\n\nよろしいですか？");
    UserHeader header;
    ASSERT_TRUE(ReadHeaderFile(0, &header));
    EXPECT_EQ(header.age, 31);
    EXPECT_EQ(header.height, 161.5);
    EXPECT_EQ(header.targetWeight, 200.0);
    EXPECT_STREQ(header.name, "山田花子");
    EXPECT_EQ(CurrentHeader().age, 31);
}

TEST_F(UserDialogs, ACancelledTargetDialogCreatesNoUserAndLeavesTheItemsAsTheyWere) {
    InputItems() = InputItemFlags{{0, 1, 1, 1, 1, 1, 1}};
    DialogDriver driver;
    driver.On("新規作成", [](HWND d) {
        DialogDriver::Type(d, IDC_USER_NAME, kHanako.name);
        DialogDriver::Click(d, IDC_USER_REGISTER);
    });
    driver.On("目標を決める", [](HWND d) {
        // The target dialog offers the fields of a new user's items: body fat only.
        EXPECT_FALSE(GetWindowLongA(GetDlgItem(d, IDC_TARGET_BODYFAT), GWL_STYLE) & ES_READONLY);
        DialogDriver::Click(d, IDCANCEL);
    });
    EXPECT_EQ(RegisterUser(nullptr), 0);
    EXPECT_TRUE(driver.done());
    EXPECT_TRUE(driver.boxes().empty());
    EXPECT_TRUE(UsersRows().empty());
    EXPECT_FALSE(FileThere("0.DAT"));
    EXPECT_FALSE(IsUserOpen());
    EXPECT_EQ(std::vector<unsigned char>(InputItems().on, InputItems().on + 7),
              (std::vector<unsigned char>{0, 1, 1, 1, 1, 1, 1}))
        << "the items as they were, not the new user's";
}

TEST_F(UserDialogs, AmendWithoutAnOpenUserIsRefusedBeforeAnyTarget) {
    DialogDriver driver;
    driver.On("ユーザーの修正", [](HWND d) {
        DialogDriver::Type(d, IDC_USER_AGE, "30");
        DialogDriver::Type(d, IDC_USER_HEIGHT, "160.0");
        DialogDriver::Click(d, IDC_USER_REGISTER);
    });
    driver.On("ユーザーの修正", [](HWND d) { DialogDriver::Click(d, IDCANCEL); });  // no target dialog came
    EXPECT_EQ(AmendUserDialog(nullptr), 0);
    EXPECT_TRUE(driver.done());
    ASSERT_EQ(driver.boxes().size(), 1u);
    EXPECT_EQ(driver.boxes()[0].text, "ユーザーが開かれていないため、修正できません。");
    EXPECT_EQ(driver.boxes()[0].caption, "新規作成");
    EXPECT_FALSE(FileThere("0.DAT"));
}

}  // namespace
