// Tables as other programs write them, read into days: every encoding,
// separator, date form and unit the reader knows, quoted line breaks, and
// every kind of line it refuses. Each row of a table is either a day or a
// line named with its reason; none goes without a word.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "export/day_table.h"
#include "export/import_plan.h"

namespace {

// Japan: nine hours ahead of UTC, whatever the machine's time zone.
long NineHoursAhead(long long) { return 9 * 60; }

std::string Utf16(const char16_t* text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (; *text; ++text) {
        char high = static_cast<char>(*text >> 8), low = static_cast<char>(*text & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// The days the plan takes into an empty diary, "YYYYMMDD weight[ fat][ 「diary」]"
// joined by " | ", then the refused lines "line:reason".
std::string Outcome(const DayTable& table, WeightUnit unit) {
    if (!table.refusal.empty()) return "refused: " + table.refusal.text;
    const ImportPlan plan = PlanImport(table, unit, nullptr, 0);
    std::string text;
    for (const PlannedDay& day : plan.days) {
        char line[128];
        std::snprintf(line, sizeof line, "%s%.8s %.1f", text.empty() ? "" : " | ", day.reading->date.key, day.weightKg);
        text += line;
        if (day.reading->present[kColumnBodyFat]) {
            std::snprintf(line, sizeof line, " %.1f", day.reading->values[kColumnBodyFat]);
            text += line;
        }
        if (day.reading->present[kColumnDiary]) text += " 「" + day.reading->diary + "」";
    }
    for (const RefusedLine& refused : plan.refused) text += " / " + std::to_string(refused.line) + ":" + refused.reason;
    if (table.estimated) text += " / estimated " + std::to_string(table.estimated);
    return text;
}

struct Case {
    const char* what;
    std::string bytes;
    std::string outcome;
    WeightUnit unit = WeightUnit::kKg;  // what the person chose in the preview
};

TEST(DayTable, EveryFormEncodingAndRefusal) {
    const Case cases[] = {
        {"Shift-JIS, comma, Japanese header, CR LF", "日付,体重,体脂肪率,メモ\r\n2024/05/01,65.3,24.1,朝\r\n2024/05/02,65.0,,\r\n",
         "20240501 65.3 24.1 「朝」 | 20240502 65.0"},
        {"UTF-8 with its mark, English header in pounds", std::string("\xEF\xBB\xBF") + u8"Date,Weight (lb),Body Fat,Note\n"
                                                          u8"2024-05-01,150,22.5,走った\n",
         "20240501 68.0 22.5 「走った」"},
        {"UTF-8 without a mark, semicolons and decimal commas", u8"date;weight;comment\n2024-05-01;65,3;ü→?\n",
         "20240501 65.3 「?→?」"},
        {"UTF-16 little-endian, tabs", Utf16(u"日付\t体重\r\n2024/05/01\t65.3\r\n", false), "20240501 65.3"},
        {"UTF-16 big-endian, tabs", Utf16(u"日付\t体重\r\n2024/05/01\t65.3\r\n", true), "20240501 65.3"},
        {"UTF-16 without its mark", Utf16(u"date,weight\r\n2024/05/01,65.3\r\n", false).substr(2), "20240501 65.3"},
        {"a weight column named in other words", "Date,Goal weight,Average weight (lb)\n2024-05-01,130,150\n",
         "20240501 68.0"},
        {"no header: the date, then the weight", "2024/05/01,65.3\n20240502,64.9\n", "20240501 65.3 | 20240502 64.9"},
        {"every date form", "日付,体重\n2024年5月1日,60\n令和6年5月2日,61\nR6.5.3,62\nH31.4.30,63\n２０２４／０５／０４,64\n"
                            "2024-05-05 07:30,65\n2024-05-06T07:30:00,66\n平成元年1月8日,67\n2024年5月7日(火),68\n",
         "19890108 67.0 | 20190430 63.0 | 20240501 60.0 | 20240502 61.0 | 20240503 62.0 | 20240504 64.0 | "
         "20240505 65.0 | 20240506 66.0 | 20240507 68.0"},
        {"UTC times land on the local day", "dateTime,weight\n2024-05-06T22:30:00Z,60\n2024-05-07T23:00:00+00:00,61\n"
                                            "2024-05-09T07:00:00+09:00,62\n2024-05-10T01:00:00-05:00,63\n",
         "20240507 60.0 | 20240508 61.0 | 20240509 62.0 | 20240510 63.0"},
        {"newest first: the earliest reading of a day is taken",
         "日付,体重\n2024/05/02 08:00,64.0\n2024/05/01 21:00,66.0\n2024/05/01 07:00,65.0\n",
         "20240501 65.0 | 20240502 64.0 / 3:2024/05/01 の2つめ以降の記録です(4 行目を読み込みます)"},
        {"estimated and interpolated rows are left out and counted",
         "date,weight,estimated\n2024/05/01,65,false\n2024/05/02,65.5,true\n2024/05/03,66,\n2024/05/04,66,interpolated\n",
         "20240501 65.0 | 20240503 66.0 / estimated 2"},
        {"quoted cells with commas, quotes and line breaks",
         "日付,体重,日記\r\n2024/05/01,65.0,\"朝,晴れ\r\n\"\"よし\"\"\"\r\n2024/05/02,64.0,\r\n",
         "20240501 65.0 「朝,晴れ\r\n\"よし\"」 | 20240502 64.0"},
        {"a quote left open swallows no later line", "date,weight\n2024/05/01,\"65\n2024/05/02,64\n",
         "20240501 65.0 | 20240502 64.0"},
        {"a unit line under the header", "date,weight\n,lb\n2024/05/01,150\n", "20240501 68.0"},
        {"no unit anywhere: the person said pounds", "date,weight\n2024/05/01,150\n", "20240501 68.0", WeightUnit::kLb},
        {"no unit anywhere: kg as preset", "date,weight\n2024/05/01,150\n", "20240501 150.0"},
        {"a cell that names its unit wins", "date,weight\n2024/05/01,150 lb\n2024/05/02,70kg\n",
         "20240501 68.0 | 20240502 70.0"},
        {"lines before the header", "体重の記録\n\n日付,体重\n2024/05/01,65\n",
         "20240501 65.0 / 1:見出しより前の行です"},
        {"every kind of refused line",
         "日付,体重,体脂肪率\n,65\nきのう,65\n1899/12/31,65\n2100/01/01,65\n2024/02/30,65\n2024/03/01,重い\n"
         "2024/03/02,250\n2024/03/03,0.5\n2024/03/04,65,60\n2024/03/05,\n2024/03/06,1e5\n2024/03/07,nan\n",
         " / 2:日付がありません / 3:日付「きのう」を読めません / 4:日付「1899/12/31」が1900年より前か2099年より後です"
         " / 5:日付「2100/01/01」が1900年より前か2099年より後です / 6:「2024/02/30」という日はありません"
         " / 7:体重「重い」が数値ではありません / 8:体重 250.0 kg が1.0～200.0の範囲にありません"
         " / 9:体重 0.5 kg が1.0～200.0の範囲にありません / 10:体脂肪率「60」が受け付けられる範囲にありません"
         " / 11:体重がありません / 12:体重「1e5」が数値ではありません / 13:体重「nan」が数値ではありません"},
        {"an empty file", "", "refused: 読み込む表がありません。ファイルまたはクリップボードの中身が空です。"},
        {"only a byte-order mark and blank lines", "\xEF\xBB\xBF\r\n\r\n",
         "refused: 読み込む表がありません。ファイルまたはクリップボードの中身が空です。"},
        {"a binary file", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), std::string("refused: ") + kBinaryTableText},
    };
    TableReadOptions options;
    options.localOffset = NineHoursAhead;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Outcome(ReadDayTable(c.bytes, options), c.unit), c.outcome);
    }
}

// Lines of a megabyte, a hundred thousand lines and bytes of every value end
// in refused lines or days, in time proportional to their size.
TEST(DayTable, LargeAndHostileTablesAreReadWhole) {
    std::string lines = "date,weight\n";
    for (int i = 0; i < 100000; ++i) lines += "2024/05/01,65\n";
    DayTable many = ReadDayTable(lines);
    ASSERT_EQ(many.readings.size(), 100000u);
    const ImportPlan plan = PlanImport(many, WeightUnit::kKg, nullptr, 0);
    EXPECT_EQ(plan.days.size(), 1u);
    EXPECT_EQ(plan.laterReadings, 99999);
    EXPECT_EQ(plan.refused.size(), 99999u);

    std::string wide = "date,weight,note\n2024/05/01,65," + std::string(1 << 20, 'x') + "\n2024/05/02,66,\n";
    const ImportPlan widePlan = PlanImport(ReadDayTable(wide), WeightUnit::kKg, nullptr, 0);
    ASSERT_EQ(widePlan.days.size(), 2u);
    EXPECT_EQ(widePlan.cutDiaries, 1);

    std::string noise;
    for (int i = 0; i < 200000; ++i) noise += static_cast<char>((i * 7919) % 251 + 1);
    DayTable hostile = ReadDayTable(noise);
    EXPECT_TRUE(!hostile.refusal.empty() || hostile.readings.size() + hostile.refused.size() > 0);
}

}  // namespace
