#include "backup/restore_run.h"

#include <algorithm>
#include <cstdio>

#include "backup/backup_folder.h"
#include "backup/backup_run.h"
#include "backup/restore_journal.h"
#include "corelib/files.h"
#include "corelib/folders.h"
#include "corelib/sjis.h"

const char kRestoreCaption[] = "データの復帰";
const char kRestoreSourceCaption[] = "復帰元について";
const char kRestoreDoneText[] = "お待たせいたしました。データの復帰を終了しました。";
const char kRestoreStopQuestion[] = "データ復帰を中断します。\n\nよろしいですか？";
const char kRestoreDiskStopQuestion[] = "データの復帰を中断します。\n\nよろしいですか？";
const char kRestoreDiskChangeFormat[] = "ドライブ %c: のフロッピーを%d枚目に交換して下さい。";
const char kRestoreWrongDiskFormat[] =
    "ドライブ %c:のフロッピーは%d枚目ではありません。\nお手数ですが復帰元をもう一度、確認してみて下さい。";
const char kRestoreNoBackupText[] =
    "指定された復帰元にはデータは存在しませんでした。\n復帰元をもう一度、確認してみて下さい。";
const char kRestoreDamagedInfoText[] =
    "指定された復帰元の保存情報ファイル(PLBKINFO.DAT)が壊れているため、復帰できません。\n"
    "復帰元をもう一度、確認してみて下さい。";
const char kRestoreNotFirstDiskFormat[] = "指定された復帰元は %d枚目のフロッピーです。\n1枚目のフロッピーを入れて下さい。";
const char kRestoreNoStagingText[] =
    "データフォルダに復帰用のフォルダ(Restore.Temp)を作成できませんでした。\nデータの復帰を中断します。";
const char kRestoreIncompleteFormat[] =
    "復帰元には、保存したときの%u個のファイルのうち%u個しかありません。\n"
    "保存が途中で中断されたか、ファイルが削除されたおそれがあります。\n\nデータの復帰を中断しますか？";

namespace {

const char kStagingName[] = "Restore.Temp";
constexpr std::size_t kNamesShown = 20;

bool Failed(const RestoreRun& run, const std::string& name) {
    return std::any_of(run.notRestored.begin(), run.notRestored.end(),
                       [&name](const std::string& failed) { return SameTextIgnoringCase(failed.c_str(), name.c_str()); });
}

std::string Staged(const RestoreRun& run, const std::string& name) {
    return WithPathSeparator(StagingFolder(run.dataFolder)) + name;
}

// The staged copy of a file that could not be read whole is of no use.
void MarkFailed(RestoreRun* run, const std::string& name) {
    FileDelete(Staged(*run, name).c_str());
    if (!Failed(*run, name)) run->notRestored.push_back(name);
}

bool CopyWhole(const std::string& from, const std::string& to) {
    FileHandle source = FileOpen2(from.c_str(), kFileRead);
    if (source == kInvalidFile) return false;
    FileHandle target = FileOpen2(to.c_str(), kFileCreate);
    bool ok = target != kInvalidFile && FileCopy(source, target) == 1;
    StartWriteBack(target);
    ok = FileClose(target, "") == 1 && ok;
    FileClose(source, "");
    return ok;
}

// A piece that continues a file split across disks: read whole, then written
// at the end of the staged file.
bool AppendPiece(const std::string& from, const std::string& to) {
    FileHandle source = FileOpen2(from.c_str(), kFileRead);
    if (source == kInvalidFile) return false;
    std::int64_t size = FileSize(source);
    std::vector<char> block(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
    bool ok = size >= 0 && (size == 0 || FileRead(source, "", block.data(), static_cast<long>(size)) == size);
    FileClose(source, "");
    FileHandle target = ok ? FileOpen2(to.c_str(), kFileReadWrite) : kInvalidFile;
    ok = target != kInvalidFile && FileSeek(target, "", static_cast<long>(FileSize(target))) >= 0;
    ok = ok && (size == 0 || FileWrite(target, "", block.data(), static_cast<long>(size)) == size);
    StartWriteBack(target);
    return FileClose(target, "") == 1 && ok;
}

void StageFile(RestoreRun* run, const std::string& name, const RunWindow& window) {
    if (Failed(*run, name)) return;  // a later piece of a file that already failed
    const std::string from = run->backupFolder + name, to = Staged(*run, name);
    if (FileExists(to.c_str())) {
        if (!AppendPiece(from, to)) MarkFailed(run, name);
        return;
    }
    ++run->filesFound;
    if (!CopyWhole(from, to)) MarkFailed(run, name);
    window.Advance();
}

// Every data file of the disk in the drive into the staging folder. False
// when the person stopped the run.
bool StageDisk(RestoreRun* run, const RunWindow& window) {
    const std::vector<std::string> dataFiles = DataFileNames(run->dataFolder);
    for (const std::string& name : DataFileNames(run->backupFolder)) {
        // A file of someone else's kept beside the backup is no data of ours.
        if (!IsBackupFileName(name, dataFiles)) continue;
        StageFile(run, name, window);
        if (window.StopRequested()) return false;
    }
    return true;
}

char DriveLetter(const RestoreRun& run) {
    char letter = DriveLetterOf(run.backupFolder);
    return letter != 0 ? letter : run.backupFolder.empty() ? '?' : run.backupFolder[0];
}

// Asks for disk run->diskNumber until that disk of this backup is in the
// drive (info: its information file); false when the person stopped the run.
bool AskForDisk(RestoreRun* run, const RunWindow& window, BackupInfo* info) {
    char prompt[128], wrong[256];
    std::snprintf(prompt, sizeof(prompt), kRestoreDiskChangeFormat, DriveLetter(*run), run->diskNumber);
    std::snprintf(wrong, sizeof(wrong), kRestoreWrongDiskFormat, DriveLetter(*run), run->diskNumber);
    for (;;) {
        if (window.Show(Notice{prompt, kDiskChangeCaption, kMbOkCancel | kMbIconQuestion}) != kIdOk) {
            if (window.Show(Notice{kRestoreDiskStopQuestion, kStopCaption, kMbYesNo | kMbIconQuestion | kMbDefButton2}) ==
                kIdYes)
                return false;
            continue;
        }
        if (ReadBackupInfo(run->backupFolder, info) && info->diskNumber == run->diskNumber &&
            SameRun(info->startTime, run->firstDisk.startTime))
            return true;
        window.Show(Notice{wrong, kRestoreSourceCaption, kMbOk | kMbIconInformation});
    }
}

// A set with fewer files than its first disk counts is not the whole backup
// (a run stopped part way leaves such a set): true when the person stops here.
bool StopIncompleteSet(const RestoreRun& run, const RunWindow& window) {
    if (run.filesFound >= run.firstDisk.fileCount) return false;
    char text[512];
    std::snprintf(text, sizeof(text), kRestoreIncompleteFormat, static_cast<unsigned>(run.firstDisk.fileCount),
                  run.filesFound);
    return window.Show(Notice{text, kStopCaption, kMbYesNo | kMbIconQuestion}) != kIdNo;
}

// Each staged file in place of its data file, once all of them are on the
// disk; what cannot be put in place stays staged and is named.
void ReplaceDataFiles(RestoreRun* run) {
    const std::string staging = StagingFolder(run->dataFolder);
    std::vector<std::string> names, paths, targets;
    for (const std::string& name : ListFolderFiles(staging, nullptr)) {
        if (SameTextIgnoringCase(name.c_str(), kRestoreJournalName)) continue;
        if (SameTextIgnoringCase(name.c_str(), kBackupInfoName)) {
            FileDelete(Staged(*run, name).c_str());
            continue;
        }
        names.push_back(name);
        paths.push_back(Staged(*run, name));
        targets.push_back(run->dataFolder + name);
    }
    // The journal goes to the disk before the first file is replaced: a run
    // cut short after it is finished at the next start, one cut short before
    // it has changed nothing.
    std::vector<bool> moved(names.size(), false);
    const bool journal = FlushFiles(paths) == 1 && WriteRestoreJournal(run->dataFolder, names) == 1;
    if (journal) moved = MoveFilesOver(paths, targets);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (moved[i]) continue;
        if (!Failed(*run, names[i])) run->notRestored.push_back(names[i]);
        run->stagingKept = true;
    }
    // Nothing replaced, or everything: nothing for the next start to finish.
    run->journalKept = run->stagingKept && std::any_of(moved.begin(), moved.end(), [](bool m) { return m; });
    if (!run->journalKept) RemoveRestoreJournal(run->dataFolder);
    if (!run->stagingKept) RemoveFolder(staging);
}

}  // namespace

std::string StagingFolder(const std::string& dataFolder) { return dataFolder + kStagingName; }

void DiscardStagingFolder(const std::string& dataFolder) {
    const std::string staging = WithPathSeparator(StagingFolder(dataFolder));
    for (const std::string& name : ListFolderFiles(staging, nullptr)) FileDelete((staging + name).c_str());
    RemoveFolder(StagingFolder(dataFolder));
}

std::string NameList(const std::vector<std::string>& names) {
    std::string list;
    for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) list += "\n    " + names[i];
    if (names.size() > kNamesShown) {
        char more[64];
        std::snprintf(more, sizeof(more), "\n    ほか %u 件", static_cast<unsigned>(names.size() - kNamesShown));
        list += more;
    }
    return list;
}

RestoreSource ExamineRestoreSource(const std::string& folder, BackupInfo* info) {
    switch (ExamineBackupInfo(folder, info)) {
    case BackupInfoState::kMissing: return RestoreSource::kNoBackup;
    case BackupInfoState::kDamaged: return RestoreSource::kDamaged;
    case BackupInfoState::kSound: break;
    }
    return info->diskNumber == 1 ? RestoreSource::kFirstDisk : RestoreSource::kLaterDisk;
}

std::string RestoreSourceRefusal(RestoreSource source, const BackupInfo& info) {
    switch (source) {
    case RestoreSource::kNoBackup: return kRestoreNoBackupText;
    case RestoreSource::kDamaged: return kRestoreDamagedInfoText;
    case RestoreSource::kLaterDisk: {
        char text[256];
        std::snprintf(text, sizeof(text), kRestoreNotFirstDiskFormat, info.diskNumber);
        return text;
    }
    case RestoreSource::kFirstDisk: break;
    }
    return std::string();
}

int BeginRestore(RestoreRun* run) {
    run->diskNumber = 1;
    run->filesFound = 0;
    run->notRestored.clear();
    run->stagingKept = false;
    run->journalKept = false;
    run->failure = Notice{};
    RestoreSource source = ExamineRestoreSource(run->backupFolder, &run->firstDisk);
    if (source != RestoreSource::kFirstDisk) {
        run->failure = Notice{RestoreSourceRefusal(source, run->firstDisk), kRestoreCaption, kMbOk | kMbIconInformation};
        return 0;
    }
    // A run begins empty: leftovers of an interrupted run do no harm. A data
    // folder that has gone (removed by hand) is made again with it.
    const std::string staging = StagingFolder(run->dataFolder);
    MakeFolderPath(staging);
    for (const std::string& name : ListFolderFiles(staging, nullptr)) FileDelete(Staged(*run, name).c_str());
    if (!FolderExists(staging) || !ListFolderFiles(staging, nullptr).empty()) {
        run->failure = Notice{kRestoreNoStagingText, kRestoreCaption, kMbOk | kMbIconInformation};
        return 0;
    }
    return 1;
}

RestoreResult RestoreFiles(RestoreRun* run, const RunWindow& window) {
    bool continues = run->firstDisk.continues != 0;
    bool going = StageDisk(run, window);
    while (going && continues) {
        ++run->diskNumber;
        BackupInfo info = {};
        going = AskForDisk(run, window, &info) && StageDisk(run, window);
        continues = info.continues != 0;
    }
    if (going && StopIncompleteSet(*run, window)) going = false;
    if (!going) {
        DiscardStagingFolder(run->dataFolder);
        run->notRestored.clear();
        return RestoreResult::kStopped;
    }
    ReplaceDataFiles(run);
    return run->notRestored.empty() ? RestoreResult::kDone : RestoreResult::kPartly;
}

Notice RestoreEndNotice(const RestoreRun& run) {
    if (run.notRestored.empty()) return Notice{kRestoreDoneText, kRestoreCaption, kMbOk | kMbIconInformation};
    std::string text = "データの復帰を終了しましたが、次のファイルは復帰できませんでした。\n";
    text += NameList(run.notRestored);
    text += "\n\nこれらのファイルは、パソコン側の以前のデータのままです。";
    if (run.stagingKept) text += "\n復帰元から読み込んだデータは\n" + StagingFolder(run.dataFolder) + "\nに残してあります。";
    if (run.journalKept) text += kRestoreRetryText;
    return Notice{text, kRestoreCaption, kMbOk | kMbIconExclamation};
}
