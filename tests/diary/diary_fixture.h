// What the diary tests share: a closed store at the start and end of every
// test, and a message box that remembers what it showed (the portable core
// shows nothing: it returns notices).
#ifndef PELMO_TESTS_DIARY_FIXTURE_H
#define PELMO_TESTS_DIARY_FIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diary/diary_store.h"
#include "diary/records.h"

struct ShownMessage {
    std::string text;
    std::string caption;
    unsigned type;
};

namespace diarytest {
extern std::vector<ShownMessage> messages;
}  // namespace diarytest

class DiaryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A record of date "YYYYMMDD" with a weight, marks in the reserved blocks and a diary.
DailyRecord TestDay(const char* date, double weight = 60.0);
// The dates of the store in order, "d1 d2 ...".
std::string StoredDates();

#endif
