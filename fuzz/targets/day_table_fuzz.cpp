// A table to import (a CSV file, a spreadsheet's cells on the clipboard) as
// ReadDayTable and PlanImport read it, in kilograms and in pounds.
//
// Promises: a refused table holds no reading; every reading has a real date
// of 1900..2099; every row is a reading or a refused line with its reason,
// numbered within the table; the plan holds one day per date in date order,
// each weight 1.0..200.0 kg and each body fat 0 or 1.0..50.0; its counts
// add up; and the plan's days written out as this program's CSV export read
// back to the same dates, weights and body fats.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "corelib/dates.h"
#include "diary/records.h"
#include "export/csv_export.h"
#include "export/day_table.h"
#include "export/import_plan.h"
#include "support/fuzz_support.h"

namespace {

long FixedOffset(long long) { return 9 * 60; }

bool RealDate(const char* key) {
    CalendarDate date{};
    return ReadDateKey(key, &date) && IsValidDate(date);
}

void CheckPlan(const DayTable& table, const ImportPlan& plan) {
    for (std::size_t i = 0; i < plan.days.size(); ++i) {
        const PlannedDay& day = plan.days[i];
        FUZZ_CHECK(day.weightKg >= 1.0 && day.weightKg <= 200.0);
        FUZZ_CHECK(day.change == DayChange::kNew);
        const double fat = day.reading->values[kColumnBodyFat];
        FUZZ_CHECK(fat == 0 || (fat >= 1.0 && fat <= 50.0));
        if (i) FUZZ_CHECK(std::memcmp(plan.days[i - 1].reading->date.key, day.reading->date.key, kDateLength) < 0);
    }
    FUZZ_CHECK(plan.newDays == static_cast<long>(plan.days.size()));
    FUZZ_CHECK(plan.days.size() + plan.refused.size() == table.readings.size() + table.refused.size());
}

// The plan's days as the export writes them, read again.
void CheckRoundTrip(const ImportPlan& plan) {
    std::vector<DailyRecord> records(plan.days.size());
    for (std::size_t i = 0; i < plan.days.size(); ++i) {
        DailyRecord& record = records[i];
        std::memcpy(record.date, plan.days[i].reading->date.key, kDateLength);
        record.weight = plan.days[i].weightKg;
        record.bodyFat = plan.days[i].reading->values[kColumnBodyFat];
    }
    UserHeader header{};
    header.height = 160;
    const InputItemFlags items = {{1, 0, 0, 0, 0, 0, 0}};
    const std::uint32_t count = static_cast<std::uint32_t>(records.size());
    const std::string text = CsvText(records.data(), count, header, items, TrendColumn());
    TableReadOptions options;
    options.localOffset = FixedOffset;
    const DayTable again = ReadDayTable(CsvFileBytes(text, CsvEncoding::kUtf8), options);
    const ImportPlan replan = PlanImport(again, WeightUnit::kKg, nullptr, 0);
    FUZZ_CHECK(replan.days.size() == records.size());
    FUZZ_CHECK(replan.refused.empty());
    for (std::size_t i = 0; i < records.size() && i < replan.days.size(); ++i) {
        FUZZ_CHECK(std::memcmp(replan.days[i].reading->date.key, records[i].date, kDateLength) == 0);
        FUZZ_CHECK(replan.days[i].weightKg == records[i].weight);
        FUZZ_CHECK(replan.days[i].reading->values[kColumnBodyFat] == records[i].bodyFat);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    DefaultFuzzFlag(argc, argv, "-max_len=8192");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    FuzzInputBegins();
    const std::string bytes(reinterpret_cast<const char*>(input), size);
    TableReadOptions options;
    options.localOffset = FixedOffset;
    const DayTable table = ReadDayTable(bytes, options);
    if (!table.refusal.empty()) {
        FUZZ_CHECK(table.readings.empty());
        return 0;
    }
    for (const DayReading& reading : table.readings) {
        FUZZ_CHECK(RealDate(reading.date.key));
        FUZZ_CHECK(reading.line >= 1);
        FUZZ_CHECK(reading.present[kColumnWeight]);
    }
    for (const RefusedLine& refused : table.refused) {
        FUZZ_CHECK(refused.line >= 1);
        FUZZ_CHECK(!refused.reason.empty());
    }
    for (WeightUnit unit : {WeightUnit::kKg, WeightUnit::kLb}) {
        const ImportPlan plan = PlanImport(table, unit, nullptr, 0);
        CheckPlan(table, plan);
        CheckRoundTrip(plan);
    }
    return 0;
}
