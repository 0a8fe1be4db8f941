#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "resources/resource.h"
#include "shell/main_frame.h"
#include "shell_fixture.h"
#include "support/sandbox.h"

namespace {

TEST(MainFrame, HasTheProductTitleAndTheWholeMenu) {
    Sandbox sandbox;
    StartedFrame started;
    HWND frame = started.frame();
    ASSERT_NE(frame, nullptr);
    PumpMessages(200);
    EXPECT_EQ(WindowText(frame), "ペルモ");
    EXPECT_NE(GetClassLongPtrA(frame, GCLP_HICON), 0);

    char text[256] = {};
    HMENU menu = GetMenu(frame);
    ASSERT_NE(menu, nullptr);
    const char* popups[] = {"ファイル", "編集", "表示", "決める", "ヘルプ"};
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    for (int i = 0; i < 5; ++i) {
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(text, popups[i]);
    }
    struct {
        UINT id;
        const char* text;
    } items[] = {
        {ID_USER_NEW, "ユーザーの新規作成"},     {ID_USER_OPEN, "ユーザーを開く"},
        {ID_USER_AMEND, "ユーザーの修正"},       {ID_USER_DELETE, "ユーザーの削除"},
        {ID_DATA_BACKUP, "データの保存(バックアップ)"}, {ID_DATA_RESTORE, "データの復帰(リストア)"},
        {ID_APP_EXIT, "ペルモの終了"},           {ID_DAY_NEW, "入力"},
        {ID_DAY_EDIT, "修正"},                   {ID_DAY_DELETE, "削除"},
        {ID_RECORDS_COPY, "まとめてコピー"},     {ID_VIEW_TOOLBAR, "ツールバー"},
        {ID_SET_TARGET, "目標を決める"},         {ID_SET_ITEMS, "入力する項目を決める"},
        {ID_SET_COLOR, "画面のカラーを決める"},  {ID_HELP_CONTENTS, "目次"},
        {ID_HELP_WEBPAGE, "KoroWorksホームページ"}, {ID_APP_ABOUT, "ペルモについて"},
    };
    for (const auto& item : items) {
        ASSERT_GT(GetMenuStringA(menu, item.id, text, sizeof(text), MF_BYCOMMAND), 0) << item.id;
        EXPECT_STREQ(text, item.text) << item.id;
    }
}

TEST(MainFrame, TitleStringIsPelmoFree) {
    char text[64] = {};
    LoadStringA(GetModuleHandleA(nullptr), IDR_MAINFRAME, text, sizeof(text));
    EXPECT_STREQ(text, "Pelmo free");
}

}  // namespace

// The caption buttons are drawn in the Marlett face: without it they show
// the letters "0 2 r". The Wine prefix that ./pelmo makes must have it.
TEST(MainFrame, TheFaceOfTheCaptionButtonsIsInstalled) {
    LOGFONTA wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(wanted.lfFaceName, "Marlett");
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(
        screen, &wanted,
        [](const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = std::strcmp(font->lfFaceName, "Marlett") == 0;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(found);
}
