// The program's resources as Windows hands them out under code page 932.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resources/resource.h"
#include "resources/texts.h"

namespace {

TEST(Resources, AnsiCodePageIsJapanese) { EXPECT_EQ(GetACP(), 932u); }

TEST(Resources, StringTableMatchesPortableTexts) {
    char text[256] = {};
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), ID_DAY_EDIT, text, sizeof(text)), 0);
    EXPECT_EQ(std::string(text), "選択した日の記録を修正します\n修正");
    EXPECT_STREQ(text, PelmoText(ID_DAY_EDIT));
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), IDR_MAINFRAME, text, sizeof(text)), 0);
    EXPECT_STREQ(text, "Pelmo free");
}

TEST(Resources, MenuTextsAreShiftJis) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(menu, nullptr);
    char text[256] = {};
    GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_EQ(std::string(text), std::string("\x83\x74\x83\x40\x83\x43\x83\x8B"));  // ファイル
    GetMenuStringA(menu, ID_USER_NEW, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "ユーザーの新規作成");
    GetMenuStringA(menu, ID_HELP_WEBPAGE, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "KoroWorksホームページ");
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    DestroyMenu(menu);
}

TEST(Resources, AcceleratorTableIsComplete) {
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    ACCEL entries[32];
    int count = CopyAcceleratorTableA(table, entries, 32);
    ASSERT_EQ(count, 14);
    EXPECT_EQ(entries[0].cmd, ID_USER_NEW);
    EXPECT_EQ(entries[0].key, 'N');
    EXPECT_EQ(entries[0].fVirt & (FCONTROL | FVIRTKEY), FCONTROL | FVIRTKEY);
    EXPECT_EQ(entries[12].cmd, ID_PREV_PANE);
    EXPECT_EQ(entries[12].key, VK_F6);
    EXPECT_TRUE(entries[12].fVirt & FSHIFT);
    // The report's print command, as the record list's own Ctrl+P sends it.
    EXPECT_EQ(entries[13].cmd, ID_RECORDS_PRINT);
    EXPECT_EQ(entries[13].key, 'P');
    EXPECT_EQ(entries[13].fVirt & (FCONTROL | FVIRTKEY), FCONTROL | FVIRTKEY);
    DestroyAcceleratorTable(table);
}

// The manifest asks Windows not to stretch the program on a high-DPI screen and
// leaves the common controls at their classic version.
TEST(Resources, ManifestDeclaresDpiAwarenessAndTheClassicControls) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string manifest(data, SizeofResource(module, found));
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"),
              std::string::npos);
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
}

}  // namespace
