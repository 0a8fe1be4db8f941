#include "export/table_text.h"

#include "corelib/text_encoding.h"

namespace {

bool StartsWith(const std::string& bytes, const char* prefix, std::size_t length) {
    return bytes.size() >= length && bytes.compare(0, length, prefix, length) == 0;
}

// NUL or control codes other than tab, line breaks, form feed and the end-of-file mark.
bool LooksBinary(const std::string& text) {
    std::size_t controls = 0;
    for (unsigned char byte : text) {
        if (byte == 0) return true;
        if (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n' && byte != '\f' && byte != 0x1A) ++controls;
    }
    return controls > 8 && controls * 100 > text.size();
}

// UTF-16 without its mark, as some programs write it: the high bytes of
// ASCII text are NUL. 0 for none, else 1 little-endian, 2 big-endian.
int UnmarkedUtf16(const std::string& bytes) {
    const std::size_t sample = bytes.size() < 2000 ? bytes.size() & ~std::size_t{1} : 2000;
    if (sample < 4) return 0;
    std::size_t evenNuls = 0, oddNuls = 0;
    for (std::size_t at = 0; at < sample; at += 2) {
        evenNuls += bytes[at] == '\0';
        oddNuls += bytes[at + 1] == '\0';
    }
    const std::size_t units = sample / 2;
    if (oddNuls * 10 >= units * 7 && evenNuls * 10 < units) return 1;
    if (evenNuls * 10 >= units * 7 && oddNuls * 10 < units) return 2;
    return 0;
}

}  // namespace

DecodedTable DecodeTableBytes(const std::string& bytes) {
    DecodedTable table;
    const int unmarked = UnmarkedUtf16(bytes);
    if (StartsWith(bytes, "\xFF\xFE", 2) || StartsWith(bytes, "\xFE\xFF", 2)) {
        table.encoding = TableEncoding::kUtf16;
        const bool bigEndian = bytes[0] == '\xFE';
        table.text = Cp932OfUtf8(Utf8OfUtf16(bytes.data() + 2, bytes.size() - 2, bigEndian), &table.unmapped);
    } else if (unmarked) {
        table.encoding = TableEncoding::kUtf16;
        table.text = Cp932OfUtf8(Utf8OfUtf16(bytes.data(), bytes.size(), unmarked == 2), &table.unmapped);
    } else if (StartsWith(bytes, "\xEF\xBB\xBF", 3)) {
        table.encoding = TableEncoding::kUtf8;
        table.text = Cp932OfUtf8(bytes.substr(3), &table.unmapped);
    } else if (IsUtf8(bytes.data(), bytes.size())) {
        // Shift-JIS text is rarely valid UTF-8 as well; ASCII is both.
        table.encoding = TableEncoding::kUtf8;
        table.text = Cp932OfUtf8(bytes, &table.unmapped);
    } else {
        table.text = bytes;
    }
    table.binary = LooksBinary(table.text);
    return table;
}

char DetectSeparator(const std::string& text) {
    const char candidates[] = {'\t', ';', ','};
    std::size_t best = 0;
    char chosen = ',';
    for (char separator : candidates) {
        // Over the first lines that hold it at all (a title line may hold
        // none): a separator that splits each of them the same number of
        // times as the first wins.
        std::size_t lines = 0, first = 0, steady = 0, inLine = 0;
        bool quoted = false;
        for (std::size_t at = 0; at < text.size() && lines < 20; ++at) {
            char c = text[at];
            if (c == '"') quoted = !quoted;
            if (!quoted && c == separator) ++inLine;
            if ((!quoted && c == '\n') || at + 1 == text.size()) {
                if (inLine > 0) {
                    if (lines == 0) first = inLine;
                    if (inLine == first) ++steady;
                    ++lines;
                }
                inLine = 0;
            }
        }
        std::size_t score = steady * 1000 + first;
        if (score > best) {
            best = score;
            chosen = separator;
        }
    }
    return chosen;
}

namespace {

struct Splitter {
    const std::string& text;
    char separator;
    std::vector<TableRow>* rows;
    long line = 1;

    // Splits from `at` to the end. With quotesSpanLines false a quote closes
    // at the end of its line. Returns npos when done, else the position of
    // the start of the row whose quote stayed open (nothing of it was kept).
    std::size_t Run(std::size_t at, bool quotesSpanLines, TableProgress progress, void* context) {
        TableRow row;
        std::string cell;
        bool quoted = false, wasQuoted = false;
        std::size_t rowStart = at;
        long rowLine = line;
        std::size_t nextReport = at + (1u << 20);
        auto endCell = [&]() {
            row.cells.push_back(cell);
            cell.clear();
            wasQuoted = false;
        };
        auto endRow = [&]() {
            endCell();
            bool blank = row.cells.size() == 1 && row.cells[0].empty();
            if (!blank) {
                row.line = rowLine;
                rows->push_back(std::move(row));
            }
            row = TableRow{};
        };
        for (; at < text.size(); ++at) {
            char c = text[at];
            if (progress && at >= nextReport) {
                progress(context, at, text.size());
                nextReport = at + (1u << 20);
            }
            if (quoted) {
                if (c == '"') {
                    if (at + 1 < text.size() && text[at + 1] == '"') {
                        cell += '"';
                        ++at;
                    } else {
                        quoted = false;
                    }
                    continue;
                }
                if (c == '\n') {
                    ++line;
                    if (!quotesSpanLines) {
                        quoted = false;
                        if (!cell.empty() && cell.back() == '\r') cell.pop_back();
                        endRow();
                        rowStart = at + 1;
                        rowLine = line;
                        continue;
                    }
                }
                cell += c;
                continue;
            }
            if (c == '"' && cell.empty() && !wasQuoted) {
                quoted = wasQuoted = true;
            } else if (c == separator) {
                endCell();
            } else if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
                // the line feed ends the line
            } else if (c == '\n' || c == '\r') {
                // A carriage return alone ends a line too, as old Macintosh programs write.
                ++line;
                endRow();
                rowStart = at + 1;
                rowLine = line;
            } else if (c == '\x1A' && at + 1 == text.size()) {
                // the end-of-file mark of old programs
            } else {
                cell += c;
            }
        }
        if (quoted && quotesSpanLines) {
            line = rowLine;
            return rowStart;
        }
        if (!cell.empty() && cell.back() == '\r') cell.pop_back();
        endRow();
        return std::string::npos;
    }
};

}  // namespace

std::vector<TableRow> SplitTable(const std::string& text, char separator, TableProgress progress, void* context) {
    std::vector<TableRow> rows;
    Splitter splitter{text, separator, &rows};
    std::size_t open = splitter.Run(0, true, progress, context);
    if (open != std::string::npos) splitter.Run(open, false, progress, context);
    if (progress) progress(context, text.size(), text.size());
    return rows;
}
