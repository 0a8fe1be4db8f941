#include "report/report_content.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "charts/chart_items.h"
#include "evaluation/bmi.h"
#include "evaluation/trend.h"
#include "resources/resource.h"
#include "resources/texts.h"

namespace {


std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...) {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

std::string Trimmed(const char* text) {
    std::string trimmed = text;
    const std::size_t first = trimmed.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return trimmed.substr(first, trimmed.find_last_not_of(' ') - first + 1);
}

std::string ShownDate(const char* key) {
    char shown[kShownDateSize];
    ShownDateOfKey(key, shown);
    return shown;
}

std::string ShownDate(const CalendarDate& date) {
    char shown[kShownDateSize];
    FormatShownDate(date, shown);
    return shown;
}

// The weighed days of the period: their average, the first and the last.
struct WeightFigures {
    int days = 0;
    double average = 0;
    uint32_t first = 0, last = 0;
};

WeightFigures WeightFiguresOf(const DailyRecord* records, const RecordRange& range) {
    WeightFigures figures;
    double sum = 0;
    for (uint32_t i = range.first; i < range.end; ++i) {
        if (!(records[i].weight > 0)) continue;
        if (figures.days == 0) figures.first = i;
        figures.last = i;
        sum += records[i].weight;
        ++figures.days;
    }
    if (figures.days > 0) figures.average = sum / figures.days;
    return figures;
}

// The trend's figures on the period's last weighed day: its weekly rate and
// where it is heading for the target weight.
TrendFigures TrendAtEnd(const ReportInput& input, const TrendSeries& trend, const WeightFigures& weights) {
    if (weights.days == 0) return TrendFigures();
    const long day = DayNumberOfDate(input.records[weights.last].date);
    return TrendFiguresOn(trend, input.records, input.count, TrendQuantity::kWeight, day, input.header->targetWeight);
}

std::string OutlookText(const TrendFigures& figures) {
    if (!figures.known) return PelmoText(IDS_REPORT_PROJECTION_NONE);
    if (figures.projection.outlook == TargetOutlook::kDate) {
        char date[kShownDateSize];
        DateOfDayNumber(figures.projection.day, date);
        return Printf(PelmoText(IDS_REPORT_PROJECTION), date);
    }
    return Printf("（%s）", TargetOutlookWords(figures.projection.outlook));
}

std::vector<std::string> SummaryLines(const ReportInput& input, const RecordRange& range, const TrendSeries& trend) {
    const UserHeader& header = *input.header;
    const DailyRecord* records = input.records;
    const WeightFigures weights = WeightFiguresOf(records, range);
    std::vector<std::string> lines;
    if (weights.days == 0) {
        lines.push_back(PelmoText(IDS_REPORT_NO_WEIGHT));
    } else {
        const double bmi = BmiOfWeight(weights.average, header.height);
        if (bmi > 0)
            lines.push_back(Printf(PelmoText(IDS_REPORT_AVERAGE), ShownTenths(weights.average), weights.days,
                                   ShownTenths(bmi), BmiClassName(GetBmiClass(bmi))));
        else
            lines.push_back(Printf(PelmoText(IDS_REPORT_AVERAGE_NO_HEIGHT), ShownTenths(weights.average),
                                   weights.days));
        const DailyRecord& first = records[weights.first];
        const DailyRecord& last = records[weights.last];
        lines.push_back(Printf(PelmoText(IDS_REPORT_CHANGE), ShownTenths(last.weight - first.weight),
                               ShownDate(first.date).c_str(), ShownTenths(first.weight), ShownDate(last.date).c_str(),
                               ShownTenths(last.weight)));
    }
    const TrendFigures figures = TrendAtEnd(input, trend, weights);
    if (figures.known && figures.rate.known)
        lines.push_back(Printf(PelmoText(IDS_REPORT_RATE), figures.rate.kgPerWeek, ShownTenths(figures.trend)));
    else
        lines.push_back(PelmoText(IDS_REPORT_RATE_NONE));
    const NormalWeightRange normal = NormalWeightOf(header.height);
    if (normal.upper > 0 && weights.days > 0) {
        const Appropriateness fit = AppropriatenessOf(weights.average, normal);
        const std::string distance =
            fit.difference == 0 ? std::string(PelmoText(IDS_REPORT_NORMAL_INSIDE))
                                : Printf(PelmoText(fit.difference > 0 ? IDS_REPORT_NORMAL_ABOVE : IDS_REPORT_NORMAL_BELOW),
                                         ShownTenths(std::fabs(fit.difference)));
        lines.push_back(Printf(PelmoText(IDS_REPORT_NORMAL), ShownTenths(normal.lower), ShownTenths(normal.upper),
                               distance.c_str()));
    } else {
        lines.push_back(PelmoText(IDS_REPORT_NORMAL_NONE));
    }
    lines.push_back(Printf(PelmoText(IDS_REPORT_TARGET), ShownTenths(header.targetWeight),
                           OutlookText(figures).c_str()));
    return lines;
}

}  // namespace

ReportContent BuildReportContent(const ReportInput& input) {
    ReportContent content;
    const UserHeader& header = *input.header;
    const RecordRange range = RecordsOfPeriod(input.period, input.records, input.count);
    char period[64];
    FormatPeriod(input.period, period, sizeof period);

    content.title = PelmoText(IDS_REPORT_TITLE);
    content.details.push_back(Printf(PelmoText(IDS_REPORT_NAME_PERIOD), header.name, period,
                                     PeriodDayCount(input.period), range.Count()));
    content.details.push_back(Printf(PelmoText(IDS_REPORT_HEIGHT_TARGET), ShownTenths(header.height),
                                     ShownTenths(header.targetWeight), ShownDate(input.printedOn).c_str()));
    for (int i = 0; i < kRecordTableColumns; ++i) {
        content.columnTitles[i] = Trimmed(PelmoText(IDS_TABLE_TITLE_DATE + i));
        if (i > 0) content.columnUnits[i] = Trimmed(PelmoText(IDS_TABLE_UNIT_WEIGHT + i - 1));
    }
    content.columnTitles[kReportColumns - 1] = PelmoText(IDS_REPORT_DIARY_COLUMN);

    for (uint32_t i = range.first; i < range.end; ++i) {
        ReportRow row;
        std::memcpy(row.key, input.records[i].date, kDateLength);
        row.cells = FormatRecordRow(input.records[i], header);
        row.diary.assign(input.records[i].diary, strnlen(input.records[i].diary, kDiaryCapacity));
        content.rows.push_back(row);
    }
    content.summaryTitle = PelmoText(IDS_REPORT_SUMMARY_TITLE);
    // The trend runs through the whole diary: the days before the period carry it in.
    content.weightTrend = ComputeTrend(input.records, input.count, TrendQuantity::kWeight);
    content.summary = SummaryLines(input, range, content.weightTrend);
    content.graphPeriod = GraphPeriodOfReport(input.period, input.records, input.count);
    content.leftItem = input.leftItem;
    content.rightItem = input.rightItem;
    if (content.leftItem == kChartNone && content.rightItem == kChartNone) content.leftItem = kChartWeight;
    return content;
}

std::string RowDateText(const std::vector<ReportRow>& rows, int i, bool firstOnPage) {
    const char* key = rows[static_cast<std::size_t>(i)].key;
    const bool yearChanges = i > 0 && std::memcmp(rows[static_cast<std::size_t>(i) - 1].key, key, 4) != 0;
    if (firstOnPage || i == 0 || yearChanges) return ShownDate(key);
    return Printf("%.2s/%.2s", key + 4, key + 6);
}
