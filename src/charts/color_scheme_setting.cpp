#include "charts/color_scheme_setting.h"

#include "charts/chart_palette.h"
#include "corelib/registry.h"

int ReadColorSchemeSetting() {
    char text[32] = {};
    if (!GetRegistryValue("SYSCOLOR", text, sizeof text, kAreaSettings)) return 0;
    return ColorSchemeOfText(text);
}
