// What an import will do to the open user's diary, and doing it in one step.
//
// The plan takes the table's readings in the unit the person chose: one
// reading per day (the earliest by time; the later ones of the same day are
// named as left out), each weight and body fat checked as the day dialog
// checks them, and each day compared with the diary: new, already there with
// other values, or identical. Applying it stores the days in date order, with
// their BMI, and writes the user's file once, crash-safely, after a copy of
// the diary as it was has been kept beside it: the last import can be undone
// until the next import or the next day stored or deleted.
#ifndef PELMO_EXPORT_IMPORT_PLAN_H
#define PELMO_EXPORT_IMPORT_PLAN_H

#include <cstdint>
#include <string>
#include <vector>

#include "corelib/notice.h"
#include "diary/records.h"
#include "export/day_table.h"

enum class DayChange { kNew, kDifferent, kSame };

struct PlannedDay {
    const DayReading* reading;  // in the table the plan was made from
    double weightKg;            // converted and in tenths, as the day dialog stores it
    DayChange change;
};

struct ImportPlan {
    WeightUnit unit = WeightUnit::kKg;
    std::vector<PlannedDay> days;         // date order, one per date
    std::vector<RefusedLine> refused;     // the table's and the plan's, in line order
    long newDays = 0;
    long differentDays = 0;
    long sameDays = 0;
    long laterReadings = 0;               // of the refused: readings after a day's first
    long cutDiaries = 0;                  // diary texts longer than 999 bytes, cut
};

// The plan of table against count records (date order) of the diary. unit
// is the person's choice for a table that does not state its own.
ImportPlan PlanImport(const DayTable& table, WeightUnit unit, const DailyRecord* records, std::uint32_t count);

// What to do with a day the diary has with other values.
enum class ExistingDay { kKeepDiary, kTakeFile };

struct ImportOutcome {
    bool done = false;   // the diary and its file hold the imported days
    long stored = 0;     // days added or changed
    Notice notice;       // what to tell: the result, or why nothing changed
};
// Applies plan to the open user's diary (the plan must have been made against
// it as it is now). Nothing changes when the plan stores no day, when the
// copy for the undo cannot be written or when the file cannot be written.
ImportOutcome ApplyImport(const ImportPlan& plan, ExistingDay existing);

// The last import can be undone: it was into the open user, whose days
// are still the ones it left, all of them written.
bool CanUndoImport();
// The question asked before the undo: what it will undo.
Notice UndoImportQuestion();
// Puts the diary back as it was before the last import, crash-safely.
ImportOutcome UndoImport();
// Forgets the last import and removes its copy (at the end of the run).
void ForgetImport();

// The name of the copy kept beside the data file for the undo.
std::string UndoCopyName(long userNumber);

extern const char kUndoCaption[];          // "読み込みを元に戻す"
extern const char kNothingToUndoText[];
extern const char kImportSaveFailedText[];
extern const char kUndoCopyFailedText[];

#endif
