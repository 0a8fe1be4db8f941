// The user data file "7.DAT" as LoadUser reads it at a user's opening, with
// the leftover "7.DAT.new" of an interrupted save (fuzz_support.h: layouts).
//
// Beyond memory safety, what a load promises: the leftover is settled, the
// file itself is not changed by reading it, no more days come into memory
// than the file holds whole, a damaged file leaves an untouched copy beside
// it, and whatever loads saves and loads again unchanged and unreported.
#include <cstring>
#include <string>
#include <vector>

#include "corelib/dbf.h"
#include "diary/diary_store.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "support/fuzz_support.h"

namespace {

const char kDataFile[] = "7.DAT";
const char kCopyPrefix[] = "7.DAT.damaged-";

void EnsureUsersRow() {
    if (DataFileExists(kUsersTable)) return;
    char row[kUsersRowLength + 1];
    FormatUsersRow(7, "木村", row);
    if (!EnsureUsersTable() || !WriteDBFRecord(nullptr, kUsersTable, row, kUsersNameField))
        FuzzFailure("the users table cannot be made");
}

std::vector<std::string> DamagedCopies() {
    std::vector<std::string> copies;
    for (const std::string& name : DataFiles())
        if (name.rfind(kCopyPrefix, 0) == 0) copies.push_back(name);
    return copies;
}

struct Snapshot {
    UserHeader header;
    std::vector<DailyRecord> records;
};

Snapshot TakeSnapshot() {
    Snapshot s{CurrentHeader(), {}};
    if (DiaryRecordCount()) s.records.assign(DiaryRecords(), DiaryRecords() + DiaryRecordCount());
    return s;
}

bool Same(const Snapshot& a, const Snapshot& b) {
    return std::memcmp(&a.header, &b.header, sizeof a.header) == 0 && a.records.size() == b.records.size() &&
           (a.records.empty() ||
            std::memcmp(a.records.data(), b.records.data(), a.records.size() * sizeof(DailyRecord)) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    DefaultFuzzFlag(argc, argv, "-max_len=65536");  // the header and four days
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    FuzzInputBegins();
    ResetFuzzFolder(kUsersTable);
    EnsureUsersRow();
    CloseUser();
    PlacedFile placed = PlaceFile(kDataFile, input, size);
    FuzzBytes bytes(placed.data, placed.data + placed.size);

    const UserOutcome loaded = LoadUser(0);

    FUZZ_CHECK(!DataFileExists(LeftoverName(kDataFile).c_str()));
    if (DataFileExists(kDataFile)) FUZZ_CHECK(ReadDataFile(kDataFile) == bytes);
    std::vector<std::string> copies = DamagedCopies();
    if (!loaded.done) {
        FUZZ_CHECK(!loaded.notice.empty());
        CloseUser();
        return 0;
    }
    std::size_t whole = 0;
    if (bytes.size() >= sizeof(UserHeader)) whole = (bytes.size() - sizeof(UserHeader)) / sizeof(DailyRecord);
    FUZZ_CHECK(DiaryRecordCount() <= whole);
    FUZZ_CHECK(copies.size() == (loaded.notice.empty() ? 0u : 1u));
    if (!copies.empty()) FUZZ_CHECK(ReadDataFile(copies[0].c_str()) == bytes);

    // The next run sees what this one saved: the same diary, whole.
    Snapshot first = TakeSnapshot();
    FUZZ_CHECK(SaveUser().done);
    CloseUser();
    const UserOutcome again = LoadUser(0);
    FUZZ_CHECK(again.done && again.notice.empty());
    FUZZ_CHECK(ShownMessages().empty());
    FUZZ_CHECK(DamagedCopies().size() == copies.size());
    FUZZ_CHECK(Same(first, TakeSnapshot()));
    CloseUser();
    return 0;
}
