// What the diary tests share: a closed store at the start and end of every
// test, window hooks that record what the windows were told, and a message box
// that answers as the test says and remembers what it showed.
#ifndef PELMO_TESTS_DIARY_FIXTURE_H
#define PELMO_TESTS_DIARY_FIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diary/diary_store.h"
#include "diary/records.h"
#include "diary/window_hooks.h"

struct ShownMessage {
    std::string text;
    std::string caption;
    unsigned type;
};

// What the windows were told through the hooks.
struct WindowLog {
    std::string title;
    long listLines = -1;      // after the last refill, adds and deletes
    long selected = -1;       // the record list's selection, as the list answers it
    long calendarCount = -1;  // the count the calendar was last told
    int targetDialogs = 0;
    int targetMode = -1;
    int targetAnswer = 1;     // what the target dialog returns
    int selectorRestores = 0;
    int analysisClears = 0;
};

namespace diarytest {
extern int answer;  // what the next message boxes answer
extern std::vector<ShownMessage> messages;
extern WindowLog log;
}  // namespace diarytest

class DiaryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Hooks that write into diarytest::log.
    static void InstallHooks();
};

// A record of date "YYYYMMDD" with a weight, marks in the reserved blocks and a diary.
DailyRecord TestDay(const char* date, double weight = 60.0);
// The dates of the store in order, "d1 d2 ...".
std::string StoredDates();

#endif
