// The open, view, delete and input-item dialogs over a table of registered users.
#include <cstring>

#include "corelib/files.h"
#include "corelib/msgbox.h"
#include "diary/dialogs/dialog_fixture.h"
#include "diary/dialogs/user_dialogs.h"
#include "diary/diary_store.h"
#include "resources/resource.h"

namespace {

const NewUser kHanako = {"山田花子", "30", 1, "160.0", "55.0", "22.0", "歩く"};
const NewUser kSato = {"佐藤", "41", 0, "172.5", "68.0", "18.0", "走る"};
const NewUser kSuzuki = {"鈴木", "25", 1, "155.0", "48.0", "20.0", "泳ぐ"};
const NewUser kYamada = {"山田", "52", 0, "168.0", "65.0", "20.0", "量る"};

using UserListDialogs = DialogTest;

std::vector<std::string> ListLines(HWND dialog, int id) {
    std::vector<std::string> lines;
    int count = static_cast<int>(SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        SendDlgItemMessageA(dialog, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        lines.push_back(text);
    }
    return lines;
}

std::string Padded(const char* name) {
    std::string text = name;
    text.resize(30, ' ');
    return text;
}

TEST_F(UserListDialogs, OpenListsEveryoneSearchesAndAsksBeforeOpening) {
    RegisterUsers({kHanako, kSato, kSuzuki});
    DialogDriver driver;
    driver.On(
        "ユーザーを開く",
        [](HWND d) {
            EXPECT_EQ(ListLines(d, IDC_SEARCH_LIST), (std::vector<std::string>{Padded("山田花子"), Padded("佐藤"), Padded("鈴木")}));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_SEARCH_OPEN)));
            EXPECT_EQ(DialogDriver::FocusId(d), IDC_SEARCH_LIST);
            DialogDriver::Type(d, IDC_SEARCH_KEYWORD, "佐藤");
            DialogDriver::Key(d, IDC_SEARCH_KEYWORD, VK_RETURN);  // Enter in the keyword searches
        },
        "search_dialog");
    driver.On("ユーザーを開く", [](HWND d) {
        EXPECT_EQ(ListLines(d, IDC_SEARCH_LIST), (std::vector<std::string>{Padded("佐藤")}));
        DialogDriver::Type(d, IDC_SEARCH_KEYWORD, "田中");
        DialogDriver::Click(d, IDC_SEARCH_BUTTON);
    });
    driver.On("ユーザーを開く", [](HWND d) {
        EXPECT_TRUE(ListLines(d, IDC_SEARCH_LIST).empty());
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_SEARCH_OPEN)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_SEARCH_VIEW)));
        DialogDriver::Type(d, IDC_SEARCH_KEYWORD, "");
        DialogDriver::Click(d, IDC_SEARCH_BUTTON);
    });
    driver.On("ユーザーを開く", [](HWND d) {
        SendDlgItemMessageA(d, IDC_SEARCH_LIST, LB_SETCURSEL, 2, 0);
        DialogDriver::Click(d, IDC_SEARCH_VIEW);
    });
    driver.On(
        "ユーザー",
        [](HWND d) {
            EXPECT_EQ(DialogDriver::Text(d, IDC_USER_NAME), Padded("鈴木"));
            EXPECT_EQ(DialogDriver::Text(d, IDC_USER_AGE), "25 歳");
            EXPECT_EQ(DialogDriver::Text(d, IDC_USER_SEX), "女性");
            EXPECT_EQ(DialogDriver::Text(d, IDC_USER_HEIGHT), "155.0 cm");
            EXPECT_EQ(DialogDriver::Text(d, IDC_USER_ACTIVITY), "低い");
            DialogDriver::Click(d, IDOK);
        },
        "view_userinfo");
    driver.On("ユーザーを開く", [](HWND d) {
        SendDlgItemMessageA(d, IDC_SEARCH_LIST, LB_SETCURSEL, 1, 0);
        DialogDriver::Click(d, IDC_SEARCH_OPEN);
    });
    driver.Answer(kIdNo);
    driver.On("ユーザーを開く", [](HWND d) { DialogDriver::Key(d, IDC_SEARCH_LIST, VK_RETURN); });  // Enter in the list opens
    EXPECT_EQ(OpenUserDialog(nullptr), 1);
    EXPECT_TRUE(driver.done());
    ASSERT_EQ(driver.boxes().size(), 2u);
    EXPECT_EQ(driver.boxes()[1].text, "佐藤 さんを読み込みます。よろしいですか？");
    EXPECT_EQ(driver.boxes()[1].caption, "読み込みの確認");
    EXPECT_EQ(driver.boxes()[1].type, kMbYesNo | kMbIconInformation);

    DialogDriver cancel;
    cancel.On("ユーザーを開く", [](HWND d) { DialogDriver::Click(d, IDCANCEL); });
    EXPECT_EQ(OpenUserDialog(nullptr), -1);
}

TEST_F(UserListDialogs, ViewOfAUserWithoutDataFileShowsOnlyTheName) {
    RegisterUsers({kSato});
    ASSERT_TRUE(DeleteFileA(sandbox_.path("0.DAT").c_str()));
    DialogDriver driver;
    driver.On("ユーザー", [](HWND d) {
        EXPECT_EQ(DialogDriver::Text(d, IDC_USER_NAME), Padded("佐藤"));
        EXPECT_EQ(DialogDriver::Text(d, IDC_USER_AGE), "");
        EXPECT_EQ(DialogDriver::Text(d, IDC_USER_ACTIVITY), "");
        DialogDriver::Click(d, IDCANCEL);
    });
    ViewUserDialog(nullptr, 0);
    EXPECT_TRUE(driver.done());
}

TEST_F(UserListDialogs, DeletingSeveralRemovesExactlyThoseAndSparesTheOpenUser) {
    RegisterUsers({kHanako, kSato, kSuzuki, kYamada});  // numbers 0..3; 山田 is open
    DialogDriver driver;
    driver.On(
        "ユーザー情報の削除",
        [](HWND d) {
            for (int line : {0, 1, 2}) SendDlgItemMessageA(d, IDC_DELETE_LIST, LB_SETSEL, TRUE, line);
            DialogDriver::Click(d, IDC_DELETE_BUTTON);
        },
        "delete_dialog");
    EXPECT_EQ(DeleteUsersDialog(nullptr), 1);
    EXPECT_TRUE(driver.done());
    ASSERT_EQ(driver.boxes().size(), 2u);
    EXPECT_EQ(driver.boxes()[0].text, "選択されたユーザー情報を削除します。\nよろしいですか？");
    EXPECT_EQ(driver.boxes()[0].caption, "削除の確認");
    EXPECT_EQ(driver.boxes()[0].type, kMbYesNo | kMbIconInformation | kMbDefButton2);
    // 山田花子 begins with the open user's name 山田: refused as being edited.
    EXPECT_EQ(driver.boxes()[1].text, "山田さんは編集中のため削除できません。");
    EXPECT_EQ(driver.boxes()[1].caption, "ユーザー情報の削除");
    EXPECT_EQ(UsersRows(), (std::vector<std::string>{"0|山田花子", "3|山田"}));
    EXPECT_TRUE(FileThere("0.DAT"));
    EXPECT_FALSE(FileThere("1.DAT"));
    EXPECT_FALSE(FileThere("2.DAT"));
    EXPECT_TRUE(FileThere("3.DAT"));

    // The smallest free number goes to the next user.
    RegisterUsers({kSuzuki});
    EXPECT_EQ(UsersRows(), (std::vector<std::string>{"0|山田花子", "3|山田", "1|鈴木"}));
    EXPECT_EQ(CurrentHeader().userNumber, 1);
}

TEST_F(UserListDialogs, DeleteAnsweredNoOrCancelledChangesNothing) {
    RegisterUsers({kSato, kSuzuki});
    DialogDriver driver;
    driver.On("ユーザー情報の削除", [](HWND d) {
        SendDlgItemMessageA(d, IDC_DELETE_LIST, LB_SETSEL, TRUE, 0);
        DialogDriver::Click(d, IDC_DELETE_BUTTON);
    });
    driver.Answer(kIdNo);
    driver.On("ユーザー情報の削除", [](HWND d) { DialogDriver::Click(d, IDCANCEL); });
    EXPECT_EQ(DeleteUsersDialog(nullptr), -1);
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(UsersRows(), (std::vector<std::string>{"0|佐藤", "1|鈴木"}));
    EXPECT_TRUE(FileThere("0.DAT"));
}

TEST_F(UserListDialogs, InputItemsAreWrittenOnlyWhenChanged) {
    RegisterUsers({kSato});
    StagingHeader() = CurrentHeader();
    ASSERT_TRUE(DeleteFileA(sandbox_.path("ITEM0.DAT").c_str()));
    DialogDriver unchanged;
    unchanged.On(
        "入力する項目を決める",
        [](HWND d) {
            EXPECT_EQ(IsDlgButtonChecked(d, IDC_ITEM_FIRST), BST_CHECKED);
            DialogDriver::Click(d, IDC_ITEM_REGISTER);
        },
        "set_item");
    EXPECT_EQ(InputItemsDialog(nullptr), 0);
    EXPECT_TRUE(unchanged.done());
    ASSERT_EQ(unchanged.boxes().size(), 1u);
    EXPECT_EQ(unchanged.boxes()[0].text, "ペルモで使用する入力項目を設定します。\n\nよろしいですか？");
    EXPECT_EQ(unchanged.boxes()[0].type, kMbOkCancel | kMbIconInformation);
    EXPECT_FALSE(FileThere("ITEM0.DAT"));

    DialogDriver off;
    off.On("入力する項目を決める", [](HWND d) {
        CheckDlgButton(d, IDC_ITEM_FIRST, BST_UNCHECKED);
        DialogDriver::Click(d, IDC_ITEM_REGISTER);
    });
    off.Answer(kIdCancel);  // Cancel in the question keeps the dialog open
    off.On("入力する項目を決める", [](HWND d) { DialogDriver::Click(d, IDC_ITEM_REGISTER); });
    EXPECT_EQ(InputItemsDialog(nullptr), 1);
    EXPECT_TRUE(off.done());
    EXPECT_EQ(FileBytes("ITEM0.DAT"), (std::vector<unsigned char>{0, 0, 0, 0, 0, 0, 0}));

    // A user loaded without the file has every item on; confirming keeps body fat only.
    InputItems() = InputItemFlags{{1, 1, 1, 1, 1, 1, 1}};
    DialogDriver all;
    all.On("入力する項目を決める", [](HWND d) { DialogDriver::Click(d, IDC_ITEM_REGISTER); });
    EXPECT_EQ(InputItemsDialog(nullptr), 1);
    EXPECT_EQ(FileBytes("ITEM0.DAT"), (std::vector<unsigned char>{1, 0, 0, 0, 0, 0, 0}));
}

TEST_F(UserListDialogs, AnInputItemFileThatCannotBeWrittenIsToldAndCancelKeepsTheOldChoice) {
    RegisterUsers({kSato});
    StagingHeader() = CurrentHeader();
    DialogDriver driver;
    driver.On("入力する項目を決める", [](HWND d) {
        CheckDlgButton(d, IDC_ITEM_FIRST, BST_UNCHECKED);
        SetAtomicFailure(AtomicFailure::kCreate);
        DialogDriver::Click(d, IDC_ITEM_REGISTER);
    });
    driver.On("入力する項目を決める", [](HWND d) { DialogDriver::Click(d, IDCANCEL); });
    EXPECT_EQ(InputItemsDialog(nullptr), 0);
    EXPECT_TRUE(driver.done());
    ASSERT_EQ(driver.boxes().size(), 2u);
    EXPECT_EQ(driver.boxes()[1].text, "入力項目の設定(ITEM*.DAT)の書込みに失敗しました。");
    EXPECT_EQ(InputItems().on[kItemBodyFat], 1);
    EXPECT_EQ(FileBytes("ITEM0.DAT"), (std::vector<unsigned char>{1, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
