// The open user's records as tab-separated text for a spreadsheet: a header
// line, then one line per day with date, weight, body fat, BMI, BMI class and
// the differences from the targets. Shift-JIS, CR LF line ends.
#ifndef PELMO_EXPORT_RECORDS_TEXT_H
#define PELMO_EXPORT_RECORDS_TEXT_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "diary/records.h"

extern const char kRecordsTextHeader[];
// The clipboard block holds this many bytes per line (the header counts as one).
constexpr std::size_t kRecordsTextLineSize = 150;

// Every record carries the BMI of its weight at the current height, as the
// record table stores it when it paints a row: a day whose row was never
// painted is not copied with a BMI of 0.
void RefreshRecordBmis();

// The text of count records under header's targets, without a final NUL.
std::string RecordsText(const DailyRecord* records, std::uint32_t count, const UserHeader& header);

// The size of the zero-filled block for a text of textLength bytes from count
// records: (count + 1) × 150, or more where a line is longer than 150 bytes
// (a weight no dialog accepts, from a damaged file), so that the text and
// its NUL always fit.
std::size_t RecordsTextBlockSize(std::uint32_t count, std::size_t textLength);

#endif
