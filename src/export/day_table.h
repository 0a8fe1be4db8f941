// Reading days out of a table another program wrote: a CSV file, the cells
// a spreadsheet puts on the clipboard, this program's own CSV export or its
// "まとめてコピー" text. What comes out is every row of the table either as a
// reading of a day or as a line refused with its reason; nothing is dropped
// without a word. Weights stay in the table's unit here (the person may have
// to say which it is); the plan of the import (import_plan.h) converts them.
#ifndef PELMO_EXPORT_DAY_TABLE_H
#define PELMO_EXPORT_DAY_TABLE_H

#include <cstddef>
#include <string>
#include <vector>

#include "corelib/notice.h"
#include "export/import_dates.h"
#include "export/table_text.h"

// The quantities a table may hold besides the date.
enum DayColumn : int {
    kColumnWeight,
    kColumnBodyFat,
    kColumnTemperature,
    kColumnCondition,
    kColumnSleep,
    kColumnSteps,
    kColumnIntake,
    kColumnExercise,
    kColumnDiary,
    kDayColumnCount,
};

enum class WeightUnit { kKg, kLb };

struct DayReading {
    long line;                  // where the row starts in the file
    ImportDate date;
    double values[kColumnDiary] = {};  // weight in the table's unit, unless weightInLb says
    bool present[kDayColumnCount] = {};  // the cell held something
    bool weightInLb = false;    // the cell itself said "lb"
    bool weightInKg = false;    // the cell itself said "kg"
    std::string diary;          // Shift-JIS
};

struct RefusedLine {
    long line;
    std::string reason;
};

struct DayTable {
    Notice refusal;                  // the text is no table at all: nothing else is filled
    TableEncoding encoding = TableEncoding::kShiftJis;
    char separator = ',';
    bool headerFound = false;
    bool unitStated = false;         // the header or a unit line said kg or lb
    WeightUnit statedUnit = WeightUnit::kKg;
    std::vector<DayReading> readings;     // in the table's order
    std::vector<RefusedLine> refused;     // in the table's order
    long estimated = 0;              // rows the table marks as estimated or interpolated, left out
    std::size_t unmapped = 0;        // characters with no Shift-JIS form, now "?"
};

struct TableReadOptions {
    LocalOffsetFunction localOffset = SystemLocalOffset;
    TableProgress progress = nullptr;
    void* progressContext = nullptr;
};

// The days of a table's bytes, as a file holds them or the clipboard gave them.
DayTable ReadDayTable(const std::string& bytes, const TableReadOptions& options = TableReadOptions{});

// The texts of the refusals (exact, for the program's windows and its tests).
extern const char kImportCaption[];        // "CSVファイルから読み込む"
extern const char kEmptyTableText[];
extern const char kBinaryTableText[];
extern const char kNoDayRowsText[];

#endif
