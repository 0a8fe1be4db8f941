#include "diary_fixture.h"

#include <cstdio>
#include <cstring>

#include "corelib/msgbox.h"

namespace diarytest {
std::vector<ShownMessage> messages;
}  // namespace diarytest

using namespace diarytest;

namespace {

int RecordMessage(void*, const char* text, const char* caption, unsigned type) {
    messages.push_back({text, caption, type});
    return kIdOk;
}

}  // namespace

void DiaryTest::SetUp() {
    CloseUser();
    StagingHeader() = UserHeader{};
    InputItems() = InputItemFlags{};
    SetBlockResizeFunction(nullptr);
    SetMessageBoxFunction(RecordMessage);
    messages.clear();
}

void DiaryTest::TearDown() {
    CloseUser();
    SetBlockResizeFunction(nullptr);
    SetMessageBoxFunction(nullptr);
}

DailyRecord TestDay(const char* date, double weight) {
    DailyRecord r = {};
    std::memcpy(r.date, date, kDateLength);
    r.weight = weight;
    r.reservedA[0] = static_cast<std::uint8_t>(date[7]);
    r.reservedB[kReservedBLength - 1] = static_cast<std::uint8_t>(date[6]);
    std::snprintf(r.diary, sizeof r.diary, "%.8s の日記", date);
    return r;
}

std::string StoredDates() {
    std::string dates;
    for (std::uint32_t i = 0; i < DiaryRecordCount(); ++i) {
        if (i) dates += ' ';
        dates.append(DiaryRecords()[i].date, kDateLength);
    }
    return dates;
}
