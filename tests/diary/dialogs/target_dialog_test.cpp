// The target dialog in its three modes: limits, storing, the normal-weight
// line, switched-off items and the confirmation.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "corelib/msgbox.h"
#include "diary/dialogs/dialog_fixture.h"
#include "diary/dialogs/user_dialogs.h"
#include "diary/diary_store.h"
#include "resources/resource.h"

namespace {

using TargetDialogs = DialogTest;

// Staging and current header of an open user, as the diary window prepares them for modes 1 and 2.
void PrepareOpenUser(double height, double targetWeight, double targetBodyFat) {
    UserHeader header = {};
    header.formatMark = 'A';
    std::strcpy(header.name, "山田");
    header.height = height;
    header.targetWeight = targetWeight;
    header.targetBodyFat = targetBodyFat;
    std::strcpy(header.targetMessage, "やせる");
    AdoptUser(header, nullptr, 0, 0);
    SetUserOpen();
    StagingHeader() = CurrentHeader();
}

TEST_F(TargetDialogs, WeightLimitsBodyFatWholePartAndMessageRequired) {
    StagingHeader() = UserHeader{};
    std::strcpy(StagingHeader().name, "山田");
    StagingHeader().height = 160.0;
    InputItems() = InputItemFlags{{1, 0, 0, 0, 0, 0, 0}};
    DialogDriver driver;
    driver.On(
        "目標を決める",
        [](HWND d) {
            EXPECT_EQ(DialogDriver::Text(d, IDC_TARGET_NORMAL_WEIGHT), "BMI22の普通体重は、56.3kg(47.4kg～ 63.9kg)です。");
            EXPECT_EQ(DialogDriver::Text(d, IDC_TARGET_WEIGHT), "0.0");
            EXPECT_EQ(DialogDriver::Text(d, IDC_TARGET_BODYFAT), "0.0");
            EXPECT_EQ(DialogDriver::Text(d, IDC_TARGET_MESSAGE), "");
            EXPECT_EQ(DialogDriver::FocusId(d), IDC_TARGET_WEIGHT);
            DialogDriver::Type(d, IDC_TARGET_WEIGHT, "9.9");
            DialogDriver::Click(d, IDC_TARGET_REGISTER);
        },
        "set_target");
    driver.On("目標を決める", [](HWND d) {
        EXPECT_EQ(DialogDriver::FocusId(d), IDC_TARGET_WEIGHT);
        DialogDriver::Type(d, IDC_TARGET_WEIGHT, "200.1");
        DialogDriver::Click(d, IDC_TARGET_REGISTER);
    });
    driver.On("目標を決める", [](HWND d) {
        DialogDriver::Type(d, IDC_TARGET_WEIGHT, "10.0");
        DialogDriver::Type(d, IDC_TARGET_BODYFAT, "50.1");
        DialogDriver::Click(d, IDC_TARGET_REGISTER);
    });
    driver.On("目標を決める", [](HWND d) {
        EXPECT_EQ(DialogDriver::FocusId(d), IDC_TARGET_BODYFAT);
        DialogDriver::Type(d, IDC_TARGET_BODYFAT, "22.5");
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_TARGET_BODYFAT_SPIN, UDM_GETPOS32, 0, 0), 225);
        DialogDriver::Type(d, IDC_TARGET_MESSAGE, "  ");
        DialogDriver::Click(d, IDC_TARGET_REGISTER);
    });
    driver.On("目標を決める", [&driver](HWND d) {
        EXPECT_EQ(DialogDriver::FocusId(d), IDC_TARGET_MESSAGE);
        DialogDriver::Type(d, IDC_TARGET_MESSAGE, "毎日体重を量る");
        driver.Answer(kIdNo);  // No keeps everything in the dialog
        DialogDriver::Click(d, IDC_TARGET_REGISTER);
    });
    driver.On("目標を決める", [](HWND d) {
        EXPECT_EQ(DialogDriver::Text(d, IDC_TARGET_WEIGHT), "10.0");
        EXPECT_EQ(DialogDriver::Text(d, IDC_TARGET_BODYFAT), "22.5");
        DialogDriver::Key(d, IDC_TARGET_MESSAGE, VK_RETURN);  // Enter in the message confirms
    });
    EXPECT_EQ(TargetDialog(nullptr, kTargetNewUser), 1);
    EXPECT_TRUE(driver.done());

    const char* expected[] = {"目標体重は10～200kgで入力してください。", "目標体重は10～200kgで入力してください。",
                              "目標体脂肪率は1～50％で入力してください。", "目標達成へのメッセージを入力してください。",
                              "山田さんを新規登録します。\n\nよろしいですか？", "山田さんを新規登録します。\n\nよろしいですか？"};
    ASSERT_EQ(driver.boxes().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(driver.boxes()[i].text, expected[i]);
        EXPECT_EQ(driver.boxes()[i].caption, i < 4 ? "目標の設定" : "確認");
    }
    EXPECT_EQ(StagingHeader().targetWeight, 10.0);
    EXPECT_EQ(StagingHeader().targetBodyFat, 22.0);
    EXPECT_STREQ(StagingHeader().targetMessage, "毎日体重を量る");
    EXPECT_EQ(StagingHeader().targetIntake, 0);
}

TEST_F(TargetDialogs, BodyFatOffIsBlankReadOnlyAndStoredAsZero) {
    PrepareOpenUser(202.5, 80.0, 25.0);
    InputItems() = InputItemFlags{{0, 0, 0, 0, 0, 0, 0}};
    DialogDriver driver;
    driver.On("目標を決める", [](HWND d) {
        EXPECT_EQ(DialogDriver::Text(d, IDC_TARGET_NORMAL_WEIGHT), "BMI22の普通体重は、90.2kg(75.9kg～102.4kg)です。");
        EXPECT_EQ(DialogDriver::Text(d, IDC_TARGET_WEIGHT), "80.0");
        EXPECT_EQ(DialogDriver::Text(d, IDC_TARGET_BODYFAT), "");
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(d, IDC_TARGET_BODYFAT), GWL_STYLE) & ES_READONLY);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_TARGET_BODYFAT_LABEL)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_TARGET_BODYFAT_SPIN)));
        DialogDriver::Key(d, IDC_TARGET_WEIGHT, VK_DOWN);  // body fat takes no part: on to the message
    });
    driver.On("目標を決める", [](HWND d) {
        EXPECT_EQ(DialogDriver::FocusId(d), IDC_TARGET_MESSAGE);
        DialogDriver::Click(d, IDC_TARGET_REGISTER);
    });
    EXPECT_EQ(TargetDialog(nullptr, kTargetAfterItems), 1);
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(StagingHeader().targetBodyFat, 0.0);
    EXPECT_EQ(StagingHeader().targetWeight, 80.0);
    ASSERT_EQ(driver.boxes().size(), 1u);
    EXPECT_EQ(driver.boxes()[0].text, "目標を設定します。\n\nよろしいですか？");
}

TEST_F(TargetDialogs, AnItemWithoutAFieldStopsEveryConfirmationUntilCancelled) {
    PrepareOpenUser(160.0, 55.0, 22.0);
    InputItems() = InputItemFlags{{1, 1, 1, 1, 1, 1, 1}};  // a user loaded without an input-item file
    DialogDriver driver;
    driver.On("目標を決める", [](HWND d) {
        DialogDriver::Type(d, IDC_TARGET_WEIGHT, "70.0");  // passes its check before intake stops
        DialogDriver::Click(d, IDC_TARGET_REGISTER);
    });
    driver.On("目標を決める", [](HWND d) { DialogDriver::Click(d, IDCANCEL); });
    // After the input items changed the diary window commits the staging header even when cancelled.
    EXPECT_EQ(TargetDialog(nullptr, kTargetAfterItems), 0);
    EXPECT_TRUE(driver.done());
    ASSERT_EQ(driver.boxes().size(), 1u);
    EXPECT_EQ(driver.boxes()[0].text, "目標摂取カロリーは1～9999kcalで入力してください。");
    EXPECT_EQ(StagingHeader().targetWeight, 55.0) << "a cancelled target reaches nobody";
}

}  // namespace
