// The text of a table that another program wrote (a CSV file, a spreadsheet's
// cells on the clipboard): its encoding found and turned into the program's
// Shift-JIS, its separator found, and its lines split into cells.
#ifndef PELMO_EXPORT_TABLE_TEXT_H
#define PELMO_EXPORT_TABLE_TEXT_H

#include <cstddef>
#include <string>
#include <vector>

enum class TableEncoding { kShiftJis, kUtf8, kUtf16 };

struct DecodedTable {
    std::string text;            // Shift-JIS, without a byte-order mark
    TableEncoding encoding = TableEncoding::kShiftJis;
    bool binary = false;         // NUL bytes or control codes: no table at all
    std::size_t unmapped = 0;    // characters with no Shift-JIS form, now "?"
};
// UTF-16 with its byte-order mark (or without one, when the NUL high bytes
// of its ASCII say so); UTF-8 with or without one; else Shift-JIS.
DecodedTable DecodeTableBytes(const std::string& bytes);

// The separator of text: the one of tab, semicolon and comma that splits its
// first lines most evenly (quoted parts do not count); comma when none does.
char DetectSeparator(const std::string& text);

struct TableRow {
    long line;                       // 1-based line of the file where the row starts
    std::vector<std::string> cells;  // quotes removed, "" inside quotes made one
};
// Called now and then with the bytes split so far; null for none.
using TableProgress = void (*)(void* context, std::size_t done, std::size_t total);

// The rows of text. A quoted cell may hold separators and line breaks as
// spreadsheets write them. A quote left open to the end of the text would
// swallow every later line: from its line on, the text is split again line
// by line, with quotes closed at each line's end. Blank lines are left out.
std::vector<TableRow> SplitTable(const std::string& text, char separator, TableProgress progress = nullptr,
                                 void* context = nullptr);

#endif
