// The open user's days as a CSV file for a spreadsheet, a doctor or another
// program: the date as yyyy/mm/dd, every quantity the user records, the BMI
// and its class, the weight trend and the diary text last, under a header
// line in Japanese. CR LF line ends; a cell with a comma, quote or line break
// is quoted as spreadsheets expect. The program reads such a file back to the
// very days it came from (day_table.h).
#ifndef PELMO_EXPORT_CSV_EXPORT_H
#define PELMO_EXPORT_CSV_EXPORT_H

#include <cstdint>
#include <string>
#include <vector>

#include "corelib/dates.h"
#include "corelib/notice.h"
#include "diary/records.h"

enum class CsvEncoding {
    kUtf8,      // with a byte-order mark, so that spreadsheets read Japanese right
    kShiftJis,
};

// The weight trend of each record (same order), or empty for no trend column.
// A day without a trend value has NaN.
using TrendColumn = std::vector<double>;

// The CSV text, in Shift-JIS, of count records under header, with the
// quantities items has switched on.
std::string CsvText(const DailyRecord* records, std::uint32_t count, const UserHeader& header,
                    const InputItemFlags& items, const TrendColumn& trend);

// One cell as CSV writes it: quoted (quotes doubled) when it holds a comma,
// a quote or a line break.
std::string CsvCell(const std::string& text);

// The bytes of the file: Shift-JIS text as it is, or UTF-8 with its mark.
std::string CsvFileBytes(const std::string& text, CsvEncoding encoding);

// Writes bytes to path crash-safely: a new file beside it, renamed into
// place. The notice names the file when it could not be written (then
// nothing of it is left behind); empty on success.
Notice WriteCsvFile(const std::string& path, const std::string& bytes);

// The name proposed for the file: "<user name>_<yyyymmdd>.csv", with the
// characters a file name cannot hold made "_".
std::string ProposedCsvName(const UserHeader& header, const CalendarDate& today);

extern const char kExportCaption[];   // "CSVファイルに書き出す"
extern const char kNothingToExportText[];
extern const char kExportFailedText[];  // printf format with the file's name
extern const char kExportedText[];      // printf format with the count and the file's name

#endif
