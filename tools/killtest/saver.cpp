// The program's side of the kill test (killtest.py): a diary of many days in
// a data folder, loaded and saved as the program does, and checked after a kill.
//
//   saver FOLDER prepare DAYS   users table and a diary of DAYS days, generation 0
//   saver FOLDER save GEN       open the user, mark every day with GEN, save
//                               (prints "loaded" and "saved" as it gets there)
//   saver FOLDER check          the file as it lies: whole, and of one generation
//                               (prints "generation G"); then the next start
//                               opens it without a word and leaves no leftover
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "corelib/environment.h"
#include "corelib/files.h"
#include "corelib/msgbox.h"
#include "diary/diary_store.h"
#include "diary/record_texts.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "support/long_diary.h"

namespace {

const char kDiary[] = "0.DAT";
int g_messages = 0;

[[noreturn]] void Fail(const char* what) {
    std::printf("FAILED: %s\n", what);
    std::exit(1);
}

int CountMessage(void*, const char* text, const char*, unsigned) {
    std::printf("message: %s\n", text);
    ++g_messages;
    return kIdOk;
}

// The generation is written into every day: steps and the diary text.
void Mark(DailyRecord& day, std::uint32_t generation) {
    day.steps = generation;
    char text[64];
    std::snprintf(text, sizeof text, "第%u世代の日記", generation);
    SetDiaryText(day, text);
}

int Save(std::uint32_t generation) {
    if (!LoadUser(0).done) Fail("load");
    std::printf("loaded\n");
    std::fflush(stdout);
    for (std::uint32_t i = 0; i < DiaryRecordCount(); ++i) {
        DailyRecord day = DiaryRecords()[i];
        Mark(day, generation);
        if (StoreDay(day).position <= 0) Fail("store");
    }
    if (!SaveUser().done) Fail("save");
    std::printf("saved\n");
    std::fflush(stdout);
    return 0;
}

// The file byte by byte: its size, its count, every date in order and one generation.
std::uint32_t CheckFile() {
    std::string path = DataPath(kDiary);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) Fail("the diary is gone");
    UserHeader header;
    if (std::fread(&header, sizeof header, 1, file) != 1) Fail("header cut");
    std::vector<DailyRecord> days(header.recordCount);
    if (header.recordCount && std::fread(days.data(), sizeof(DailyRecord), days.size(), file) != days.size())
        Fail("days cut");
    if (std::fgetc(file) != EOF) Fail("bytes after the last day");
    std::fclose(file);
    if (days.empty()) Fail("no days");
    std::uint32_t generation = days[0].steps;
    for (std::size_t i = 0; i < days.size(); ++i) {
        char date[kDateLength];
        LongDiaryDate(static_cast<long>(i), date);
        if (std::memcmp(date, days[i].date, kDateLength) != 0) Fail("a date out of place");
        DailyRecord expected = days[i];
        Mark(expected, generation);
        if (std::memcmp(&expected, &days[i], sizeof expected) != 0) Fail("days of two generations");
    }
    return generation;
}

int Prepare(long days) {
    if (!WriteLongDiary(0, days, "耐久試験")) Fail("writing the diary");
    CloseUser();
    return Save(0);
}

int Check() {
    std::uint32_t generation = CheckFile();
    const UserOutcome next = LoadUser(0);
    if (!next.done) Fail("the next start cannot open the diary");
    if (g_messages || !next.notice.empty()) Fail("the next start reported damage");
    if (FileExists((std::string(kDiary) + ".new").c_str())) Fail("a leftover stayed");
    if (CheckFile() != generation) Fail("the next start changed the diary");
    std::printf("generation %u\n", generation);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER prepare DAYS | save GEN | check\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '/') folder += '/';
    SetDataFolderOverride(folder);
    SetMessageBoxFunction(CountMessage);
    std::string command = argv[2];
    if (command == "prepare" && argc == 4) return Prepare(std::atol(argv[3]));
    if (command == "save" && argc == 4) return Save(static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)));
    if (command == "check") return Check();
    std::fprintf(stderr, "unknown command\n");
    return 2;
}
