// Writes the committed seed inputs of the fuzz targets:
//
//   build/native/fuzz/pelmo_fuzz_seeds fuzz/corpus
//
// Each seed is a real file the program wrote (a diary of a few days, a users
// table of three users, a table shaped like the food table) or such a file
// damaged as a crash, a full disk or another program leaves it. The first
// byte of every seed says where the file lies (fuzz_support.h); in the
// backup information file's seeds it is the length of disk 1's file
// (targets/backup_info_fuzz.cpp).
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "backup/backup_info.h"
#include "corelib/dbf.h"
#include "corelib/environment.h"
#include "diary/diary_store.h"
#include "diary/input_items.h"
#include "diary/record_texts.h"
#include "diary/user_file.h"
#include "diary/users_table.h"

namespace {

using Bytes = std::vector<unsigned char>;
enum Layout : unsigned char { kFileOnly = 0, kLeftoverOnly = 1, kLeftoverBeside = 2 };

std::string g_work;  // the data folder the program writes into
std::string g_out;   // the corpus folder

Bytes ReadFile(const std::string& name) {
    std::ifstream in(g_work + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Seed(const char* target, const char* name, Layout layout, const Bytes& file) {
    std::string folder = g_out + "/" + target;
    mkdir(folder.c_str(), 0777);
    std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
    out.put(static_cast<char>(layout));
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), name);
        std::exit(1);
    }
}

void Need(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "make_seeds: %s failed\n", what);
        std::exit(1);
    }
}

DailyRecord Day(const char* date, double weight, double bodyFat, const char* diary) {
    DailyRecord r = {};
    std::memcpy(r.date, date, kDateLength);
    r.weight = weight;
    r.bodyFat = bodyFat;
    r.temperature = 36.4;
    r.condition = 2;
    r.sleep = 420;
    r.steps = 8000;
    r.intakeTotal = 1800;
    r.exercise = 250;
    SetDiaryText(r, diary);
    return r;
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) { std::memcpy(&bytes[at], &value, sizeof value); }

void UserFileSeeds() {
    UserHeader h = {};
    h.formatMark = 'A';
    h.userNumber = 7;
    SetUserName(h, "木村");
    h.age = 40;
    h.sex = 1;
    h.height = 158.0;
    h.activityLevel = 1;
    h.targetWeight = 52.0;
    h.targetBodyFat = 25.0;
    h.targetSteps = 8000;
    SetTargetMessage(h, "毎日歩く");
    std::vector<DailyRecord> days = {Day("20240101", 55.2, 27.5, "正月。よく食べた。"),
                                     Day("20240102", 55.0, 27.3, "散歩 40 分。"),
                                     Day("20240104", 54.8, 27.0, "表計算ソフトで記録を確認")};
    auto* block = static_cast<DailyRecord*>(std::malloc((days.size() + 1) * sizeof(DailyRecord)));
    std::memcpy(block, days.data(), days.size() * sizeof(DailyRecord));
    AdoptUser(h, block, static_cast<std::uint32_t>(days.size()), static_cast<std::uint32_t>(days.size() + 1));
    SetUserOpen();
    Need(SaveUser().done, "saving the diary");
    const Bytes diary = ReadFile("7.DAT");
    const std::size_t header = sizeof(UserHeader), record = sizeof(DailyRecord);
    const std::size_t countAt = offsetof(UserHeader, recordCount);

    Seed("user_file", "three-days", kFileOnly, diary);
    Bytes empty(diary.begin(), diary.begin() + header);
    PutU32(empty, countAt, 0);
    Seed("user_file", "no-days-yet", kFileOnly, empty);
    Seed("user_file", "cut-in-third-day", kFileOnly, Bytes(diary.begin(), diary.begin() + header + 2 * record + 700));
    Bytes promisesMore = diary;
    PutU32(promisesMore, countAt, 1000);
    Seed("user_file", "count-too-high", kFileOnly, promisesMore);
    Bytes extra = diary;
    PutU32(extra, countAt, 2);
    extra.insert(extra.end(), 100, 0xCC);
    Seed("user_file", "count-too-low-and-tail", kFileOnly, extra);
    Seed("user_file", "header-cut", kFileOnly, Bytes(diary.begin(), diary.begin() + 100));
    Seed("user_file", "empty-file", kFileOnly, Bytes());
    Bytes unterminated = diary;
    std::memset(&unterminated[offsetof(UserHeader, name)], 0x82, sizeof h.name);  // lead bytes up to the end
    std::memset(&unterminated[offsetof(UserHeader, targetMessage)], 'x', sizeof h.targetMessage);
    std::memset(&unterminated[header + offsetof(DailyRecord, diary)], 0x88, kDiaryCapacity);
    Seed("user_file", "texts-without-end", kFileOnly, unterminated);
    Bytes unordered = diary;
    std::memcpy(&unordered[header], "20240105", kDateLength);
    std::memcpy(&unordered[header + 2 * record], "20240102", kDateLength);
    Seed("user_file", "dates-out-of-order", kFileOnly, unordered);
    Seed("user_file", "leftover-whole-old-gone", kLeftoverOnly, diary);
    Seed("user_file", "leftover-cut-old-gone", kLeftoverOnly, Bytes(diary.begin(), diary.begin() + header + record));
    Seed("user_file", "leftover-beside-old", kLeftoverBeside, diary);
    CloseUser();
}

void InputItemSeeds() {
    Need(WriteInputItems(7, kNewUserItems) == 1, "writing the input items");
    Bytes items = ReadFile("ITEM7.DAT");
    Seed("input_items", "new-user-choice", kFileOnly, items);
    Seed("input_items", "every-item", kFileOnly, Bytes(7, 1));
    Seed("input_items", "short", kFileOnly, Bytes(items.begin(), items.begin() + 3));
    Bytes longer = items;
    longer.insert(longer.end(), 5, 1);
    Seed("input_items", "long", kFileOnly, longer);
    Seed("input_items", "not-flags", kFileOnly, Bytes{2, 0, 255, 1, 0, 7, 0});
    Seed("input_items", "empty-file", kFileOnly, Bytes());
    Seed("input_items", "leftover-whole-old-gone", kLeftoverOnly, items);
    Seed("input_items", "leftover-beside-old", kLeftoverBeside, items);
}

void UsersTableSeeds() {
    Need(EnsureUsersTable() == 1, "making the users table");
    const char* names[] = {"山田太郎", "佐藤", "ｽｽﾞｷ"};
    for (long i = 0; i < 3; ++i) {
        char row[kUsersRowLength + 1];
        FormatUsersRow(i, names[i], row);
        Need(WriteDBFRecord(nullptr, kUsersTable, row, kUsersNameField) == 1, "adding a user");
    }
    const Bytes users = ReadFile(kUsersTable);
    const std::size_t headerLength = users[8] | (users[9] << 8), rowLength = users[10] | (users[11] << 8);

    Seed("users_table", "three-users", kFileOnly, users);
    Bytes deleted = users;
    deleted[headerLength + rowLength] = '*';
    Seed("users_table", "second-row-deleted", kFileOnly, deleted);
    Bytes fewer = users;
    PutU32(fewer, 4, 2);
    Seed("users_table", "count-lowered", kFileOnly, fewer);
    Seed("users_table", "last-row-cut", kFileOnly, Bytes(users.begin(), users.end() - 20));
    Bytes longerHeader = users;
    longerHeader[8] = static_cast<unsigned char>(headerLength + 32);
    Seed("users_table", "header-length-changed", kFileOnly, longerHeader);
    Bytes shortRows = users;
    shortRows[10] = static_cast<unsigned char>(rowLength - 1);
    Seed("users_table", "row-length-wrong", kFileOnly, shortRows);
    Seed("users_table", "header-cut", kFileOnly, Bytes(users.begin(), users.begin() + 20));
    Seed("users_table", "leftover-whole-old-gone", kLeftoverOnly, users);
    Seed("users_table", "leftover-beside-old", kLeftoverBeside, users);

    // Another tool widened the fields.
    const DbfFieldSpec wide[] = {{kUsersNumberField, 'N', 8, 0}, {kUsersNameField, 'C', 40, 0}};
    Need(CreateDBFTable("WIDE.DBF", wide, 2) == 1, "making a wide table");
    Need(WriteDBFRecord(nullptr, "WIDE.DBF", "       3新しいツールで書いた名前", kUsersNameField) == 1, "a wide row");
    Seed("users_table", "wider-fields", kFileOnly, ReadFile("WIDE.DBF"));
}

void TableSeeds() {
    // The food table's row image: the kind digit at byte 55, the classification at 56 to 85.
    const DbfFieldSpec food[] = {{"CODE", 'C', 6, 0},   {"名称", 'C', 48, 0},  {"区分", 'C', 1, 0},
                                 {"分類", 'C', 30, 0},  {"KCAL", 'N', 6, 1},   {"量", 'N', 5, 0},
                                 {"MEMO", 'C', 200, 0}, {"ADDED", 'D', 8, 0},  {"USED", 'L', 1, 0},
                                 {"NOTE", 'C', 114, 0}};
    const char* kTable = "料理食品.DBF";
    Need(CreateDBFTable(kTable, food, 10) == 1, "making the food table");
    const char* rows[] = {"000001ご飯（茶碗１杯）",     "000002味噌汁",     "000003焼き魚（鮭）",
                          "000004ソース焼きそば表示"};
    const char* kinds[] = {"0穀類", "0汁物", "1魚介類", "0麺類"};
    for (int i = 0; i < 4; ++i) {
        std::string row(419, ' ');
        std::memcpy(&row[0], rows[i], std::strlen(rows[i]));
        row[54] = kinds[i][0];
        std::memcpy(&row[55], kinds[i] + 1, std::strlen(kinds[i] + 1));
        std::memcpy(&row[85], " 234.5", 6);
        std::memcpy(&row[296], "20240101T", 9);  // the date and the logical field
        Need(WriteDBFRecord(nullptr, kTable, row.c_str(), "CODE") == 1, "adding a food");
    }
    const Bytes table = ReadFile(kTable);
    const std::size_t headerLength = table[8] | (table[9] << 8), rowLength = table[10] | (table[11] << 8);
    Seed("dbf_table", "food-table", kFileOnly, table);
    Bytes deleted = table;
    deleted[headerLength] = '*';
    Seed("dbf_table", "first-row-deleted", kFileOnly, deleted);
    Bytes more = table;
    PutU32(more, 4, 70000);
    Seed("dbf_table", "count-beyond-rows", kFileOnly, more);
    Seed("dbf_table", "no-end-marker-row-cut", kFileOnly, Bytes(table.begin(), table.end() - rowLength / 2));
    Seed("dbf_table", "leftover-whole-old-gone", kLeftoverOnly, table);

    // A character field wider than 255 bytes, stored as Clipper does (decimals as high byte).
    const DbfFieldSpec narrow[] = {{"K", 'C', 4, 0}, {"TEXT", 'C', 44, 0}};
    Need(CreateDBFTable("CLIP.DBF", narrow, 2) == 1, "making a small table");
    Need(WriteDBFRecord(nullptr, "CLIP.DBF", "k001長い説明の行", "K") == 1, "a small row");
    Bytes clip = ReadFile("CLIP.DBF");
    Seed("dbf_table", "small-table", kFileOnly, clip);
    clip[32 + 32 + 16] = 44;
    clip[32 + 32 + 17] = 1;  // 44 + 256: the rows no longer add up
    Seed("dbf_table", "clipper-wide-field", kFileOnly, clip);
}

// Disk 1's information file and, when given, the one of the disk inserted next.
void BackupInfoSeed(const char* name, const Bytes& firstDisk, const Bytes& nextDisk = Bytes()) {
    Bytes input = firstDisk;
    input.insert(input.end(), nextDisk.begin(), nextDisk.end());
    Need(firstDisk.size() < 256, "a short first file");
    Seed("backup_info", name, static_cast<Layout>(firstDisk.size()), input);
}

void BackupInfoSeeds() {
    auto written = [](uint16_t disk, uint8_t continues) {
        BackupInfo info = {};
        info.diskNumber = disk;
        info.startTime = {2024, 2, 4, 29, 23, 59, 58, 999};
        info.continues = continues;
        info.fileCount = 2;
        Need(WriteBackupInfo(g_work, info) == 1, "writing the backup information");
        return ReadFile(kBackupInfoName);
    };
    const Bytes only = written(1, 0), first = written(1, 1), second = written(2, 0), third = written(3, 0);
    BackupInfoSeed("one-disk", only);
    BackupInfoSeed("two-disks", first, second);
    BackupInfoSeed("two-disks-the-second-going-on", first, written(2, 1));
    BackupInfoSeed("first-disk-inserted-again", first, first);
    BackupInfoSeed("third-disk-inserted", first, third);
    Bytes otherRun = second;
    otherRun[17] ^= 1;  // another millisecond: another run
    BackupInfoSeed("disk-of-another-run", first, otherRun);
    BackupInfoSeed("second-disk-cut", first, Bytes(second.begin(), second.begin() + 12));
    BackupInfoSeed("second-disk-chosen", second);
    BackupInfoSeed("empty-file", Bytes());
    BackupInfoSeed("cut", Bytes(only.begin(), only.begin() + 18));
    Bytes longer = only;
    longer.insert(longer.end(), 9, 0x20);
    BackupInfoSeed("longer", longer);
    Bytes flag = only;
    flag[18] = 7;
    BackupInfoSeed("flag-neither-0-nor-1", flag);
    Bytes month = only;
    month[4] = 13;
    BackupInfoSeed("month-13", month);
    BackupInfoSeed("disk-0", Bytes{0, 0, 0xE8, 7, 2, 0, 4, 0, 29, 0, 23, 0, 59, 0, 58, 0, 0xE7, 3, 0, 2, 0});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    g_out = argv[1];
    char work[] = "/tmp/pelmo-seeds-XXXXXX";
    Need(mkdtemp(work) != nullptr, "making a work folder");
    g_work = std::string(work) + "/";
    SetDataFolderOverride(g_work);
    UserFileSeeds();
    InputItemSeeds();
    UsersTableSeeds();
    TableSeeds();
    BackupInfoSeeds();
    std::string clean = "rm -rf '" + std::string(work) + "'";
    return std::system(clean.c_str()) == 0 ? 0 : 1;
}
