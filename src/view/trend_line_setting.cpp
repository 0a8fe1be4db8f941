#include "view/trend_line_setting.h"

#include <cstring>

#include "corelib/registry.h"
#include "resources/resource.h"
#include "view/diary_state.h"
#include "view/graph_view.h"

namespace {

const char kTrendLineValue[] = "TRENDLINE";

}  // namespace

bool ReadTrendLineSetting() {
    char text[16] = "";
    if (!GetRegistryValue(kTrendLineValue, text, sizeof text, kAreaSettings)) return true;
    return std::strcmp(text, "0") != 0;
}

void ShowTrendLineCheck(HWND window) {
    HWND top = GetAncestor(window, GA_ROOT);
    HMENU menu = top ? GetMenu(top) : nullptr;
    if (menu) CheckMenuItem(menu, ID_VIEW_TREND, MF_BYCOMMAND | (g_diary.trendShown ? MF_CHECKED : MF_UNCHECKED));
}

LRESULT ToggleTrendLine(HWND window) {
    g_diary.trendShown = !g_diary.trendShown;
    SetRegistryValue(kTrendLineValue, g_diary.trendShown ? "1" : "0", kAreaSettings);
    ShowTrendLineCheck(window);
    RepaintGraph(window);
    return 1;
}
