// "まとめてコピー" through the real clipboard: the text a spreadsheet gets,
// the refusals, and failures that are never reported as success.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "corelib/msgbox.h"
#include "diary/diary_store.h"
#include "export/clipboard/copy_records.h"
#include "export/day_record.h"
#include "export/records_text.h"
#include "resources/resource.h"
#include "support/sandbox.h"
#include "view/diary_state.h"
#include "view/diary_window_fixture.h"

namespace {

std::vector<ShownBox> g_boxes;

int Remember(void*, const char* text, const char* caption, unsigned type) {
    g_boxes.push_back({text, caption, type});
    return kIdOk;
}

void PutOnClipboard(const char* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(block)), text);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

// The clipboard's text in format (CF_TEXT bytes or CF_UNICODETEXT as UTF-16
// bytes), up to its terminator, and the size of its block.
std::string ClipboardText(UINT format = CF_TEXT, SIZE_T* blockSize = nullptr) {
    std::string text = "<no text>";
    if (!OpenClipboard(nullptr)) return "<not opened>";
    if (HANDLE block = GetClipboardData(format)) {
        const char* bytes = static_cast<const char*>(GlobalLock(block));
        if (format == CF_UNICODETEXT)
            text.assign(bytes, std::wcslen(reinterpret_cast<const wchar_t*>(bytes)) * sizeof(wchar_t));
        else
            text = bytes;
        if (blockSize) *blockSize = GlobalSize(block);
        GlobalUnlock(block);
    }
    CloseClipboard();
    return text;
}

std::string Utf16(const wchar_t* text) { return std::string(reinterpret_cast<const char*>(text), std::wcslen(text) * 2); }

// A user of 170 cm with targets 60 kg and 20 %, whose rows were never painted.
void OpenDays(const std::vector<DailyRecord>& days) {
    UserHeader header = {};
    header.formatMark = 'A';
    header.userNumber = 1;
    std::strcpy(header.name, "表計算　花子");
    header.height = 170.0;
    header.targetWeight = 60.0;
    header.targetBodyFat = 20.0;
    DailyRecord* block = static_cast<DailyRecord*>(std::calloc(days.size() + 1, sizeof(DailyRecord)));
    for (std::size_t i = 0; i < days.size(); ++i) block[i] = days[i];
    AdoptUser(header, block, static_cast<std::uint32_t>(days.size()), static_cast<std::uint32_t>(days.size() + 1));
    SetUserOpen();
}

class CopyRecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_boxes.clear();
        SetMessageBoxFunction(Remember);
    }
    void TearDown() override {
        SetMessageBoxFunction(nullptr);
        SetClipboardFailure(ClipboardFailure::kNone);
        CloseUser();
    }
    Sandbox sandbox_;
};

TEST_F(CopyRecordsTest, TheRecordsReachTheClipboardAsShiftJisText) {
    OpenDays({Day("20040105", 65.0, 0, 22.5), Day("20040106", 64.3, 24.3), Day("20040107", 57.5, 0),
              Day("20040108", 0, 0), Day("20040109", 80.0, 0, 3.0)});
    PutOnClipboard("前のテキスト");
    EXPECT_EQ(CopyAllRecords(nullptr), 1);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].text, kCopiedText);
    EXPECT_EQ(g_boxes[0].text, "編集データをコピーしました。\n表計算ソフト等に貼り付ける事ができます。");
    EXPECT_EQ(g_boxes[0].caption, "まとめてコピー");
    EXPECT_EQ(g_boxes[0].type, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));

    SIZE_T size = 0;
    EXPECT_EQ(ClipboardText(CF_TEXT, &size),
              "日付\t体重(kg)\t体脂肪率(%)\tＢＭＩ\t判定\t目標体重との差(kg)\t目標体脂肪率との差(%)\r\n"
              "2004/01/05\t65.0\t\t22.5\t普通体重\t5.0\t\r\n"
              "2004/01/06\t64.3\t24.3\t22.2\t普通体重\t4.3\t4.3\r\n"
              "2004/01/07\t57.5\t\t19.9\t普通体重\t-2.5\t\r\n"
              "2004/01/08\t0.0\t\t0.0\t低体重　\t-60.0\t\r\n"
              "2004/01/09\t80.0\t\t27.7\t肥満度１\t20.0\t\r\n");
    EXPECT_GE(size, 6 * kRecordsTextLineSize);
    // Other programs read it as Unicode: Shift-JIS was taken as such.
    const std::string unicode = ClipboardText(CF_UNICODETEXT);
    EXPECT_EQ(unicode.find(Utf16(L"日付\tBody")), std::string::npos);
    EXPECT_EQ(unicode.find(Utf16(L"日付\t体重(kg)\t体脂肪率(%)\tＢＭＩ\t判定\t")), 0u);
    EXPECT_NE(unicode.find(Utf16(L"\t低体重\u3000\t-60.0\t\r\n")), std::string::npos);
}

TEST_F(CopyRecordsTest, RefusalsAndFailuresAreToldAndNeverReportedAsSuccess) {
    struct Case {
        const char* what;
        bool records;
        ClipboardFailure failure;
        bool holdClipboard;
        const char* told;
        bool clipboardKept;
    };
    const Case cases[] = {
        {"no records", false, ClipboardFailure::kNone, false, "コピーするデータがありません。", true},
        {"another program holds the clipboard", true, ClipboardFailure::kNone, true, "コピーに失敗しました。", true},
        {"no memory for the text", true, ClipboardFailure::kAllocate, false, "コピーに失敗しました。", true},
        {"the clipboard refuses the text", true, ClipboardFailure::kSetData, false, "コピーに失敗しました。", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_boxes.clear();
        CloseUser();
        if (c.records) OpenDays({Day("20040105", 65.0, 0)});
        PutOnClipboard("前のテキスト");
        const DWORD sequence = GetClipboardSequenceNumber();
        SetClipboardFailure(c.failure);
        HANDLE held = nullptr, release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        struct Holder {
            HANDLE opened, release;
        } holder{opened, release};
        if (c.holdClipboard) {
            held = CreateThread(
                nullptr, 0,
                [](void* parameter) -> DWORD {
                    // As another program would: with a window of its own.
                    Holder* h = static_cast<Holder*>(parameter);
                    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
                    OpenClipboard(window);
                    SetEvent(h->opened);
                    WaitForSingleObject(h->release, INFINITE);
                    CloseClipboard();
                    DestroyWindow(window);
                    return 0;
                },
                &holder, 0, nullptr);
            WaitForSingleObject(opened, INFINITE);
        }
        EXPECT_EQ(CopyAllRecords(nullptr), 0);
        if (held) {
            SetEvent(release);
            WaitForSingleObject(held, INFINITE);
            CloseHandle(held);
        }
        CloseHandle(release);
        CloseHandle(opened);
        ASSERT_EQ(g_boxes.size(), 1u);
        EXPECT_EQ(g_boxes[0].text, c.told);
        EXPECT_EQ(g_boxes[0].caption, kCopyCaption);
        EXPECT_EQ(g_boxes[0].type, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
        if (c.clipboardKept) {
            EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
            EXPECT_EQ(ClipboardText(), "前のテキスト");
        } else {
            EXPECT_EQ(ClipboardText().find("2004/01/05"), std::string::npos);
        }
    }
}

// The command of the menu and toolbar, in the diary window.
TEST_F(DiaryWindowTest, CopyCommandPutsEveryDayOnTheClipboard) {
    CreateWindows();
    OpenUser({"20260101", "20260102", "20260103"});
    PutOnClipboard("前のテキスト");
    EXPECT_EQ(Command(ID_RECORDS_COPY), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kCopiedText);
    EXPECT_EQ(boxes[0].caption, "まとめてコピー");
    const std::string text = ClipboardText();
    EXPECT_EQ(text.find(kRecordsTextHeader), 0u);
    EXPECT_NE(text.find("2026/01/03\t57.0\t\t22.3\t普通体重\t5.0\t\r\n"), std::string::npos) << text;
    EXPECT_EQ(GetFocus(), g_diary.recordList);
}

}  // namespace
