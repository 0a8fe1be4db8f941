#include "diary_fixture.h"

#include <cstdio>
#include <cstring>

#include "corelib/msgbox.h"

namespace diarytest {
int answer = kIdOk;
std::vector<ShownMessage> messages;
WindowLog log;
}  // namespace diarytest

using namespace diarytest;

namespace {

int RecordMessage(void*, const char* text, const char* caption, unsigned type) {
    messages.push_back({text, caption, type});
    return answer;
}

void SetTitle(void*, const char* title) { log.title = title; }
void Refill(void*, std::size_t lines) {
    log.listLines = static_cast<long>(lines);
    log.selected = static_cast<long>(lines) - 1;
}
void AddLine(void*) { ++log.listLines; }
void DeleteLine(void*, std::size_t) { --log.listLines; }
void SelectLine(void*, std::size_t index) { log.selected = static_cast<long>(index); }
long Selected(void*) { return log.selected; }
void TellCalendar(void*, const DailyRecord*, std::uint32_t count) { log.calendarCount = count; }
int RunTargets(void*, TargetDialogMode mode) {
    ++log.targetDialogs;
    log.targetMode = mode;
    return log.targetAnswer;
}
void RestoreSelectors(void*) { ++log.selectorRestores; }
void ClearAnalysis() { ++log.analysisClears; }

}  // namespace

void DiaryTest::SetUp() {
    CloseUser();
    StagingHeader() = UserHeader{};
    InputItems() = InputItemFlags{};
    SetDiaryWindowHooks(nullptr);
    SetBlockResizeFunction(nullptr);
    SetMessageBoxFunction(RecordMessage);
    answer = kIdOk;
    messages.clear();
    log = WindowLog{};
}

void DiaryTest::TearDown() {
    CloseUser();
    SetDiaryWindowHooks(nullptr);
    SetBlockResizeFunction(nullptr);
    SetMessageBoxFunction(nullptr);
}

void DiaryTest::InstallHooks() {
    DiaryWindowHooks hooks = {};
    hooks.setMainTitle = SetTitle;
    hooks.refillRecordList = Refill;
    hooks.addRecordLine = AddLine;
    hooks.deleteRecordLine = DeleteLine;
    hooks.selectRecordLine = SelectLine;
    hooks.selectedRecordLine = Selected;
    hooks.tellCalendar = TellCalendar;
    hooks.runTargetDialog = RunTargets;
    hooks.restoreSelectors = RestoreSelectors;
    hooks.clearAnalysis = ClearAnalysis;
    SetDiaryWindowHooks(&hooks);
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
