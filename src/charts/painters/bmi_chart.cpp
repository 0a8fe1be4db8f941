#include "charts/painters/bmi_chart.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "charts/chart_palette.h"
#include "charts/painters/chart_drawing.h"
#include "corelib/win32/fill_to_border.h"
#include "corelib/win32/gdi_scope.h"

namespace {

const char kTitle[] = "B M I C h a r t";
const char kTitleFace[] = "Arial";
const char kBodyFace[] = "ＭＳ ゴシック";
const char kThreeDigits[] = "000";
const char kThreeBlanks[] = "   ";
const char kFigureDigits[] = "0000000000000000000000000000";
static_assert(sizeof kFigureDigits == 28 + 1, "the figures need a panel wider than 28 digits");
constexpr COLORREF kPanelGrey = RGB(192, 192, 192);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kMarkerLines = 3;

HFONT CreateChartFont(FontSize size, const char* face, BYTE charset) {
    return CreateFontA(size.height, size.width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// A filled rectangle in one colour: outline and inside (pen and brush alike).
void FilledBox(HDC dc, COLORREF color, int left, int top, int right, int bottom) {
    ScopedPen pen(dc, PS_SOLID, 1, color);
    ScopedBrush brush(dc, color);
    Rectangle(dc, left, top, right, bottom);
}

void DrawFrameAndTitle(HDC dc, const BmiPanelLayout& panel) {
    const int w = panel.width, h = panel.height, t = panel.titleHeight;
    FillChartBox(dc, kPanelGrey, 0, 0, w, h);
    drawSunkenFrame(dc, 0, 0, w - 1, h - 1);
    FilledBox(dc, kWhite, 2, 2, w - 2, h - 2);
    {
        ScopedPen underline(dc, PS_SOLID, 1, PaletteColorOf(kColorScheme2));
        // Below the title's letters (its cell ends at row t + 3), not through them.
        for (int row : {t + 2, t + 4, t + 6}) ChartLine(dc, 4, row, w - 4, row);
    }
    ScopedFont font(dc, CreateChartFont(panel.titleFont, kTitleFace, ANSI_CHARSET));
    SetTextColor(dc, PaletteColorOf(kColorTitle));
    TextOutA(dc, 4, 3, kTitle, static_cast<int>(std::strlen(kTitle)));
    NoteText(dc, kTitle, 4, 3);
}

// The class curves from BMI 18.5 to 40, each with the band below it filled.
void DrawClassBands(HDC dc, const BmiScale& scale) {
    const COLORREF border = PaletteColorOf(kColorBmiLines);
    for (int j = 0; j < kBmiClassLimitCount; ++j) {
        const double bmi = kBmiClassLimits[j];
        ScopedBrush band(dc, PaletteColorOf(kColorBmiBandFirst + j));
        ScopedPen curve(dc, PS_SOLID, 1, border);
        MoveToEx(dc, scale.area.left, BmiCurveRow(scale, scale.heightOrigin, bmi, 3), nullptr);
        for (int k = 1; k <= kBmiCurvePoints; ++k)
            LineTo(dc, BmiCurveColumn(scale, k), BmiCurveRow(scale, scale.heightOrigin + 10.0 * k, bmi, 2));
        bool filled = false;
        for (int k = 1; k <= kBmiBandSeeds && !filled; ++k) {
            ChartPoint seed;
            filled = BmiBandSeed(scale, k, bmi, &seed) && FillToBorder(dc, seed.x, seed.y, border);
        }
        // A band that only the left edge reaches (a tall user's chart) would keep the colour above BMI 40.
        ChartPoint edge;
        if (!filled && BmiBandEdgeSeed(scale, bmi, &edge) &&
            GetPixel(dc, edge.x, edge.y) == GetNearestColor(dc, PaletteColorOf(kColorBmiArea)))
            FillToBorder(dc, edge.x, edge.y, border);
    }
}

// A cross-hair through the centre in three shades, and three rings on it.
void DrawMarker(HDC dc, const BmiScale& scale, ChartPoint centre) {
    const ChartBox& area = scale.area;
    const int x = centre.x, y = centre.y;
    for (int i = 0; i < kMarkerLines; ++i) {
        ScopedPen pen(dc, PS_SOLID, 1, PaletteColorOf(kColorMarkerCross + i));
        ChartLine(dc, x - 1 + i, area.top, x - 1 + i, area.bottom - 1);
        ChartLine(dc, area.left, y - 1 + i, area.right + 1, y - 1 + i);
    }
    for (int i = 0; i < kMarkerLines; ++i) {
        const COLORREF color = i < 2 ? PaletteColorOf(kColorMarkerRingInner - i) : kWhite;
        ScopedPen pen(dc, PS_SOLID, 1, color);
        ScopedBrush brush(dc, color);
        Ellipse(dc, x - 4 + i, y - 4 + i, x + 4 - 2 * i, y + 4 - 2 * i);
    }
}

void DrawCentredLabel(HDC dc, const char* text, int centreX, int y) {
    DrawBoldText(dc, centreX - TextSize(dc, text).cx / 2, y, text);
}

void DrawAxes(HDC dc, const BmiScale& scale, int coveredRows) {
    const ChartBox& area = scale.area;
    const int left = area.left, top = area.top, right = area.right, bottom = area.bottom;
    const int width = right - left, height = bottom - top;
    const int r = scale.digitsWidth, p = scale.textHeight;
    FillChartBox(dc, PaletteColorOf(kColorBmiAxisBand), left + 1, top + 1, left + r, bottom);
    FillChartBox(dc, PaletteColorOf(kColorBmiAxisBand), left + r, bottom - r, right, bottom);

    ScopedPen lines(dc, PS_SOLID, 1, PaletteColorOf(kColorBmiLines));
    ChartLine(dc, left, top, left, bottom);
    ChartLine(dc, left + r, top, left + r, bottom - r);
    ChartLine(dc, left, top, left + width - 1, top);
    ChartLine(dc, left + r, bottom - r - 1, left + width, bottom - r - 1);
    ChartLine(dc, left, bottom - 1, left + width, bottom - 1);
    ChartLine(dc, left + width - 1, top, left + width - 1, bottom - 1);

    SetTextColor(dc, PaletteColorOf(kColorLeftSeries));
    char label[16];
    const int labelRow = bottom - r / 2 - p / 2;
    std::snprintf(label, sizeof label, "%d", scale.heightOrigin);
    DrawCentredLabel(dc, label, left + r, labelRow);
    const int heightStep = HeightLabelStep(TextSize(dc, kThreeBlanks).cx, width, r);
    for (int k = 1; k <= kBmiAxisSteps; ++k) {
        const int x = left + r + k * (width / kBmiAxisSteps);
        const bool major = k % heightStep == 0;
        ChartLine(dc, x, major ? bottom - r - p : bottom - r - p / 2, x, bottom - r);
        if (!major || k > kBmiLastLabelledStep) continue;
        std::snprintf(label, sizeof label, "%d", scale.heightOrigin + 5 * k);
        DrawCentredLabel(dc, label, x, labelRow);
    }

    std::snprintf(label, sizeof label, "%3d", scale.weightOrigin);
    DrawBoldText(dc, left - 1, bottom - r - p, label);
    const int weightStep = WeightLabelStep(p, height);
    for (int k = 1; k <= kBmiAxisSteps; ++k) {
        const int y = BmiWeightStepRow(scale, k);
        ChartLine(dc, left + r, y, k % weightStep == 0 ? left + r + p : left + r + p / 2, y);
        if (!BmiWeightLabelShown(scale, coveredRows, k)) continue;
        std::snprintf(label, sizeof label, "%3d", scale.weightOrigin + 5 * k);
        DrawBoldText(dc, left - 1, y - p / 2, label);
    }

    if (BmiWeightUnitShown(scale, coveredRows)) DrawBoldText(dc, left + 4, top + coveredRows + 2, "kg");
    DrawBoldText(dc, right - r - 4, bottom - r / 2 - p / 2 - 2, "cm");
}

// On a white backing with a thin edge, so that the bands, the curves and the
// cross-hair never run through the letters.
int WidestLine(HDC dc, const char* const* lines, int count) {
    int widest = 0;
    for (int i = 0; i < count; ++i) {
        const int width = TextSize(dc, lines[i]).cx + 1;  // drawn twice, 1 apart
        if (width > widest) widest = width;
    }
    return widest;
}

// The figure lines in the body font, or a narrower one where the panel is
// narrower than they are; a line left empty (no target) takes no row. Below
// them the trend's line in the first of its forms that fits the panel; in a
// low chart it is the first line left out.
void DrawFigures(HDC dc, const BmiPanelLayout& panel, const BmiScale& scale, const BmiChartFacts& facts,
                 ChartPoint marker) {
    const BmiFigures figures = FormatBmiFigures(facts.analysis, facts.targetWeight, facts.namedDay);
    const char* lines[kBmiFigureLines + 1];
    int count = 0;
    for (const char* line : figures.line)
        if (line[0] != '\0') lines[count++] = line;
    const int room = BmiFiguresRoom(scale);
    int widest = WidestLine(dc, lines, count);
    FontSize font = panel.bodyFont;
    if (widest > room && room > 0) {
        font.width = font.width * room / widest;
        font.height = 2 * font.width;
    }
    ScopedFont narrower(dc, font.width < panel.bodyFont.width && font.width > 0
                                ? CreateChartFont(font, kBodyFace, SHIFTJIS_CHARSET)
                                : nullptr);
    const BmiTrendLine trend = FormatBmiTrendLine(facts.trend, facts.targetWeight);
    int widths[kBmiTrendForms] = {};
    for (int i = 0; i < trend.forms; ++i) widths[i] = TextSize(dc, trend.form[i]).cx + 1;
    const int form = BmiTrendFormThatFits(trend, widths, room);
    if (form >= 0) lines[count++] = trend.form[form];
    widest = WidestLine(dc, lines, count);
    // At least the font's height: a narrowed face may measure a pixel less, and its lines would touch.
    const int lineHeight = std::max<int>(TextSize(dc, kThreeDigits).cy, font.height);
    const BmiFigureBox place = PlaceBmiFigures(scale, panel.coveredRows, widest, count, BmiMarkerShown(facts), marker,
                                               lineHeight);
    if (place.lines == 0) return;
    {
        ScopedPen edge(dc, PS_SOLID, 1, PaletteColorOf(kColorBmiLines));
        ScopedBrush backing(dc, kWhite);
        Rectangle(dc, place.box.left, place.box.top, place.box.right, place.box.bottom);
    }
    SetTextColor(dc, PaletteColorOf(kColorLeftSeries));
    for (int i = 0; i < place.lines; ++i) DrawBoldText(dc, place.textLeft, place.firstRow + i * place.lineStep, lines[i]);
}

// Everything inside the chart area, which clips it: bands, marker, axes, figures.
void DrawChart(HDC dc, const BmiPanelLayout& panel, const BmiChartFacts& facts) {
    const ChartBox& area = panel.area;
    const SIZE digits = TextSize(dc, kThreeDigits);
    FilledBox(dc, PaletteColorOf(kColorBmiArea), area.left, area.top, area.right, area.bottom);
    if (area.right <= area.left || area.bottom <= area.top) return;
    ScopedClip clip(dc, area.left, area.top, area.right, area.bottom);

    const bool markerShown = BmiMarkerShown(facts);
    BmiScale scale = {};
    scale.area = area;
    scale.heightOrigin = BmiHeightOrigin(facts.userLoaded, facts.height);
    scale.weightOrigin = BmiWeightOrigin(facts.recordSelected, facts.analysis.averageWeight);
    scale.digitsWidth = digits.cx;
    scale.textHeight = digits.cy;

    DrawClassBands(dc, scale);
    const ChartPoint marker = BmiMarkerCentre(scale, facts.height, facts.analysis.averageWeight);
    if (markerShown) DrawMarker(dc, scale, marker);
    DrawAxes(dc, scale, panel.coveredRows);
    if (BmiFiguresShown(facts, panel.width, TextSize(dc, kFigureDigits).cx))
        DrawFigures(dc, panel, scale, facts, marker);
}

}  // namespace

void paintBmiPanel(HDC dc, const BmiPanelLayout& panel, const BmiChartFacts& facts) {
    if (panel.width <= 0 || panel.height <= 0) return;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = GetTextColor(dc);
    DrawFrameAndTitle(dc, panel);
    {
        ScopedFont body(dc, CreateChartFont(panel.bodyFont, kBodyFace, SHIFTJIS_CHARSET));
        SetTextColor(dc, kBlack);
        DrawChart(dc, panel, facts);
    }
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

void drawBmiChart(HDC dc, HPALETTE palette, const BmiPanelLayout& panel, const BmiChartFacts& facts) {
    if (panel.width <= 0 || panel.height <= 0) return;
    OffscreenCanvas canvas(dc, palette, panel.width, panel.height);
    if (!canvas.ok()) return;
    PaintedTextOrigin origin(panel.x, panel.y);
    paintBmiPanel(canvas.dc(), panel, facts);
    canvas.CopyTo(panel.x, panel.y);
}
