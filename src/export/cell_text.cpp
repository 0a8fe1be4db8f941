#include "export/cell_text.h"

#include <cstdlib>

#include "corelib/sjis.h"

namespace {

// The ASCII form of a full-width character lead/trail, or 0.
char AsciiOfWide(unsigned char lead, unsigned char trail) {
    if (lead == 0x82) {
        if (trail >= 0x4F && trail <= 0x58) return static_cast<char>('0' + (trail - 0x4F));
        if (trail >= 0x60 && trail <= 0x79) return static_cast<char>('a' + (trail - 0x60));
        if (trail >= 0x81 && trail <= 0x9A) return static_cast<char>('a' + (trail - 0x81));
    }
    if (lead == 0x81) {
        switch (trail) {
        case 0x40: return ' ';
        case 0x43: return ',';
        case 0x44: return '.';
        case 0x46: return ':';
        case 0x5E: return '/';
        case 0x7B: return '+';
        case 0x7C: return '-';
        case 0x5D: return '-';  // the full-width hyphen some apps use in dates
        case 0x69: return '(';
        case 0x6A: return ')';
        case 0x6D: return '[';
        case 0x6E: return ']';
        case 0x93: return '%';
        }
    }
    return 0;
}

}  // namespace

std::string FoldCell(const std::string& cell) {
    std::string folded;
    folded.reserve(cell.size());
    for (std::size_t at = 0; at < cell.size(); ++at) {
        unsigned char byte = static_cast<unsigned char>(cell[at]);
        if (IsSjisLeadByte(byte) && at + 1 < cell.size()) {
            unsigned char trail = static_cast<unsigned char>(cell[at + 1]);
            if (char ascii = AsciiOfWide(byte, trail)) {
                folded += ascii;
            } else {
                folded += cell[at];
                folded += cell[at + 1];
            }
            ++at;
            continue;
        }
        folded += (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : cell[at];
    }
    std::size_t first = folded.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    std::size_t last = folded.find_last_not_of(" \t");
    return folded.substr(first, last - first + 1);
}

bool ParseCellNumber(const std::string& folded, bool decimalComma, double* value, CellUnit* unit) {
    std::string number;
    std::size_t at = 0;
    if (at < folded.size() && (folded[at] == '+' || folded[at] == '-')) number += folded[at++];
    bool digits = false, point = false;
    for (; at < folded.size(); ++at) {
        char c = folded[at];
        if (c >= '0' && c <= '9') {
            number += c;
            digits = true;
        } else if (c == '.' || (c == ',' && decimalComma)) {
            if (point) return false;
            point = true;
            number += '.';
        } else {
            break;
        }
    }
    if (!digits || number.size() > 40) return false;
    while (at < folded.size() && folded[at] == ' ') ++at;
    std::string rest = folded.substr(at);
    *unit = CellUnit::kNone;
    if (rest == "kg") *unit = CellUnit::kKg;
    else if (rest == "lb" || rest == "lbs") *unit = CellUnit::kLb;
    else if (rest == "%") *unit = CellUnit::kPercent;
    else if (!rest.empty()) return false;
    *value = std::strtod(number.c_str(), nullptr);
    return true;
}
