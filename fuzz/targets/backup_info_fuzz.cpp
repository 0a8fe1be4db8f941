// The backup information file "PLBKINFO.DAT" as a restore reads it: from the
// folder chosen to restore from, and from the next disk when the backup goes
// on. The backup folder holds two data files; the data folder two older ones.
//
// An input is the information file of disk 1 and, when more follows, the one
// of disk 2: its first byte is the length n of disk 1's file, the next n bytes
// (or what there is) are that file, and the rest, if any, is the file of the
// disk that the person inserts when the restore asks for disk 2. Otherwise the
// person cancels at the request.
//
// Promises: only a whole, sound file of disk 1 begins a restore, anything else
// is refused with a message and stages nothing; a backup never takes a folder
// with a damaged file for one of its own; a disk 2 is taken only when its own
// file is sound and says disk 2 of the same run, and is refused with a message
// otherwise; a set that holds fewer files than disk 1 counts is restored only
// when the person says so; a stopped restore leaves the data folder as it was,
// a finished one holds exactly what the disks held, and neither leaves a
// staging folder.
#include <algorithm>
#include <cstring>
#include <string>

#include "backup/backup_folder.h"
#include "backup/backup_info.h"
#include "backup/backup_run.h"
#include "backup/restore_run.h"
#include "corelib/environment.h"
#include "corelib/folders.h"
#include "support/fuzz_support.h"

namespace {

const char kBackupFolderName[] = "backup/";
const char kDiary[] = "1.DAT";
const char kTable[] = "USERS.DBF";
const char kOldDiary[] = "the diary as it is now";
const char kOldTable[] = "the users table as it is now";
const char kBackedUpDiary[] = "the diary as it was backed up";
const char kBackedUpTable[] = "the users table as it was backed up";

struct Person {
    const std::uint8_t* secondDisk = nullptr;  // null: no disk 2 to insert
    std::size_t secondDiskSize = 0;
    bool inserted = false;
    int requests = 0;     // for a next disk
    int wrongDisks = 0;   // refusals of the disk in the drive
    int steps = 0;        // of the progress bar
    int stops = 0;        // questions whether to stop, each answered Yes
    std::string backupFolder;
};

FuzzBytes Text(const char* text) { return FuzzBytes(text, text + std::strlen(text)); }

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    // The data folder's helpers take bare names; the backup folder lies inside it.
    WriteDataFile(path.substr(DataFolderOverride().size()).c_str(), data, size);
}

void WriteText(const std::string& path, const char* text) {
    WriteFile(path, reinterpret_cast<const std::uint8_t*>(text), std::strlen(text));
}

// The person at the restore's requests: disk 2 inserted once, if there is
// one; otherwise Cancel, and Yes to stopping.
int Answer(void* context, const Notice& notice) {
    auto* person = static_cast<Person*>(context);
    if (notice.caption == kDiskChangeCaption) {
        ++person->requests;
        FUZZ_CHECK(person->requests <= 3);  // a request the person cannot leave would loop here
        if (person->secondDisk && !person->inserted) {
            person->inserted = true;
            WriteFile(person->backupFolder + kBackupInfoName, person->secondDisk, person->secondDiskSize);
            return kIdOk;
        }
        return kIdCancel;
    }
    if (notice.caption == kStopCaption) {
        ++person->stops;
        return kIdYes;
    }
    FUZZ_CHECK(notice.caption == kRestoreSourceCaption && !notice.text.empty());
    ++person->wrongDisks;
    return kIdOk;
}

BackupInfo InfoOf(const std::uint8_t* data) {
    BackupInfo info = {};
    std::memcpy(&info, data, sizeof(info));
    return info;
}

bool DataFolderHolds(const char* diary, const char* table) {
    return ReadDataFile(kDiary) == Text(diary) && ReadDataFile(kTable) == Text(table);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    FuzzInputBegins();
    ResetFuzzFolder();
    const std::string dataFolder = DataFolderOverride();
    const std::string backupFolder = dataFolder + kBackupFolderName;
    FUZZ_CHECK(MakeFolderPath(backupFolder));
    WriteText(dataFolder + kDiary, kOldDiary);
    WriteText(dataFolder + kTable, kOldTable);
    WriteText(backupFolder + kDiary, kBackedUpDiary);
    WriteText(backupFolder + kTable, kBackedUpTable);

    const std::size_t firstSize = size == 0 ? 0 : std::min<std::size_t>(input[0], size - 1);
    const std::uint8_t* first = size == 0 ? input : input + 1;
    WriteFile(backupFolder + kBackupInfoName, first, firstSize);
    Person person;
    person.backupFolder = backupFolder;
    if (size > 1 + firstSize) {
        person.secondDisk = first + firstSize;
        person.secondDiskSize = size - 1 - firstSize;
    }

    // The file is read as it lies, and only a whole one can be sound.
    BackupInfo info = {};
    const BackupInfoState state = ExamineBackupInfo(backupFolder, &info);
    FUZZ_CHECK(state != BackupInfoState::kMissing);
    if (state == BackupInfoState::kSound) {
        FUZZ_CHECK(firstSize == sizeof(BackupInfo));
        FUZZ_CHECK(std::memcmp(&info, first, sizeof(info)) == 0);
        FUZZ_CHECK(info.diskNumber >= 1 && info.continues <= 1);
    }
    BackupInfo earlier = {};
    FUZZ_CHECK((ExamineBackupFolder(backupFolder, &earlier) == BackupFolderState::kEarlierBackup) ==
               (state == BackupInfoState::kSound));

    RestoreRun run;
    run.dataFolder = dataFolder;
    run.backupFolder = backupFolder;
    const bool firstDisk = state == BackupInfoState::kSound && info.diskNumber == 1;
    if (!BeginRestore(&run)) {
        FUZZ_CHECK(!firstDisk);
        FUZZ_CHECK(!run.failure.text.empty());
        FUZZ_CHECK(!FolderExists(StagingFolder(dataFolder)));
        FUZZ_CHECK(DataFolderHolds(kOldDiary, kOldTable));
        return 0;
    }
    FUZZ_CHECK(firstDisk);

    RunWindow window;
    window.context = &person;
    window.show = Answer;
    window.advance = [](void* context) { ++static_cast<Person*>(context)->steps; };
    const RestoreResult result = RestoreFiles(&run, window);

    // Disk 2 is asked for only when disk 1 says so, and taken only when its
    // file is sound and says disk 2 of this run; else it is refused once.
    const bool secondOffered = info.continues == 1 && person.secondDisk != nullptr;
    FUZZ_CHECK(person.inserted == secondOffered);
    FUZZ_CHECK(person.requests >= (info.continues == 1 ? 1 : 0));
    BackupInfo second = {};
    const bool secondTaken = secondOffered && person.secondDiskSize == sizeof(BackupInfo) &&
                             ReadBackupInfo(backupFolder, &second) && second.diskNumber == 2 &&
                             SameRun(second.startTime, info.startTime);
    FUZZ_CHECK(person.wrongDisks == (secondOffered && !secondTaken ? 1 : 0));
    const bool finished = info.continues == 0 || (secondTaken && InfoOf(person.secondDisk).continues == 0);
    const bool whole = info.fileCount <= 2;  // the disks hold two files
    if (finished) FUZZ_CHECK(person.stops == (whole ? 0 : 1));

    FUZZ_CHECK(!FolderExists(StagingFolder(dataFolder)));
    FUZZ_CHECK(run.notRestored.empty());
    if (!finished || !whole) {
        FUZZ_CHECK(result == RestoreResult::kStopped);
        FUZZ_CHECK(DataFolderHolds(kOldDiary, kOldTable));
        return 0;
    }
    FUZZ_CHECK(result == RestoreResult::kDone);
    FUZZ_CHECK(person.steps == 2);  // each file once, however many pieces
    // The pieces of each disk, joined in disk order.
    const std::string diary = secondTaken ? std::string(kBackedUpDiary) + kBackedUpDiary : kBackedUpDiary;
    const std::string table = secondTaken ? std::string(kBackedUpTable) + kBackedUpTable : kBackedUpTable;
    FUZZ_CHECK(DataFolderHolds(diary.c_str(), table.c_str()));
    FUZZ_CHECK(!DataFileExists(kBackupInfoName));
    return 0;
}
