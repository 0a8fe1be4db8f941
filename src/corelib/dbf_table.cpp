#include "corelib/dbf_table.h"

#include <cstring>

#include "corelib/dates.h"
#include "corelib/files.h"
#include "corelib/sjis.h"

namespace {

constexpr std::size_t kCountOffset = 4;
constexpr std::size_t kHeaderLengthOffset = 8;
constexpr std::size_t kRowLengthOffset = 10;
constexpr std::size_t kFieldTypeOffset = 11;
constexpr std::size_t kFieldWidthOffset = 16;
constexpr std::size_t kFieldDecimalsOffset = 17;
constexpr std::size_t kMaxRowLength = 65535;

std::uint16_t Read16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::uint32_t Read32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void Write16(unsigned char* p, std::size_t value) {
    p[0] = static_cast<unsigned char>(value);
    p[1] = static_cast<unsigned char>(value >> 8);
}

void Write32(unsigned char* p, std::size_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

bool ReadWholeFile(const char* name, std::vector<char>* bytes) {
    FileHandle file = FileOpen(name, kFileRead);
    if (file == kInvalidFile) return false;
    std::int64_t size = FileSize(file);
    bool ok = size >= 0 && size < (std::int64_t(1) << 31);
    if (ok) {
        bytes->resize(static_cast<std::size_t>(size));
        ok = FileRead(file, name, bytes->data(), static_cast<long>(size)) == size;
    }
    FileClose(file, name);
    return ok;
}

// The header ends right after its terminator; some writers add one NUL after it.
bool HeaderEndsAtItsTerminator(const unsigned char* data, std::size_t terminator, std::size_t headerLength) {
    return headerLength == terminator + 1 || (headerLength == terminator + 2 && data[terminator + 1] == 0);
}

// The rows fill the rest of the bytes exactly, with or without the end marker.
bool HoldsExactlyItsRows(const std::vector<char>& bytes, std::size_t headerLength, std::size_t stored,
                         std::size_t rowLength) {
    std::size_t body = bytes.size() - headerLength;
    if (stored > body / rowLength) return false;
    std::size_t rows = stored * rowLength;
    return body == rows || (body == rows + 1 && static_cast<unsigned char>(bytes.back()) == kDbfFileEnd);
}

bool RowsStartWithAFlag(const DbfTable& table) {
    for (std::size_t physical = 0; physical < table.rowCount(); ++physical) {
        char flag = table.row(physical)[0];
        if (flag != kDbfLiveFlag && flag != kDbfDeletedFlag) return false;
    }
    return true;
}

}  // namespace

bool ParseDbf(const std::vector<char>& bytes, DbfTable* table) {
    const unsigned char* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() < kDbfHeaderSize + 1 || (data[0] & 0x07) != kDbfVersion) return false;
    std::size_t headerLength = Read16(data + kHeaderLengthOffset);
    std::size_t rowLength = Read16(data + kRowLengthOffset);
    if (headerLength < kDbfHeaderSize + 1 || headerLength > bytes.size() || rowLength < 1) return false;

    DbfTable parsed;
    parsed.rowLength = rowLength;
    std::size_t offset = 0;
    std::size_t at = kDbfHeaderSize;
    for (; at + kDbfDescriptorSize <= headerLength && data[at] != kDbfHeaderEnd; at += kDbfDescriptorSize) {
        const unsigned char* descriptor = data + at;
        DbfField field;
        std::size_t nameLength = 0;
        while (nameLength < kDbfFieldNameSize && descriptor[nameLength] != 0) ++nameLength;
        field.name.assign(reinterpret_cast<const char*>(descriptor), nameLength);
        field.type = static_cast<char>(descriptor[kFieldTypeOffset]);
        field.width = descriptor[kFieldWidthOffset];
        // Clipper stores character fields wider than 255 with the decimals byte as high byte.
        if (field.type == 'C') field.width |= static_cast<std::size_t>(descriptor[kFieldDecimalsOffset]) << 8;
        field.offset = offset;
        offset += field.width;
        parsed.fields.push_back(field);
    }
    if (parsed.fields.empty() || at >= headerLength || data[at] != kDbfHeaderEnd) return false;
    if (offset + 1 != rowLength) return false;

    std::size_t stored = Read32(data + kCountOffset);
    std::size_t available = (bytes.size() - headerLength) / rowLength;
    std::size_t count = stored < available ? stored : available;
    parsed.header.assign(data, data + headerLength);
    parsed.rows.assign(bytes.begin() + static_cast<std::ptrdiff_t>(headerLength),
                       bytes.begin() + static_cast<std::ptrdiff_t>(headerLength + count * rowLength));
    parsed.whole = HeaderEndsAtItsTerminator(data, at, headerLength) &&
                   HoldsExactlyItsRows(bytes, headerLength, stored, rowLength) && RowsStartWithAFlag(parsed);
    *table = std::move(parsed);
    return true;
}

std::vector<char> SerializeDbf(const DbfTable& table) {
    std::vector<unsigned char> header = table.header;
    const CalendarDate today = Today();
    header[1] = static_cast<unsigned char>(today.year - 1900);
    header[2] = static_cast<unsigned char>(today.month);
    header[3] = static_cast<unsigned char>(today.day);
    Write32(header.data() + kCountOffset, table.rowCount());
    std::vector<char> bytes(header.begin(), header.end());
    bytes.insert(bytes.end(), table.rows.begin(), table.rows.end());
    bytes.push_back(static_cast<char>(kDbfFileEnd));
    return bytes;
}

bool NewDbf(const DbfFieldSpec* fields, int count, DbfTable* table) {
    if (count <= 0) return false;
    std::size_t headerLength = kDbfHeaderSize + kDbfDescriptorSize * static_cast<std::size_t>(count) + 1;
    if (headerLength > 0xFFFF) return false;
    DbfTable fresh;
    fresh.header.assign(headerLength, 0);
    unsigned char* header = fresh.header.data();
    header[0] = kDbfVersion;
    header[kDbfLanguageOffset] = kDbfLanguageJapanese;
    std::size_t offset = 0;
    for (int i = 0; i < count; ++i) {
        const DbfFieldSpec& wanted = fields[i];
        std::size_t nameLength = std::strlen(wanted.name);
        if (nameLength == 0 || nameLength > kDbfFieldNameSize - 1 || wanted.width <= 0 || wanted.width > 254 ||
            wanted.decimals < 0 || wanted.decimals > 15)
            return false;
        unsigned char* descriptor = header + kDbfHeaderSize + kDbfDescriptorSize * static_cast<std::size_t>(i);
        std::memcpy(descriptor, wanted.name, nameLength);
        descriptor[kFieldTypeOffset] = static_cast<unsigned char>(wanted.type);
        descriptor[kFieldWidthOffset] = static_cast<unsigned char>(wanted.width);
        descriptor[kFieldDecimalsOffset] = static_cast<unsigned char>(wanted.decimals);
        fresh.fields.push_back(DbfField{wanted.name, wanted.type, static_cast<std::size_t>(wanted.width), offset});
        offset += static_cast<std::size_t>(wanted.width);
    }
    if (offset + 1 > kMaxRowLength) return false;
    header[headerLength - 1] = kDbfHeaderEnd;
    Write16(header + kHeaderLengthOffset, headerLength);
    Write16(header + kRowLengthOffset, offset + 1);
    fresh.rowLength = offset + 1;
    fresh.whole = true;
    *table = std::move(fresh);
    return true;
}

bool DbfFileIsComplete(const char* path, void*) {
    std::vector<char> bytes;
    if (!ReadWholeFile(path, &bytes)) return false;
    DbfTable table;
    // The program's own writes end with the end marker: a new file without it was cut.
    return ParseDbf(bytes, &table) && table.whole && static_cast<unsigned char>(bytes.back()) == kDbfFileEnd;
}

bool LoadDbf(const char* name, const DbfLayout* layout, DbfTable* table) {
    RecoverAtomicFile(name, DbfFileIsComplete, nullptr);
    std::vector<char> bytes;
    if (!ReadWholeFile(name, &bytes) || !ParseDbf(bytes, table)) return false;
    table->layout = layout;
    return true;
}

bool SaveDbf(const char* name, const DbfTable& table) {
    std::vector<char> bytes = SerializeDbf(table);
    FilePart part{bytes.data(), bytes.size()};
    return WriteFileAtomically(name, &part, 1) != 0;
}

long PhysicalRow(const DbfTable& table, long row) {
    if (row < 0) return -1;
    std::size_t count = table.rowCount();
    for (std::size_t physical = 0; physical < count; ++physical) {
        if (table.row(physical)[0] == kDbfDeletedFlag) continue;
        if (row-- == 0) return static_cast<long>(physical);
    }
    return -1;
}

long LiveRowCount(const DbfTable& table) {
    long live = 0;
    for (std::size_t physical = 0; physical < table.rowCount(); ++physical)
        if (table.row(physical)[0] != kDbfDeletedFlag) ++live;
    return live;
}

const DbfField* FindDbfField(const DbfTable& table, const char* name) {
    for (const DbfField& field : table.fields)
        if (SameTextIgnoringCase(field.name.c_str(), name)) return &field;
    return nullptr;
}

namespace {

// True when the stored fields are the layout's, at its widths: rows go over as stored.
bool StoredAsLaidOut(const DbfTable& table) {
    const DbfLayout* layout = table.layout;
    if (layout == nullptr) return true;
    if (table.fields.size() != static_cast<std::size_t>(layout->count)) return false;
    for (int i = 0; i < layout->count; ++i)
        if (table.fields[i].width != static_cast<std::size_t>(layout->fields[i].width)) return false;
    return true;
}

// The stored field that holds the layout's field `index`: by name, else by position.
const DbfField* StoredField(const DbfTable& table, int index) {
    if (const DbfField* named = FindDbfField(table, table.layout->fields[index].name)) return named;
    return static_cast<std::size_t>(index) < table.fields.size() ? &table.fields[index] : nullptr;
}

// Copies text (length bytes) into out (width bytes), cut without splitting a
// character and blank-filled.
void CopyText(const char* text, std::size_t length, char* out, std::size_t width) {
    std::size_t end = 0;
    while (end < length && end < width) {
        std::size_t step = IsSjisLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + step > length || end + step > width) break;
        end += step;
    }
    std::memcpy(out, text, end);
    std::memset(out + end, ' ', width - end);
}

// Copies a number's text right-aligned into width bytes.
void CopyNumber(const char* text, std::size_t length, char* out, std::size_t width) {
    std::size_t begin = 0;
    while (begin < length && text[begin] == ' ') ++begin;
    while (length > begin && (text[length - 1] == ' ' || text[length - 1] == '\0')) --length;
    std::size_t digits = length - begin;
    if (digits > width) {  // keep the last digits rather than overrun
        begin = length - width;
        digits = width;
    }
    std::memset(out, ' ', width - digits);
    std::memcpy(out + width - digits, text + begin, digits);
}

// A field's text moved between two widths, as its type wants.
void CopyField(char type, const char* text, std::size_t length, char* out, std::size_t width) {
    if (type == 'N')
        CopyNumber(text, length, out, width);
    else
        CopyText(text, length, out, width);
}

}  // namespace

std::size_t HandedRowLength(const DbfTable& table) {
    if (StoredAsLaidOut(table)) return table.rowLength - 1;
    std::size_t length = 0;
    for (int i = 0; i < table.layout->count; ++i) length += static_cast<std::size_t>(table.layout->fields[i].width);
    return length;
}

void HandOverRow(const DbfTable& table, std::size_t physical, char* out) {
    const char* fields = table.row(physical) + 1;
    if (StoredAsLaidOut(table)) {
        std::memcpy(out, fields, table.rowLength - 1);
        out[table.rowLength - 1] = '\0';
        return;
    }
    char* at = out;
    for (int i = 0; i < table.layout->count; ++i) {
        const DbfFieldSpec& wanted = table.layout->fields[i];
        std::size_t width = static_cast<std::size_t>(wanted.width);
        if (const DbfField* stored = StoredField(table, i))
            CopyField(wanted.type, fields + stored->offset, stored->width, at, width);
        else
            std::memset(at, ' ', width);
        at += width;
    }
    *at = '\0';
}

std::string TakeOverRow(const DbfTable& table, const char* row) {
    std::size_t given = HandedRowLength(table);
    std::string text(given, ' ');
    for (std::size_t i = 0; i < given && row[i] != '\0'; ++i) text[i] = row[i];
    std::string stored(table.rowLength, ' ');
    stored[0] = kDbfLiveFlag;
    if (StoredAsLaidOut(table)) {
        // A text cut to its field's width must not end in half a character.
        for (const DbfField& field : table.fields) {
            const char* from = text.data() + field.offset;
            if (field.type == 'C')
                CopyText(from, field.width, &stored[1 + field.offset], field.width);
            else
                std::memcpy(&stored[1 + field.offset], from, field.width);
        }
        return stored;
    }
    std::size_t at = 0;
    for (int i = 0; i < table.layout->count; ++i) {
        const DbfFieldSpec& laidOut = table.layout->fields[i];
        std::size_t width = static_cast<std::size_t>(laidOut.width);
        if (const DbfField* target = StoredField(table, i))
            CopyField(laidOut.type, text.data() + at, width, &stored[1 + target->offset], target->width);
        at += width;
    }
    return stored;
}
