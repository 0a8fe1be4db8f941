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

// The key an accelerator text names ("Ctrl+N", "F2", "Del") as the table holds it.
bool AcceleratorNamed(const std::string& name, const ACCEL& entry) {
    const bool control = name.rfind("Ctrl+", 0) == 0;
    const std::string key = control ? name.substr(5) : name;
    WORD code = 0;
    if (key == "Del") code = VK_DELETE;
    else if (key.size() >= 2 && key[0] == 'F') code = static_cast<WORD>(VK_F1 + std::stoi(key.substr(1)) - 1);
    else if (key.size() == 1) code = static_cast<WORD>(key[0]);
    const BYTE mods = FCONTROL | FSHIFT | FALT;
    return code != 0 && entry.key == code && (entry.fVirt & FVIRTKEY) &&
           (entry.fVirt & mods) == (control ? FCONTROL : 0);
}

// Every menu and item has one access key, "(&X)" after its text, none twice in
// one menu; an item that shows a key after a tab runs on that key.
TEST(Resources, EveryMenuItemHasItsAccessKeyAndShowsOnlyKeysThatWork) {
    HMODULE module = GetModuleHandleA(nullptr);
    HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(menu, nullptr);
    HACCEL table = LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDR_MAINFRAME));
    ACCEL entries[64];
    const int count = CopyAcceleratorTableA(table, entries, 64);
    char text[256] = {};
    GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_EQ(std::string(text), std::string("\x83\x74\x83\x40\x83\x43\x83\x8B(&F)"));  // ファイル(&F), in Shift-JIS
    // The letter of "(&X)" after a text; none for a label without exactly one.
    auto accessKey = [](const std::string& label) -> char {
        const size_t at = label.find("(&");
        if (at == std::string::npos || at == 0 || at + 3 >= label.size() || label[at + 3] != ')') return '\0';
        return label.find('&', at + 2) == std::string::npos ? label[at + 2] : '\0';
    };
    std::string barKeys;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        const char bar = accessKey(text);
        EXPECT_TRUE(bar >= 'A' && bar <= 'Z') << text;
        EXPECT_EQ(barKeys.find(bar), std::string::npos) << text;
        barKeys += bar;
        HMENU popup = GetSubMenu(menu, i);
        std::string keys;
        for (int j = 0; j < GetMenuItemCount(popup); ++j) {
            if (GetMenuItemID(popup, j) == 0) continue;  // a separator
            GetMenuStringA(popup, j, text, sizeof(text), MF_BYPOSITION);
            const std::string item = text;
            const size_t tab = item.find('\t');
            const std::string label = item.substr(0, tab);
            const char key = accessKey(label);
            EXPECT_TRUE((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) << item;
            EXPECT_EQ(keys.find(key), std::string::npos) << item;
            keys += key;
            if (tab == std::string::npos) continue;
            const UINT id = GetMenuItemID(popup, j);
            bool runs = false;
            for (int k = 0; k < count; ++k) runs = runs || (entries[k].cmd == id && AcceleratorNamed(item.substr(tab + 1), entries[k]));
            EXPECT_TRUE(runs) << item;
        }
    }
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    DestroyAcceleratorTable(table);
    DestroyMenu(menu);
}

TEST(Resources, AcceleratorTableIsComplete) {
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    ACCEL entries[32];
    int count = CopyAcceleratorTableA(table, entries, 32);
    ASSERT_EQ(count, 19);
    EXPECT_EQ(entries[0].cmd, ID_USER_NEW);
    EXPECT_EQ(entries[0].key, 'N');
    EXPECT_EQ(entries[0].fVirt & (FCONTROL | FVIRTKEY), FCONTROL | FVIRTKEY);
    // A paste's two keys run "表から貼り付け".
    EXPECT_EQ(entries[6].cmd, ID_TABLE_PASTE);
    EXPECT_EQ(entries[6].key, 'V');
    EXPECT_EQ(entries[10].cmd, ID_TABLE_PASTE);
    EXPECT_EQ(entries[10].key, VK_INSERT);
    EXPECT_EQ(entries[12].cmd, ID_PREV_PANE);
    EXPECT_EQ(entries[12].key, VK_F6);
    EXPECT_TRUE(entries[12].fVirt & FSHIFT);
    // The record table's keys, for the menu items that show them.
    EXPECT_EQ(entries[13].cmd, ID_DAY_NEW);
    EXPECT_EQ(entries[13].key, VK_F3);
    EXPECT_EQ(entries[17].cmd, ID_USER_DELETE);
    // The report's print command, as the record list's own Ctrl+P sends it.
    EXPECT_EQ(entries[18].cmd, ID_RECORDS_PRINT);
    EXPECT_EQ(entries[18].key, 'P');
    EXPECT_EQ(entries[18].fVirt & (FCONTROL | FVIRTKEY), FCONTROL | FVIRTKEY);
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
