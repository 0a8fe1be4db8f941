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
    // Every menu and item has its access key after its text, and the items
    // with a key show it after a tab.
    const char* popups[] = {"ファイル(&F)", "編集(&E)", "表示(&V)", "決める(&S)", "ヘルプ(&H)"};
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    for (int i = 0; i < 5; ++i) {
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(text, popups[i]);
    }
    struct {
        UINT id;
        const char* text;
    } items[] = {
        {ID_USER_NEW, "ユーザーの新規作成(&N)...\tCtrl+N"},
        {ID_USER_OPEN, "ユーザーを開く(&O)...\tCtrl+O"},
        {ID_USER_AMEND, "ユーザーの修正(&A)...\tCtrl+A"},
        {ID_USER_DELETE, "ユーザーの削除(&D)...\tCtrl+D"},
        {ID_DATA_BACKUP, "データの保存(バックアップ)(&B)..."},
        {ID_DATA_RESTORE, "データの復帰(リストア)(&R)..."},
        {ID_APP_EXIT, "ペルモの終了(&X)"},
        {ID_DAY_NEW, "入力(&I)...\tF3"},
        {ID_DAY_EDIT, "修正(&M)...\tF2"},
        {ID_DAY_DELETE, "削除(&D)\tDel"},
        {ID_RECORDS_COPY, "まとめてコピー(&C)"},
        {ID_TABLE_PASTE, "表から貼り付け(&P)\tCtrl+V"},
        {ID_VIEW_TOOLBAR, "ツールバー(&T)"},
        {ID_SET_TARGET, "目標を決める(&T)..."},
        {ID_SET_ITEMS, "入力する項目を決める(&I)..."},
        {ID_SET_COLOR, "画面のカラーを決める(&C)..."},
        {ID_HELP_CONTENTS, "目次(&C)"},
        {ID_HELP_WEBPAGE, "KoroWorksホームページ(&W)..."},
        {ID_APP_ABOUT, "ペルモについて(&A)..."},
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
