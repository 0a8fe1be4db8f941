// Days in and out as files through the running program's menu, as a person
// does it: the file chosen, the preview read and answered, the diary, its
// file and the record table afterwards; the undo; the clipboard's table; the
// export's file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "corelib/dates.h"
#include "corelib/files.h"
#include "diary/dialogs/dialog_driver.h"
#include "diary/diary_store.h"
#include "export/csv_export.h"
#include "export/files/csv_files.h"
#include "export/import_plan.h"
#include "resources/resource.h"
#include "shell/pelmo_view.h"
#include "shell/shell_fixture.h"
#include "support/sandbox.h"
#include "view/diary_state.h"

namespace {

const char kPreviewTitle[] = "読み込む前の確認";

std::string g_chosen;      // the file the person picks
int g_filter = 0;          // and its type in the save dialog
std::string g_proposed;    // what the save dialog proposed

bool Choose(HWND, bool save, std::string* path, int* filter) {
    if (save) g_proposed = *path;
    *path = g_chosen;
    if (save) *filter = g_filter;
    return true;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

int ListLines() {
    return static_cast<int>(SendDlgItemMessageA(CPelmoView::DiaryWindow(), kRecordListId, LB_GETCOUNT, 0, 0));
}

std::string ListItem(HWND dialog, int index) {
    char text[256] = {};
    SendDlgItemMessageA(dialog, IDC_IMPORT_REFUSED_LIST, LB_GETTEXT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(text));
    return text;
}

class CsvFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterStoredUser(0, "佐藤一郎", "", {"20240502"});
        SetSetting("UserName", "佐藤一郎");
        started_.reset(new StartedFrame);
        SetFileChoiceFunction(Choose);
    }
    void TearDown() override {
        SetFileChoiceFunction(nullptr);
        started_.reset();
        ForgetImport();
    }
    void Run(unsigned command) {
        SendMessageA(started_->frame(), WM_COMMAND, command, 0);
        PumpMessages(200);
    }
    // A key with a modifier held, pressed in the record table and read through
    // the main window's keys as the program's message loop reads it.
    bool PressKey(BYTE modifier, WORD key) {
        HACCEL keys = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[modifier] = 0x80;
        SetKeyboardState(state);
        MSG message = {GetDlgItem(CPelmoView::DiaryWindow(), kRecordListId), WM_KEYDOWN, key, 0, 0, {0, 0}};
        const bool translated = TranslateAcceleratorA(started_->frame(), keys, &message) != 0;
        state[modifier] = 0;
        SetKeyboardState(state);
        PumpMessages(200);
        return translated;
    }
    Sandbox sandbox_;
    std::unique_ptr<StartedFrame> started_;
};

TEST_F(CsvFilesTest, AFileIsPreviewedImportedAndUndone) {
    ASSERT_TRUE(IsUserOpen());
    const std::string file = sandbox_.path("体重の記録.csv");
    WriteFile(file, "日付,体重,メモ\r\n2024/05/01,65.5,はじめ\r\n2024/05/02,64.0,\r\n2024/13/01,60\r\n2024/05/03,64.5,\r\n");
    g_chosen = file;
    const std::string before = ReadFile(sandbox_.path("0.DAT"));

    // Cancel changes nothing.
    {
        DialogDriver driver;
        driver.On(kPreviewTitle, [](HWND d) { DialogDriver::Click(d, IDCANCEL); });
        Run(ID_CSV_IMPORT);
        EXPECT_TRUE(driver.done());
        EXPECT_TRUE(driver.boxes().empty());
        EXPECT_EQ(DiaryRecordCount(), 1u);
        EXPECT_TRUE(ReadFile(sandbox_.path("0.DAT")) == before);
    }
    {
        DialogDriver driver;
        driver.On(
            kPreviewTitle,
            [](HWND d) {
                EXPECT_EQ(DialogDriver::Text(d, IDC_IMPORT_SOURCE), "体重の記録.csv (Shift-JIS、カンマ区切り)");
                EXPECT_EQ(DialogDriver::Text(d, IDC_IMPORT_NEW), "新しい日: 2 日");
                EXPECT_EQ(DialogDriver::Text(d, IDC_IMPORT_DIFFERENT), "日記にあって値が違う日: 1 日");
                EXPECT_EQ(DialogDriver::Text(d, IDC_IMPORT_SAME), "日記と同じ日: 0 日");
                EXPECT_EQ(DialogDriver::Text(d, IDC_IMPORT_REFUSED), "読み込まない行: 1 行");
                EXPECT_EQ(ListItem(d, 0), "4 行目: 「2024/13/01」という日はありません");
                EXPECT_EQ(IsDlgButtonChecked(d, IDC_IMPORT_KEEP), BST_CHECKED);
                EXPECT_EQ(IsDlgButtonChecked(d, IDC_IMPORT_KG), BST_CHECKED);
                // Pounds first, then back: the counts follow the unit.
                SendDlgItemMessageA(d, IDC_IMPORT_LB, BM_CLICK, 0, 0);
                EXPECT_EQ(DialogDriver::Text(d, IDC_IMPORT_NEW), "新しい日: 2 日");
                SendDlgItemMessageA(d, IDC_IMPORT_KG, BM_CLICK, 0, 0);
                SendDlgItemMessageA(d, IDC_IMPORT_TAKE, BM_CLICK, 0, 0);
                DialogDriver::Click(d, IDOK);
            },
            "import_preview");
        Run(ID_CSV_IMPORT);
        EXPECT_TRUE(driver.done());
        ASSERT_EQ(driver.boxes().size(), 1u);
        EXPECT_EQ(driver.boxes()[0].text, "3 日分の記録を読み込みました。\n(新しい日 2 日、値を変えた日 1 日)");
    }
    ASSERT_EQ(DiaryRecordCount(), 3u);
    EXPECT_EQ(+DiaryRecords()[1].weight, 64.0);
    EXPECT_EQ(ListLines(), 4);  // a line per day and the blank one
    EXPECT_FALSE(HasUnsavedChanges());
    EXPECT_EQ(ReadFile(sandbox_.path("0.DAT")).size(), sizeof(UserHeader) + 3 * sizeof(DailyRecord));

    // "読み込みを元に戻す" says what it undoes, then puts the diary back.
    {
        DialogDriver driver;
        driver.Answer(IDOK);
        Run(ID_IMPORT_UNDO);
        ASSERT_EQ(driver.boxes().size(), 2u);
        EXPECT_EQ(driver.boxes()[0].text,
                  "最後の読み込みで加えた 2 日と値を変えた 1 日を取り消して、読み込む前の日記に戻します。\n\nよろしいですか？");
        EXPECT_EQ(driver.boxes()[1].text, "読み込む前の日記に戻しました。");
    }
    ASSERT_EQ(DiaryRecordCount(), 1u);
    EXPECT_EQ(+DiaryRecords()[0].weight, 55.0);
    EXPECT_EQ(ListLines(), 2);
    EXPECT_EQ(ReadFile(sandbox_.path("0.DAT")).size(), sizeof(UserHeader) + sizeof(DailyRecord));
    {
        DialogDriver driver;
        Run(ID_IMPORT_UNDO);
        ASSERT_EQ(driver.boxes().size(), 1u);
        EXPECT_EQ(driver.boxes()[0].text, kNothingToUndoText);
    }
}

// A table of megabytes is read with its progress shown; the preview names
// every line it leaves out, and lists the first 5,000 of them.
TEST_F(CsvFilesTest, ALargeTableShowsItsProgressAndEveryLeftOutLine) {
    std::string text = "date,weight\r\n";
    for (int i = 0; i < 60000; ++i) text += "2024/05/" + std::to_string(10 + i % 20) + ",65.00\r\n";
    ASSERT_GT(text.size(), 1u << 20);
    g_chosen = sandbox_.path("large.csv");
    WriteFile(g_chosen, text);
    DialogDriver driver;
    driver.On(kPreviewTitle, [](HWND d) {
        EXPECT_EQ(DialogDriver::Text(d, IDC_IMPORT_NEW), "新しい日: 20 日");
        EXPECT_EQ(DialogDriver::Text(d, IDC_IMPORT_REFUSED), "読み込まない行: 59980 行(最初の5000行を表示)");
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_IMPORT_REFUSED_LIST, LB_GETCOUNT, 0, 0), 5000);
        EXPECT_EQ(ListItem(d, 0), "22 行目: 2024/05/10 の2つめ以降の記録です(2 行目を読み込みます)");
        DialogDriver::Click(d, IDCANCEL);
    });
    Run(ID_CSV_IMPORT);
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(DiaryRecordCount(), 1u);
    EXPECT_TRUE(IsWindowEnabled(started_->frame()));
}

TEST_F(CsvFilesTest, ASpreadsheetsCellsArePastedFromTheClipboard) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const wchar_t cells[] = L"日付\t体重\t体脂肪率\r\n2024/05/01\t65.3\t22.1\r\n2024/05/03\t64.9\t\r\n";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof cells);
    std::memcpy(GlobalLock(block), cells, sizeof cells);
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
    DialogDriver driver;
    driver.On(kPreviewTitle, [](HWND d) {
        EXPECT_EQ(DialogDriver::Text(d, IDC_IMPORT_SOURCE), "クリップボードの表 (UTF-16、タブ区切り)");
        EXPECT_EQ(DialogDriver::Text(d, IDC_IMPORT_NEW), "新しい日: 2 日");
        DialogDriver::Click(d, IDOK);
    });
    // The menu's command, and a paste's keys where the focus is in the record table.
    driver.On(kPreviewTitle, [](HWND d) {
        EXPECT_EQ(DialogDriver::Text(d, IDC_IMPORT_SAME), "日記と同じ日: 2 日");
        DialogDriver::Click(d, IDCANCEL);
    });
    driver.On(kPreviewTitle, [](HWND d) { DialogDriver::Click(d, IDCANCEL); });
    Run(ID_TABLE_PASTE);
    EXPECT_TRUE(PressKey(VK_CONTROL, 'V'));
    EXPECT_TRUE(PressKey(VK_SHIFT, VK_INSERT));
    EXPECT_TRUE(driver.done());
    ASSERT_EQ(DiaryRecordCount(), 3u);
    EXPECT_EQ(+DiaryRecords()[0].bodyFat, 22.1);
    EXPECT_EQ(ListLines(), 4);
    // The copy kept for the undo serves this run only.
    EXPECT_TRUE(FileExists("0.DAT.UNDO"));
    started_.reset();
    EXPECT_FALSE(FileExists("0.DAT.UNDO"));
}

TEST_F(CsvFilesTest, TheExportWritesTheFileOrNamesItsFailure) {
    const CalendarDate today = Today();
    char proposed[64];
    std::snprintf(proposed, sizeof proposed, "佐藤一郎_%04d%02d%02d.csv", today.year, today.month, today.day);
    g_chosen = sandbox_.path("書き出し.csv");
    g_filter = kCsvShiftJisFilter;
    {
        DialogDriver driver;
        Run(ID_CSV_EXPORT);
        EXPECT_EQ(g_proposed, proposed);
        ASSERT_EQ(driver.boxes().size(), 1u);
        EXPECT_EQ(driver.boxes()[0].text, "1 日分の記録をファイル「" + g_chosen + "」に書き出しました。");
    }
    const std::string text = ReadFile(g_chosen);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "日付,体重(kg),体脂肪率(%),ＢＭＩ,判定,体重トレンド(kg),日記");
    EXPECT_NE(text.find("\r\n2024/05/02,"), std::string::npos);

    g_filter = kCsvUtf8Filter;
    g_chosen = sandbox_.path("ない\\フォルダ\\書き出し.csv");
    {
        DialogDriver driver;
        Run(ID_CSV_EXPORT);
        ASSERT_EQ(driver.boxes().size(), 1u);
        EXPECT_EQ(driver.boxes()[0].text.find("ファイル「" + g_chosen + "」に書き出せませんでした。"), 0u);
    }
    EXPECT_FALSE(FileExists(g_chosen.c_str()));
    EXPECT_FALSE(FileExists((g_chosen + ".new").c_str()));
}

}  // namespace
