// "IDD_IMPORT_PREVIEW": what an import will do, before anything changes. The
// counts of new days, of days the diary has with other values, of identical
// days and of refused lines (each listed with its line and reason); the
// choice for days already in the diary, and the weight unit when the table
// does not say it.
#ifndef PELMO_EXPORT_FILES_IMPORT_PREVIEW_H
#define PELMO_EXPORT_FILES_IMPORT_PREVIEW_H

#include <windows.h>

#include <string>

#include "export/day_table.h"
#include "export/import_plan.h"

// source: what the table came from, as the dialog names it. True when the
// person chose "読み込む"; then plan is the plan in the chosen unit and
// existing the choice for days already in the diary.
bool ImportPreviewDialog(HWND owner, const DayTable& table, const std::string& source, ImportPlan* plan,
                         ExistingDay* existing);

#endif
