// One cell of an imported table as the reader compares it: full-width digits,
// letters and signs as their ASCII forms, ASCII letters small, blanks trimmed.
#ifndef PELMO_EXPORT_CELL_TEXT_H
#define PELMO_EXPORT_CELL_TEXT_H

#include <string>

// Shift-JIS cell text folded as above; other characters stay as they are.
std::string FoldCell(const std::string& cell);

enum class CellUnit { kNone, kKg, kLb, kPercent };
// A number as a spreadsheet or an app writes it: digits with one point (or
// one comma instead when decimalComma), a sign, blanks and a unit after it
// ("kg", "lb", "lbs", "%"). False for anything else (also for text like
// "nan" or "1e5"). folded: a cell of FoldCell.
bool ParseCellNumber(const std::string& folded, bool decimalComma, double* value, CellUnit* unit);

#endif
