#include "resources/texts.h"

#include "resources/resource.h"

namespace {

struct TextEntry {
    unsigned id;
    const char* text;
};

const TextEntry kTexts[] = {
#define PELMO_STRING(id, text) {id, text},
#include "resources/strings.inc"
#undef PELMO_STRING
};

}  // namespace

const char* PelmoText(unsigned id) {
    for (const TextEntry& entry : kTexts)
        if (entry.id == id) return entry.text;
    return "";
}
