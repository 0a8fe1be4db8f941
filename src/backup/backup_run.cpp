#include "backup/backup_run.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

#include "backup/backup_folder.h"
#include "corelib/files.h"
#include "corelib/folders.h"

const char kBackupCaption[] = "データの保存";
const char kBackupFolderCaption[] = "保存先について";
const char kBackupDoneText[] = "お待たせ致しました。保存を無事に終了しました。";
const char kBackupStopQuestion[] = "データの保存を中断します。\n\nよろしいですか？";
const char kBackupCannotWriteText[] =
    "指定された保存先にデータを保存することができません。\nお手数ですが書込み禁止になっていないかなど、確認してみてください。";
const char kBackupOpenFailedFormat[] = "%sのオープンに失敗しました。\nデータの保存を中断します。";
const char kBackupShortWriteFormat[] =
    "%sを保存先に書き込めませんでした。\n保存先の空き容量が足りないか、書込み禁止になっていないか確認してみてください。\n"
    "データの保存を中断します。";
const char kBackupOtherFilesText[] =
    "指定された保存先には、ペルモで保存したものではないファイル(*.DBF、*.DAT)があります。\n"
    "これらのファイルを消さないよう、保存先には空のフォルダを選んでください。";
const char kDiskChangeCaption[] = "フロッピーの交換";
const char kBackupDiskChangeFormat[] = "ドライブ %s: のフロッピーを%d枚目に交換して下さい。";
const char kBackupSameRunDiskText[] = "保存先を新しいＦＤに入れ替えてください。";
const char kBackupOtherFilesDiskText[] =
    "このフロッピーには、ペルモで保存したものではないファイル(*.DBF、*.DAT)があります。\n"
    "空のフロッピーか、以前にペルモで保存したフロッピーを入れてください。";
const char kStopCaption[] = "中断";
const char kBackupNoSpaceFormat[] =
    "保存先の空き容量が足りません。\n\n保存先：%s\n必要な空き容量：%s（あと %s 足りません）\n\n%s"
    "空き容量を増やすか、別の保存先を選んでから、もう一度保存してください。";

namespace {

const char kNothingWritten[] = "";
const char kSetRemoved[] = "データの保存を中断し、保存先に書き込んだファイルは削除しました。\n";

std::int64_t RealFreeSpace(const std::string& folder) { return FolderFreeBytes(folder); }

FreeSpaceFunction g_freeSpace = RealFreeSpace;

Notice Information(const std::string& text, const char* caption) {
    return Notice{text, caption, kMbOk | kMbIconInformation};
}

// The run stops with this to tell; returns 0 for the caller to pass on.
int Fail(BackupRun* run, const std::string& text, const char* caption) {
    run->failure = Information(text, caption);
    return 0;
}

int FailAboutFile(BackupRun* run, const char* format, const std::string& name) {
    char text[512];
    std::snprintf(text, sizeof(text), format, name.c_str());
    return Fail(run, text, kBackupCaption);
}

bool ConfirmStop(const RunWindow& window) {
    return window.Show(Notice{kBackupStopQuestion, kStopCaption, kMbYesNo | kMbIconQuestion | kMbDefButton2}) == kIdYes;
}

// Free space that cannot be told is none on a disk that is changed when
// full, and no limit elsewhere: a write that fails is told all the same.
std::int64_t FreeBytes(const BackupRun& run) {
    const std::int64_t free = g_freeSpace(run.backupFolder);
    if (free < 0) return run.removableDisk ? 0 : std::numeric_limits<std::int64_t>::max() / 2;
    return free;
}

BackupInfo InfoOf(const BackupRun& run, bool continues) {
    BackupInfo info = {};
    info.diskNumber = run.diskNumber;
    info.startTime = run.startTime;
    info.continues = continues ? 1 : 0;
    info.fileCount = static_cast<uint16_t>(run.files.size());
    return info;
}

bool WriteInfo(const BackupRun& run, bool continues) {
    return WriteBackupInfo(run.backupFolder, InfoOf(run, continues)) == 1;
}

enum class Written { kWhole, kNotCreated, kShort };

// Writes count bytes as a new file, or at the end of the file.
Written WritePiece(const std::string& path, const char* data, std::int64_t count, bool append) {
    FileHandle file = FileOpen2(path.c_str(), append ? kFileReadWrite : kFileCreate);
    if (file == kInvalidFile) return append ? Written::kShort : Written::kNotCreated;
    bool ok = !append || FileSeek(file, "", static_cast<long>(FileSize(file))) >= 0;
    ok = ok && (count == 0 || FileWrite(file, "", data, static_cast<long>(count)) == count);
    return FileClose(file, "") == 1 && ok ? Written::kWhole : Written::kShort;
}

// A write failed: the piece must not pass for a whole file. When the file
// began on an earlier disk, this disk's information file goes too, so that
// no restore ever ends with the file cut short.
int FailWrite(BackupRun* run, const std::string& name, bool continuedHere) {
    FileDelete((run->backupFolder + name).c_str());
    if (continuedHere) FileDelete((run->backupFolder + kBackupInfoName).c_str());
    return FailAboutFile(run, kBackupShortWriteFormat, name);
}

// Asks for the next disk until one that can take the rest is in the drive.
// 1 with a new disk ready (its information file written); 0 when stopped.
int ChangeDisk(BackupRun* run, const RunWindow& window) {
    char letter[2] = {DriveLetterOf(run->backupFolder), '\0'};
    if (letter[0] == 0) letter[0] = run->backupFolder.empty() ? '?' : run->backupFolder[0];
    char prompt[128];
    std::snprintf(prompt, sizeof(prompt), kBackupDiskChangeFormat, letter, run->diskNumber + 1);
    for (;;) {
        if (window.Show(Notice{prompt, kDiskChangeCaption, kMbOkCancel | kMbIconInformation}) != kIdOk) {
            if (ConfirmStop(window)) return 0;
            continue;
        }
        BackupInfo found = {};
        BackupFolderState state = ExamineBackupFolder(run->backupFolder, &found);
        if (state == BackupFolderState::kEarlierBackup && SameRun(found.startTime, run->startTime)) {
            window.Show(Information(kBackupSameRunDiskText, kBackupFolderCaption));
            continue;
        }
        if (state == BackupFolderState::kOtherFiles) {
            window.Show(Information(kBackupOtherFilesDiskText, kBackupFolderCaption));
            continue;
        }
        if (state == BackupFolderState::kEarlierBackup && !EraseEarlierBackup(run->backupFolder, run->files)) {
            window.Show(Information(kBackupCannotWriteText, kBackupFolderCaption));
            continue;
        }
        ++run->diskNumber;
        if (!MakeFolderPath(run->backupFolder) || !WriteInfo(*run, false))
            return Fail(run, kBackupCannotWriteText, kBackupFolderCaption);
        return 1;
    }
}

// A file larger than the free space: read whole, written piece by piece, one
// piece on each disk, the disks changed in between.
int SpanFile(BackupRun* run, const RunWindow& window, FileHandle source, const std::string& name) {
    std::int64_t size = FileSize(source);
    std::vector<char> block(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
    bool read = size >= 0 && (size == 0 || FileRead(source, name.c_str(), block.data(), static_cast<long>(size)) == size);
    FileClose(source, name.c_str());
    if (!read) return FailAboutFile(run, kBackupOpenFailedFormat, name);
    const std::string target = run->backupFolder + name;
    const uint16_t firstDisk = run->diskNumber;
    std::int64_t position = 0, rest = size, free = FreeBytes(*run);
    Written written = WritePiece(target, block.data(), std::min(free, rest), false);
    for (;;) {
        if (written == Written::kNotCreated) {
            if (run->diskNumber != firstDisk) FileDelete((run->backupFolder + kBackupInfoName).c_str());
            return Fail(run, kBackupCannotWriteText, kBackupFolderCaption);
        }
        if (written == Written::kShort) return FailWrite(run, name, run->diskNumber != firstDisk);
        std::int64_t piece = std::min(free, rest);
        position += piece;
        rest -= piece;
        free = FreeBytes(*run);
        if (rest == 0) return 1;
        if (free >= rest) {
            if (WritePiece(target, block.data() + position, rest, true) != Written::kWhole)
                return FailWrite(run, name, run->diskNumber != firstDisk);
            return 1;
        }
        // The disk is full: its information file tells a restore that the backup goes on.
        if (!WriteInfo(*run, true)) return FailWrite(run, name, run->diskNumber != firstDisk);
        if (!ChangeDisk(run, window)) return 0;
        free = FreeBytes(*run);
        written = WritePiece(target, block.data() + position, std::min(free, rest), false);
    }
}

std::int64_t SizeOfFile(const std::string& path) {
    FileHandle file = FileOpen2(path.c_str(), kFileRead);
    if (file == kInvalidFile) return 0;
    std::int64_t size = std::max<std::int64_t>(FileSize(file), 0);
    FileClose(file, "");
    return size;
}

// What the whole backup takes: every data file and the information file.
std::int64_t BackupBytes(const BackupRun& run) {
    std::int64_t bytes = static_cast<std::int64_t>(sizeof(BackupInfo));
    for (const std::string& name : run.files) bytes += SizeOfFile(run.dataFolder + name);
    return bytes;
}

// "12.3 MB", "456 KB", "789 バイト": a size as a person reads it, rounded up.
std::string SizeText(std::int64_t bytes) {
    constexpr std::int64_t kKilo = 1024, kMega = 1024 * 1024;
    char text[64];
    if (bytes >= kMega)
        std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>((bytes * 10 + kMega - 1) / kMega) / 10.0);
    else if (bytes >= kKilo)
        std::snprintf(text, sizeof text, "%lld KB", static_cast<long long>((bytes + kKilo - 1) / kKilo));
    else
        std::snprintf(text, sizeof text, "%lld バイト", static_cast<long long>(bytes));
    return text;
}

// The disk cannot take the backup: told with the folder, what the whole
// backup needs and how much is missing. available: the space the backup can have.
int FailNoSpace(BackupRun* run, std::int64_t available, const char* done) {
    const std::int64_t needed = BackupBytes(*run);
    char text[1024];
    std::snprintf(text, sizeof text, kBackupNoSpaceFormat, run->backupFolder.c_str(), SizeText(needed).c_str(),
                  SizeText(std::max<std::int64_t>(needed - available, 1)).c_str(), done);
    return Fail(run, text, kBackupFolderCaption);
}

// What a run that did not end leaves on a disk that is not changed: nothing of the set.
void RemovePartialSet(const BackupRun& run) {
    for (const std::string& name : run.files) FileDelete((run.backupFolder + name).c_str());
    FileDelete((run.backupFolder + kBackupInfoName).c_str());
}

// One data file: copied whole when it fits, else spread over removable disks.
int BackupFile(BackupRun* run, const RunWindow& window, const std::string& name) {
    FileHandle source = FileOpen2((run->dataFolder + name).c_str(), kFileRead);
    if (source == kInvalidFile) return FailAboutFile(run, kBackupOpenFailedFormat, name);
    std::int64_t size = FileSize(source);
    if (!run->removableDisk && size >= 0 && FreeBytes(*run) < size) {
        FileClose(source, name.c_str());
        RemovePartialSet(*run);
        return FailNoSpace(run, FreeBytes(*run), kSetRemoved);
    }
    if (size < 0 || FreeBytes(*run) < size) return SpanFile(run, window, source, name);
    const std::string target = run->backupFolder + name;
    FileHandle copy = FileOpen2(target.c_str(), kFileCreate);
    if (copy == kInvalidFile) {
        FileClose(source, name.c_str());
        return Fail(run, kBackupCannotWriteText, kBackupFolderCaption);
    }
    bool whole = FileCopy(source, copy) == 1;
    whole = FileClose(copy, "") == 1 && whole;
    FileClose(source, name.c_str());
    return whole ? 1 : FailWrite(run, name, false);
}

}  // namespace

FreeSpaceFunction SetFreeSpaceFunction(FreeSpaceFunction function) {
    FreeSpaceFunction previous = g_freeSpace;
    g_freeSpace = function ? function : RealFreeSpace;
    return previous;
}

int BeginBackup(BackupRun* run) {
    run->failure = Notice{};
    run->startTime = BackupTimeNow();
    run->diskNumber = 1;
    run->files = DataFileNames(run->dataFolder);
    BackupInfo earlier = {};
    switch (ExamineBackupFolder(run->backupFolder, &earlier)) {
    case BackupFolderState::kOtherFiles:
        return Fail(run, kBackupOtherFilesText, kBackupFolderCaption);
    case BackupFolderState::kEarlierBackup:
    case BackupFolderState::kEmpty:
        break;
    }
    // A disk that is not changed must take the whole backup: refused before
    // the earlier backup is erased, whose files count as space.
    if (!run->removableDisk) {
        std::int64_t available = FreeBytes(*run);
        for (const std::string& name : ListFolderFiles(run->backupFolder, nullptr))
            if (IsBackupFileName(name, run->files)) available += SizeOfFile(run->backupFolder + name);
        if (available < BackupBytes(*run)) return FailNoSpace(run, available, kNothingWritten);
    }
    if (!EraseEarlierBackup(run->backupFolder, run->files))
        return Fail(run, kBackupCannotWriteText, kBackupFolderCaption);
    if (!MakeFolderPath(run->backupFolder) || !WriteInfo(*run, false))
        return Fail(run, kBackupCannotWriteText, kBackupFolderCaption);
    return 1;
}

int CopyBackupFiles(BackupRun* run, const RunWindow& window) {
    for (const std::string& name : run->files) {
        if (!BackupFile(run, window, name) || window.StopRequested()) {
            if (!run->removableDisk) RemovePartialSet(*run);
            return 0;
        }
        window.Advance();
    }
    return 1;
}
