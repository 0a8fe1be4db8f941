// The BMI chart under Wine: pixels read back for the class bands and the marker;
// the texts, fonts and objects of a paint recorded in a metafile.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "charts/chart_palette.h"
#include "charts/painters/bmi_chart.h"
#include "charts/painters/chart_drawing.h"
#include "corelib/dates.h"
#include "support/dib_context.h"

namespace {

constexpr int kTableWidth = 415;
constexpr int kWideWindow = 820;  // a panel 401 wide: chart area (6, 52)-(395, 401) at ascent 16

BmiPanelLayout Panel(int ascent = 16, int windowWidth = kWideWindow, int selectorsFoot = 0) {
    return LayOutBmiPanel(windowWidth, kTableWidth, 400, ascent, selectorsFoot);
}
// The analysis of a weighing; `selected` says whether the record list's selection is a record.
BmiChartFacts Facts(double height, double weight, double target, bool selected = true) {
    return BmiChartFacts{true, height, target, selected, AnalyzeWeight(weight, height), ""};
}
BmiChartFacts Named(BmiChartFacts facts, const char* day) {
    std::snprintf(facts.namedDay, sizeof facts.namedDay, "%s", day);
    return facts;
}
COLORREF Entry(int index) {
    PaletteColor entries[kChartPaletteSize];
    BuildChartPalette(0, entries);
    return RGB(entries[index].red, entries[index].green, entries[index].blue);
}

TEST(BmiChartPixels, EachClassCurveHasItsBandBelowAndTheMarkerCrossesAtTheAnalysedWeight) {
    const SIZE digits = {21, 14};  // "000" in the body font, ＭＳ ゴシック 7 × 14: R wide, P high
    // Drawn as the diary window draws it (off-screen, then copied), without and with a record selected.
    const BmiPanelLayout panel = Panel();  // chart area 389 × 349
    const ChartBox area = panel.area;
    const int width = panel.x + panel.width + 2, height = panel.y + panel.height + 2;
    DibContext blank(width, height), marked(width, height);
    HPALETTE palette = CreateChartPalette(0);
    drawBmiChart(blank.dc(), palette, panel, Facts(165.3, 62.4, 60.0, false));
    drawBmiChart(marked.dc(), palette, panel, Facts(165.3, 62.4, 60.0));
    DeleteObject(palette);
    auto at = [&panel](const DibContext& chart, int x, int y) {
        return GetPixel(chart.dc(), panel.x + x, panel.y + y);
    };

    // No record: weights from 0 kg, heights from 120 cm; the column of 140 cm is two 10 cm steps from the origin.
    const int x = area.left + 2 + 2 * ((area.right - area.left) / 9), rows = area.bottom - area.top;
    for (int j = 0; j < kBmiClassLimitCount; ++j) {
        SCOPED_TRACE(kBmiClassLimits[j]);
        // The weight at this BMI for 140 cm, whole kg; 90 kg span the area, raised by P + 2.
        const int kilograms = static_cast<int>(140.0 * 140.0 * kBmiClassLimits[j] / 10000.0);
        const int row = static_cast<int>(rows - kilograms * (rows / 90.0)) + area.top - digits.cy - 2;
        EXPECT_EQ(at(blank, x, row), Entry(kColorBmiLines)) << "the curve";
        EXPECT_EQ(at(blank, x, row + 2), Entry(kColorBmiBandFirst + j)) << "just below";
        const int above = j + 1 < kBmiClassLimitCount ? kColorBmiBandFirst + j + 1 : kColorBmiArea;
        EXPECT_EQ(at(blank, x, row - 3), Entry(above)) << "just above";
    }
    // Nothing outside the panel; no marker anywhere.
    for (POINT outside : {POINT{-1, 20}, POINT{panel.width, 20}, POINT{20, panel.height}})
        EXPECT_EQ(at(blank, outside.x, outside.y), DibContext::kBackground) << outside.x << "," << outside.y;
    for (int y = area.top; y < area.bottom; y += 2)
        for (int column = area.left; column < area.right; column += 2)
            ASSERT_NE(at(blank, column, y), Entry(kColorMarkerRingInner)) << column << "," << y;

    // 160 cm is 8 steps of 389 / 18 = 21 px from 120, and 5.3 cm of 389 / 90 = 4 px more;
    // 60 kg is 8 steps of 349 / 18 = 19 px from 20, and 2.4 kg of 349 / 90 px more.
    const int mx = area.left + digits.cx + 8 * 21 + 21, my = area.bottom - digits.cx - 8 * 19 - 9;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(at(marked, mx - 1 + i, my + 25), Entry(kColorMarkerCross + i)) << "vertical " << i;
        EXPECT_EQ(at(marked, mx + 25, my - 1 + i), Entry(kColorMarkerCross + i)) << "horizontal " << i;
    }
    EXPECT_NE(at(marked, mx - 2, my + 25), Entry(kColorMarkerCross));
    EXPECT_NE(at(marked, mx + 25, my + 2), Entry(kColorMarkerRingOuter));
}

// Every place of the chart wears the colour of its own BMI class, for short and
// tall users alike: also where a curve leaves the area through its top before
// its first point (a tall user: the bands above BMI 18.5 start at the left edge).
TEST(BmiChartPixels, EveryPlaceHasTheColourOfItsClass) {
    const int r = 21, p = 14;  // "000" in the body font: R wide, P high
    const BmiPanelLayout panel = Panel();
    const ChartBox area = panel.area;
    const int width = panel.x + panel.width + 2, height = panel.y + panel.height + 2;
    const int columns = area.right - area.left, rows = area.bottom - area.top;
    for (double userHeight : {150.0, 165.3, 190.0, 210.0, 250.0}) {
        SCOPED_TRACE(userHeight);
        DibContext chart(width, height);
        HPALETTE palette = CreateChartPalette(0);
        drawBmiChart(chart.dc(), palette, panel, Facts(userHeight, 60.0, 60.0, false));
        DeleteObject(palette);
        const int heightOrigin = (static_cast<int>(userHeight / 10) - 4) * 10;  // no record: weights from 0 kg
        int wrong = 0;
        // Clear of the axis bands, their ticks and the curves themselves.
        for (int y = area.top + 2; y < area.bottom - r - p - 2; y += 7) {
            for (int x = area.left + r + p + 2; x < area.right - 2; x += 7) {
                const double cm = heightOrigin + 10.0 * (x - area.left - 2) / (columns / 9);
                const double kg = (rows - (y - area.top + p + 2)) * 90.0 / rows;
                int bmiClass = 0;
                bool nearCurve = false;
                for (double limit : kBmiClassLimits) {
                    const double curve = cm * cm * limit / 10000.0;
                    nearCurve = nearCurve || (kg > curve - 2.5 && kg < curve + 2.5);
                    bmiClass += kg >= curve;
                }
                if (nearCurve) continue;
                const int expected = bmiClass < kBmiClassLimitCount ? kColorBmiBandFirst + bmiClass : kColorBmiArea;
                if (GetPixel(chart.dc(), panel.x + x, panel.y + y) != Entry(expected) && ++wrong <= 3)
                    ADD_FAILURE() << "at " << cm << " cm, " << kg << " kg: not the colour of class " << bmiClass;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

// What a paint of the panel leaves in a metafile: the texts (Shift-JIS) at their reference points, the fonts
// ("face width x height charset"), and how many objects were created and deleted.
struct DrawnText {
    int x, y;
    std::string text;
};
struct Recording {
    std::vector<DrawnText> texts;
    std::vector<std::string> fonts;
    int created = 0, deleted = 0;
};

std::string ShiftJis(const void* wide, int length) {
    char text[256] = "";
    const int size = WideCharToMultiByte(932, 0, static_cast<const wchar_t*>(wide), length, text, sizeof text - 1,
                                         nullptr, nullptr);
    return std::string(text, size > 0 ? size : 0);
}

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    Recording& recording = *reinterpret_cast<Recording*>(data);
    const DWORD type = record->iType;
    if (type == EMR_EXTTEXTOUTW) {
        const EMRTEXT& out = reinterpret_cast<const EMREXTTEXTOUTW*>(record)->emrtext;
        const BYTE* chars = reinterpret_cast<const BYTE*>(record) + out.offString;
        const DrawnText text = {out.ptlReference.x, out.ptlReference.y, ShiftJis(chars, static_cast<int>(out.nChars))};
        // Labels and figures are drawn twice, the second one pixel to the right: kept once.
        const DrawnText* last = recording.texts.empty() ? nullptr : &recording.texts.back();
        if (!last || last->text != text.text || last->x + 1 != text.x) recording.texts.push_back(text);
    } else if (type == EMR_EXTCREATEFONTINDIRECTW) {
        const LOGFONTW& font = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont;
        recording.fonts.push_back(ShiftJis(font.lfFaceName, lstrlenW(font.lfFaceName)) + " " +
                                  std::to_string(font.lfWidth) + "x" + std::to_string(font.lfHeight) + " " +
                                  std::to_string(font.lfCharSet));
    }
    recording.created += type == EMR_EXTCREATEFONTINDIRECTW || type == EMR_CREATEPEN || type == EMR_EXTCREATEPEN ||
                         type == EMR_CREATEBRUSHINDIRECT;
    recording.deleted += type == EMR_DELETEOBJECT;
    return 1;
}

Recording Record(const BmiPanelLayout& panel, const BmiChartFacts& facts) {
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    auto state = [dc] {
        return std::make_tuple(GetCurrentObject(dc, OBJ_PEN), GetCurrentObject(dc, OBJ_BRUSH),
                               GetCurrentObject(dc, OBJ_FONT), GetTextColor(dc), GetBkMode(dc));
    };
    const auto before = state();
    paintBmiPanel(dc, panel, facts);
    EXPECT_EQ(state(), before) << "pen, brush, font, text colour and background mode are left as they were";
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    Recording recording;
    EnumEnhMetaFile(nullptr, metafile, CollectRecord, &recording, nullptr);
    DeleteEnhMetaFile(metafile);
    return recording;
}

const char* const kDayOf624[] = {"体    重 62.4kg", "判　　定 普通体重", "普通体重 54.7kg～65.6kg (60.1kg)",
                                   "適 正 率 100.0% ／ 差 0.0kg"};

TEST(BmiChartTexts, OriginsUnitsFiguresAndFontsAsDrawn) {
    struct Case {
        const char* name;
        BmiPanelLayout panel;
        BmiChartFacts facts;
        const char *heightOrigin, *weightOrigin, *titleFont;
        std::vector<std::string> figures;  // empty: none drawn
    };
    auto day624 = [](const char* fifth) {
        return std::vector<std::string>{kDayOf624[0], kDayOf624[1], kDayOf624[2], kDayOf624[3], fifth};
    };
    const char* const arial = "Arial 9x18 0";
    const Case cases[] = {
        {"target below", Panel(), Facts(165.3, 62.4, 60.0), "120", " 20", arial, day624("目標体重 60.0kgまであと2.4kgです")},
        // Selectors down to row 86 cover the area's top: the unit and the figures go lower.
        {"under the selectors", Panel(16, kWideWindow, 86), Facts(165.3, 62.4, 60.0), "120", " 20", arial,
         day624("目標体重 60.0kgまであと2.4kgです")},
        {"target at", Panel(18), Facts(165.3, 62.4, 62.4), "120", " 20", arial, day624("目標体重 62.4kgを達成しました")},
        {"target above", Panel(), Facts(165.3, 62.4, 70.0), "120", " 20", arial, day624("目標体重 70.0kgを達成しました")},
        // No target weight: no distance to it.
        {"no target", Panel(), Facts(165.3, 62.4, 0.0), "120", " 20", arial,
         {kDayOf624[0], kDayOf624[1], kDayOf624[2], kDayOf624[3]}},
        // The latest day shown for the blank line is named by its date.
        {"latest day for the blank line", Panel(), Named(Facts(165.3, 62.4, 60.0), "2026/11/30"), "120", " 20", arial,
         {"体    重 62.4kg (2026/11/30)", kDayOf624[1], kDayOf624[2], kDayOf624[3],
          "目標体重 60.0kgまであと2.4kgです"}},
        {"obese, large font", Panel(27), Facts(172.5, 92.0, 65.0), "130", " 50", "Arial 12x24 0",
         {"体    重 92.0kg", "判　　定 肥満度２", "普通体重 59.6kg～71.4kg (65.5kg)", "適 正 率 128.9% ／ 差 20.6kg",
          "目標体重 65.0kgまであと27.0kgです"}},
        {"underweight", Panel(18), Facts(172.5, 45.0, 50.0), "130", "  0", arial,
         {"体    重 45.0kg", "判　　定 低体重　", "普通体重 59.6kg～71.4kg (65.5kg)", "適 正 率 75.6% ／ 差 -14.6kg",
          "目標体重 50.0kgを達成しました"}},
        // A panel of 190 pixels holds fewer than 28 digits: the scale without figures.
        {"narrow panel", Panel(16, kTableWidth + 4 + 190), Facts(170.0, 38.0, 45.0), "130", "  0", arial, {}},
        {"blank line selected", Panel(), Facts(165.3, 62.4, 60.0, false), "120", "  0", arial, {}},
        {"no user", Panel(), BmiChartFacts{}, "110", "  0", arial, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BmiPanelLayout& panel = c.panel;
        const Recording recording = Record(panel, c.facts);
        const std::vector<DrawnText>& texts = recording.texts;
        ASSERT_GE(texts.size(), 6u);
        EXPECT_EQ(texts[0].text + " " + std::to_string(texts[0].x) + "," + std::to_string(texts[0].y),
                  "B M I C h a r t 4,3");
        EXPECT_EQ(texts[1].text, c.heightOrigin);
        std::size_t weightOrigin = 0, units = 0;
        for (std::size_t i = 1; i < texts.size(); ++i) {
            if (!weightOrigin && texts[i].x == panel.area.left - 1) weightOrigin = i;
            if (texts[i].text == "cm") units = i;
        }
        ASSERT_NE(weightOrigin, 0u);
        EXPECT_EQ(texts[weightOrigin].text, c.weightOrigin);
        // The weight's unit and the figures start below what the analysis selectors cover.
        const int top = panel.area.top + panel.coveredRows;
        EXPECT_EQ(texts[units - 1].text + " " + std::to_string(texts[units - 1].y), "kg " + std::to_string(top + 2));
        std::vector<std::string> figures;
        for (std::size_t i = units + 1; i < texts.size(); ++i) figures.push_back(texts[i].text);
        EXPECT_EQ(figures, c.figures);
        EXPECT_EQ(figures.empty() ? top + 5 : texts[units + 1].y, top + 5) << "the figures' first row";
        EXPECT_EQ(recording.fonts, (std::vector<std::string>{c.titleFont, "ＭＳ ゴシック 7x14 128"}));
        EXPECT_EQ(recording.deleted, recording.created) << "every pen, brush and font is deleted";
    }
    // Narrower than the table: nothing at all. A sliver: frame and title, no scale, nothing left behind.
    EXPECT_TRUE(Record(Panel(16, kTableWidth + 2), Facts(165.3, 62.4, 60.0)).texts.empty());
    const Recording sliver = Record(Panel(16, kTableWidth + 4 + 10), Facts(165.3, 62.4, 60.0));
    ASSERT_EQ(sliver.texts.size(), 1u);
    EXPECT_EQ(sliver.texts[0].text, "B M I C h a r t");
    EXPECT_EQ(sliver.deleted, sliver.created);
}

// The sixth line (the trend) drawn as the panel allows: whole where there is
// room, shortened where the panel is narrow, the lines closer where it is low
// and left out where it is lower still, at the ascents of 96, 144 and 192 DPI;
// within the area with a pixel to spare, on rows no other text takes, above
// the height axis's band. Its height and the band's width come from the body
// font the paint recorded.
TEST(BmiChartPixels, TrendLineFitsOrIsShortenedAndCoversNoText) {
    TrendFigures trend;
    trend.known = true;
    trend.trend = 55.1;
    trend.rate = {true, -0.3};
    trend.projection = {TargetOutlook::kDate, DayNumberOfDate("20270310")};
    const BmiTrendLine forms = FormatBmiTrendLine(trend, 50.0);
    const COLORREF text = Entry(kColorLeftSeries);
    HPALETTE palette = CreateChartPalette(0);
    for (int ascent : {16, 24, 32}) {
        for (int panelWidth : {200, 260, 330, 400, 600}) {  // 200: just wider than the figures' 28 digits
            for (int listHeight : {150, 170, 400}) {
                SCOPED_TRACE(std::to_string(ascent) + " " + std::to_string(panelWidth) + " " +
                             std::to_string(listHeight));
                const BmiPanelLayout panel =
                    LayOutBmiPanel(kTableWidth + 4 + panelWidth, kTableWidth, listHeight, ascent);
                BmiChartFacts facts = Facts(165.3, 62.4, 50.0);
                facts.trend = trend;
                const Recording recording = Record(panel, facts);
                std::vector<DrawnText> figures;  // after the unit "cm"
                for (const DrawnText& drawn : recording.texts) {
                    if (!figures.empty() || drawn.text == "cm") figures.push_back(drawn);
                }
                if (!figures.empty()) figures.erase(figures.begin());
                const int form = figures.size() == kBmiFigureLines + 1 ? [&] {
                    for (int i = 0; i < forms.forms; ++i)
                        if (figures.back().text == forms.form[i]) return i;
                    return -2;
                }() : -1;
                ASSERT_NE(form, -2) << figures.back().text;
                if (listHeight == 400) {
                    ASSERT_GE(form, 0);
                }
                if (form < 0) continue;
                EXPECT_TRUE(panelWidth != 600 || form == 0) << form;
                EXPECT_TRUE(panelWidth > 260 || form > 0) << "shortened";
                // "face WxH charset", the face with blanks of its own.
                const std::string& font = recording.fonts.back();
                const std::string size = font.substr(0, font.rfind(' '));
                int fontWidth = 0, fontHeight = 0;
                ASSERT_EQ(std::sscanf(size.substr(size.rfind(' ') + 1).c_str(), "%dx%d", &fontWidth, &fontHeight), 2);
                const int p = std::abs(fontHeight), r = 3 * fontWidth;
                const DrawnText& sixth = figures.back();
                const int step = figures[1].y - figures[0].y;
                EXPECT_GT(step, p) << "lines never touch";
                for (std::size_t i = 1; i < figures.size(); ++i) EXPECT_EQ(figures[i].y - figures[i - 1].y, step);
                EXPECT_LE(sixth.y + p, panel.area.bottom - r) << "above the height axis's band";
                for (const DrawnText& other : recording.texts) {
                    if (&other == &recording.texts.back() || other.y + p <= sixth.y || other.y >= sixth.y + p) continue;
                    EXPECT_LT(other.x, sixth.x - 10) << other.text << " shares the sixth line's rows";
                }
                // Its pixels end inside the area, with one to spare: it was not cut at the edge.
                DibContext drawn(panel.x + panel.width, panel.y + panel.height);
                drawBmiChart(drawn.dc(), palette, panel, facts);
                GdiFlush();
                int right = -1;
                for (int y = sixth.y; y < sixth.y + p; ++y)
                    for (int x = sixth.x; x < panel.width; ++x)
                        if (drawn.Pixel(panel.x + x, panel.y + y) == text && x > right) right = x;
                EXPECT_GT(right, sixth.x);
                EXPECT_LE(right, panel.area.right - 2);
            }
        }
    }
    DeleteObject(palette);
}

}  // namespace
