#include "report/report_period.h"

#include <cstdio>

#include "charts/chart_dates.h"

namespace {

bool IsWholeMonth(const ReportPeriod& p) {
    return p.from.year == p.to.year && p.from.month == p.to.month && p.from.day == 1 &&
           p.to.day == DaysInMonth(p.to.year, p.to.month);
}

bool IsWholeYear(const ReportPeriod& p) {
    return p.from.year == p.to.year && p.from.month == 1 && p.from.day == 1 && p.to.month == 12 && p.to.day == 31;
}

}  // namespace

ReportPeriod MonthPeriod(int year, int month) {
    return ReportPeriod{{year, month, 1}, {year, month, DaysInMonth(year, month)}};
}

ReportPeriod YearPeriod(int year) { return ReportPeriod{{year, 1, 1}, {year, 12, 31}}; }

int PeriodDayCount(const ReportPeriod& period) {
    char from[kDateLength + 1], to[kDateLength + 1];
    DateKeyOf(period.from, from);
    DateKeyOf(period.to, to);
    from[kDateLength] = to[kDateLength] = '\0';
    const long first = DayNumberOfDate(from), last = DayNumberOfDate(to);
    if (first == 0 || last == 0 || last < first) return 0;
    return static_cast<int>(last - first + 1);
}

RecordRange RecordsOfPeriod(const ReportPeriod& period, const DailyRecord* records, uint32_t count) {
    if (records == nullptr) return RecordRange{0, 0};
    char from[kDateLength], to[kDateLength];
    DateKeyOf(period.from, from);
    DateKeyOf(period.to, to);
    RecordRange range{FirstRecordFrom(records, count, from, kDateLength),
                      FirstRecordAfter(records, count, to, kDateLength)};
    if (range.end < range.first) range.end = range.first;
    return range;
}

PeriodCheck CheckReportPeriod(const ReportPeriod& period, const DailyRecord* records, uint32_t count) {
    // The diary's dates start in 2000 (day 1 is 2000-01-01).
    if (!IsValidDate(period.from) || period.from.year < 2000) return PeriodCheck::kBadFrom;
    if (!IsValidDate(period.to) || period.to.year < 2000) return PeriodCheck::kBadTo;
    const int days = PeriodDayCount(period);
    if (days == 0) return PeriodCheck::kReversed;
    if (days > kReportLongestPeriod) return PeriodCheck::kTooLong;
    if (RecordsOfPeriod(period, records, count).Count() == 0) return PeriodCheck::kNoDays;
    return PeriodCheck::kFine;
}

const char* PeriodCheckMessage(PeriodCheck check) {
    switch (check) {
    case PeriodCheck::kFine: return "";
    case PeriodCheck::kBadFrom: return "開始日が正しくありません。\n2000/01/01 のように入力してください。";
    case PeriodCheck::kBadTo: return "終了日が正しくありません。\n2000/01/31 のように入力してください。";
    case PeriodCheck::kReversed: return "終了日は開始日より後の日付にしてください。";
    case PeriodCheck::kTooLong: return "期間は366日以内で指定してください。";
    case PeriodCheck::kNoDays: return "この期間には記録がありません。";
    }
    return "";
}

GraphPeriod GraphPeriodOfReport(const ReportPeriod& period, const DailyRecord* records, uint32_t count) {
    GraphPeriod graph;
    const RecordRange range = RecordsOfPeriod(period, records, count);
    graph.first = range.first;
    graph.end = range.end;
    graph.year = period.from.year;
    if (IsWholeMonth(period)) {
        graph.kind = GraphPeriodKind::kMonth;
        graph.month = period.from.month;
    } else if (IsWholeYear(period)) {
        graph.kind = GraphPeriodKind::kYear;
    } else {
        graph.kind = GraphPeriodKind::kDays;
        graph.days = PeriodDayCount(period);
        graph.start = period.from;
        if (graph.days == 0) graph.kind = GraphPeriodKind::kNone;
    }
    return graph;
}

void FormatPeriod(const ReportPeriod& period, char* out, int size) {
    std::snprintf(out, static_cast<std::size_t>(size), "%04d/%02d/%02d～%04d/%02d/%02d", period.from.year,
                  period.from.month, period.from.day, period.to.year, period.to.month, period.to.day);
}
