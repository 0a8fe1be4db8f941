// The BMI chart under Wine: pixels read back for the class bands and the
// marker, and the texts, fonts and objects of a paint recorded in a metafile
// (origins, the five lines of figures, the title font).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "charts/chart_palette.h"
#include "charts/painters/bmi_chart.h"
#include "charts/painters/chart_drawing.h"
#include "support/dib_context.h"

namespace {

constexpr int kTableWidth = 415;
constexpr int kListHeight = 400;
constexpr int kWideWindow = 820;  // a panel 401 wide: chart area (6, 52)-(395, 401) at ascent 16

BmiPanelLayout Panel(int ascent = 16, int windowWidth = kWideWindow) {
    return LayOutBmiPanel(windowWidth, kTableWidth, kListHeight, ascent);
}

// The analysis of a weighing; `selected` says whether the record list's selection is a record.
BmiChartFacts Facts(double height, double weight, double target, bool selected = true, bool user = true) {
    return BmiChartFacts{user, height, target, selected, AnalyzeWeight(weight, height)};
}

COLORREF Entry(int index) {
    PaletteColor entries[kChartPaletteSize];
    BuildChartPalette(0, entries);
    return RGB(entries[index].red, entries[index].green, entries[index].blue);
}

// "000" in the body font (ＭＳ ゴシック, 7 × 14): R wide, P high.
SIZE Digits() {
    DibContext context(1, 1);
    HFONT font = CreateFontA(14, 7, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "ＭＳ ゴシック");
    HGDIOBJ previous = SelectObject(context.dc(), font);
    SIZE size = {};
    GetTextExtentPoint32A(context.dc(), "000", 3, &size);
    SelectObject(context.dc(), previous);
    DeleteObject(font);
    return size;
}

// The chart drawn as the diary window draws it (off-screen, then copied), read in panel coordinates.
class PaintedChart {
public:
    PaintedChart(const BmiPanelLayout& panel, const BmiChartFacts& facts)
        : panel_(panel), target_(panel.x + panel.width + 2, panel.y + panel.height + 2) {
        HPALETTE palette = CreateChartPalette(0);
        drawBmiChart(target_.dc(), palette, panel, facts);
        DeleteObject(palette);
    }
    COLORREF At(int x, int y) const { return GetPixel(target_.dc(), panel_.x + x, panel_.y + y); }

private:
    BmiPanelLayout panel_;
    DibContext target_;
};

TEST(BmiChartPixels, EachClassCurveHasItsBandBelowAndTheNextAbove) {
    // No record selected: weights from 0 kg, heights from 120 cm, nothing over the bands.
    const BmiPanelLayout panel = Panel();
    const PaintedChart chart(panel, Facts(165.3, 62.4, 60.0, false));
    const ChartBox area = panel.area;
    const int rows = area.bottom - area.top, p = Digits().cy;
    // The column of 140 cm, two 10 cm steps from the origin.
    const int x = area.left + 2 + 2 * ((area.right - area.left) / 9);
    for (int j = 0; j < kBmiClassLimitCount; ++j) {
        SCOPED_TRACE(kBmiClassLimits[j]);
        // The weight at this BMI for 140 cm, whole kg; 90 kg span the area, raised by P + 2.
        const int kilograms = static_cast<int>(140.0 * 140.0 * kBmiClassLimits[j] / 10000.0);
        const int row = static_cast<int>(rows - kilograms * (rows / 90.0)) + area.top - p - 2;
        EXPECT_EQ(chart.At(x, row), Entry(kColorBmiLines)) << "the curve";
        EXPECT_EQ(chart.At(x, row + 2), Entry(kColorBmiBandFirst + j)) << "just below";
        EXPECT_EQ(chart.At(x, row - 3), Entry(j + 1 < kBmiClassLimitCount ? kColorBmiBandFirst + j + 1 : kColorBmiArea))
            << "just above";
    }
    // Nothing outside the panel; no marker anywhere.
    EXPECT_EQ(chart.At(-1, 20), DibContext::kBackground);
    EXPECT_EQ(chart.At(panel.width, 20), DibContext::kBackground);
    EXPECT_EQ(chart.At(20, panel.height), DibContext::kBackground);
    for (int y = area.top; y < area.bottom; y += 2)
        for (int column = area.left; column < area.right; column += 2)
            ASSERT_NE(chart.At(column, y), Entry(kColorMarkerRingInner)) << column << "," << y;
}

TEST(BmiChartPixels, MarkerCrossesAtTheHeightAndTheAnalysedWeight) {
    const BmiPanelLayout panel = Panel();  // chart area 389 × 349
    const PaintedChart chart(panel, Facts(165.3, 62.4, 60.0));
    const int r = Digits().cx;
    // 160 cm is 8 steps of 389 / 18 = 21 px from 120, and 5.3 cm of 389 / 90 = 4 px more;
    // 60 kg is 8 steps of 349 / 18 = 19 px from 20, and 2.4 kg of 349 / 90 px more.
    const int x = panel.area.left + r + 8 * 21 + 21;
    const int y = panel.area.bottom - r - 8 * 19 - 9;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(chart.At(x - 1 + i, y + 25), Entry(kColorMarkerCross + i)) << "vertical " << i;
        EXPECT_EQ(chart.At(x + 25, y - 1 + i), Entry(kColorMarkerCross + i)) << "horizontal " << i;
    }
    EXPECT_NE(chart.At(x - 2, y + 25), Entry(kColorMarkerCross));
    EXPECT_NE(chart.At(x + 25, y + 2), Entry(kColorMarkerRingOuter));
}

// What a paint of the panel leaves in a metafile.
struct DrawnText {
    int x, y;
    std::string text;  // Shift-JIS
};
struct Recording {
    std::vector<DrawnText> texts;
    std::vector<LOGFONTW> fonts;
    int created = 0;
    int deleted = 0;
};

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    Recording& recording = *reinterpret_cast<Recording*>(data);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(record);
    switch (record->iType) {
    case EMR_EXTTEXTOUTW: {
        const auto* out = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* wide = reinterpret_cast<const wchar_t*>(bytes + out->emrtext.offString);
        char text[256] = "";
        const int length = WideCharToMultiByte(932, 0, wide, static_cast<int>(out->emrtext.nChars), text,
                                               sizeof text - 1, nullptr, nullptr);
        recording.texts.push_back({out->emrtext.ptlReference.x, out->emrtext.ptlReference.y,
                                   std::string(text, length > 0 ? length : 0)});
        break;
    }
    case EMR_EXTTEXTOUTA: {
        const auto* out = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        const char* narrow = reinterpret_cast<const char*>(bytes + out->emrtext.offString);
        recording.texts.push_back(
            {out->emrtext.ptlReference.x, out->emrtext.ptlReference.y, std::string(narrow, out->emrtext.nChars)});
        break;
    }
    case EMR_EXTCREATEFONTINDIRECTW:
        recording.fonts.push_back(reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont);
        ++recording.created;
        break;
    case EMR_CREATEPEN:
    case EMR_EXTCREATEPEN:
    case EMR_CREATEBRUSHINDIRECT:
        ++recording.created;
        break;
    case EMR_DELETEOBJECT:
        ++recording.deleted;
        break;
    default:
        break;
    }
    return 1;
}

Recording Record(const BmiPanelLayout& panel, const BmiChartFacts& facts) {
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH),
                  font = GetCurrentObject(dc, OBJ_FONT);
    SetTextColor(dc, RGB(1, 2, 3));
    paintBmiPanel(dc, panel, facts);
    // The context is left as it was found.
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    Recording recording;
    EnumEnhMetaFile(nullptr, metafile, CollectRecord, &recording, nullptr);
    DeleteEnhMetaFile(metafile);
    return recording;
}

// Every label and figure is drawn twice, the second one pixel to the right;
// the texts once each, in the order drawn.
std::vector<DrawnText> Once(const std::vector<DrawnText>& texts) {
    std::vector<DrawnText> once;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        once.push_back(texts[i]);
        if (i + 1 < texts.size() && texts[i + 1].text == texts[i].text && texts[i + 1].x == texts[i].x + 1) ++i;
    }
    return once;
}

const char* const kDayOf624[] = {"体    重 62.4kg", "判　　定 普通体重", "普通体重 54.7kg～65.6kg (60.1kg)",
                                   "適 正 率 100.0% ／ 差 0.0kg"};

TEST(BmiChartTexts, OriginsFiguresAndTitleAsDrawn) {
    struct Case {
        const char* name;
        int ascent;
        int windowWidth;
        BmiChartFacts facts;
        const char* heightOrigin;
        const char* weightOrigin;
        std::vector<std::string> figures;  // empty: none drawn
        int titleWidth, titleHeight;
    };
    auto day624 = [](const char* fifth) {
        return std::vector<std::string>{kDayOf624[0], kDayOf624[1], kDayOf624[2], kDayOf624[3], fifth};
    };
    const Case cases[] = {
        {"target below the weight", 16, kWideWindow, Facts(165.3, 62.4, 60.0), "120", " 20",
         day624("目標体重 60.0kgまであと2.4kgです"), 9, 18},
        {"target at the weight", 18, kWideWindow, Facts(165.3, 62.4, 62.4), "120", " 20",
         day624("目標体重 62.4kgを達成しました"), 9, 18},
        {"target above the weight", 16, kWideWindow, Facts(165.3, 62.4, 70.0), "120", " 20",
         day624("目標体重 70.0kgを達成しました"), 9, 18},
        {"no target", 16, kWideWindow, Facts(165.3, 62.4, 0.0), "120", " 20",
         day624("目標体重 0.0kgまであと62.4kgです"), 9, 18},
        {"obese, large font", 27, kWideWindow, Facts(172.5, 92.0, 65.0), "130", " 50",
         {"体    重 92.0kg", "判　　定 肥満度２", "普通体重 59.6kg～71.4kg (65.5kg)", "適 正 率 128.9% ／ 差 20.6kg",
          "目標体重 65.0kgまであと27.0kgです"},
         12, 24},
        {"underweight", 18, kWideWindow, Facts(172.5, 45.0, 50.0), "130", "  0",
         {"体    重 45.0kg", "判　　定 低体重　", "普通体重 59.6kg～71.4kg (65.5kg)", "適 正 率 75.6% ／ 差 -14.6kg",
          "目標体重 50.0kgを達成しました"},
         9, 18},
        // A panel of 190 pixels holds fewer than 28 digits: the scale without figures.
        {"narrow panel", 16, kTableWidth + 4 + 190, Facts(170.0, 38.0, 45.0), "130", "  0", {}, 9, 18},
        {"blank line selected", 16, kWideWindow, Facts(165.3, 62.4, 60.0, false), "120", "  0", {}, 9, 18},
        {"no user", 16, kWideWindow, BmiChartFacts{}, "110", "  0", {}, 9, 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BmiPanelLayout panel = Panel(c.ascent, c.windowWidth);
        const Recording recording = Record(panel, c.facts);
        const std::vector<DrawnText> texts = Once(recording.texts);
        ASSERT_GE(texts.size(), 6u);
        EXPECT_EQ(texts[0].text, "B M I C h a r t");
        EXPECT_EQ(texts[0].x, 4);
        EXPECT_EQ(texts[0].y, 3);
        EXPECT_EQ(texts[1].text, c.heightOrigin);
        const DrawnText* weightOrigin = nullptr;
        std::size_t units = 0;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (!weightOrigin && texts[i].x == panel.area.left - 1) weightOrigin = &texts[i];
            if (texts[i].text == "cm") units = i;
        }
        ASSERT_NE(weightOrigin, nullptr);
        EXPECT_EQ(weightOrigin->text, c.weightOrigin);
        EXPECT_EQ(texts[units - 1].text, "kg");
        std::vector<std::string> figures;
        for (std::size_t i = units + 1; i < texts.size(); ++i) figures.push_back(texts[i].text);
        EXPECT_EQ(figures, c.figures);

        ASSERT_EQ(recording.fonts.size(), 2u);
        EXPECT_EQ(std::wstring(recording.fonts[0].lfFaceName), L"Arial");
        EXPECT_EQ(recording.fonts[0].lfWidth, c.titleWidth);
        EXPECT_EQ(recording.fonts[0].lfHeight, c.titleHeight);
        EXPECT_EQ(std::wstring(recording.fonts[1].lfFaceName), L"ＭＳ ゴシック");
        EXPECT_EQ(recording.fonts[1].lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_EQ(recording.fonts[1].lfWidth, 7);
        EXPECT_EQ(recording.fonts[1].lfHeight, 14);
        EXPECT_EQ(recording.deleted, recording.created) << "every pen, brush and font is deleted";
    }
}

TEST(BmiChartTexts, TheWeightUnitAndTheFiguresGoBelowTheAnalysisSelectors) {
    for (int selectorsFoot : {0, 86}) {
        const BmiPanelLayout panel = LayOutBmiPanel(kWideWindow, kTableWidth, kListHeight, 16, selectorsFoot);
        const int top = panel.area.top + (selectorsFoot ? selectorsFoot - panel.y - panel.area.top : 0);
        int unitRow = -1, weightRow = -1;
        for (const DrawnText& text : Record(panel, Facts(165.3, 62.4, 60.0)).texts) {
            if (text.text == "kg") unitRow = text.y;
            if (text.text == kDayOf624[0]) weightRow = text.y;
        }
        EXPECT_EQ(unitRow, top + 2) << selectorsFoot;
        EXPECT_EQ(weightRow, top + 5) << selectorsFoot;
    }
}

TEST(BmiChartTexts, PanelsWithoutRoomDrawNoMoreThanTheyHold) {
    // Narrower than the table: nothing at all. A sliver: frame and title, no scale, nothing left behind.
    EXPECT_TRUE(Record(Panel(16, kTableWidth + 2), Facts(165.3, 62.4, 60.0)).texts.empty());
    const Recording sliver = Record(Panel(16, kTableWidth + 4 + 10), Facts(165.3, 62.4, 60.0));
    ASSERT_EQ(sliver.texts.size(), 1u);
    EXPECT_EQ(sliver.texts[0].text, "B M I C h a r t");
    EXPECT_EQ(sliver.deleted, sliver.created);
}

}  // namespace
