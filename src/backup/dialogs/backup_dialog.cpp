// "IDD_DATA_BACKUP": the folder a backup goes to.
#include "backup/backup_folder.h"
#include "backup/backup_run.h"
#include "backup/dialogs/backup_dialogs.h"
#include "backup/dialogs/folder_dialog.h"
#include "backup/restore_run.h"
#include "corelib/files.h"
#include "corelib/folders.h"

namespace {

const char kCreateQuestion[] = "指定されたフォルダは存在しません。\n新しくフォルダを作成しますか？";
const char kDataFolderText[] =
    "指定されたフォルダは、データフォルダと一致します。保存することはできません。\n保存先フォルダを変更してください。";
const char kStagingFolderText[] =
    "指定されたフォルダは、データの復帰に使う作業用のフォルダ(Restore.Temp)です。保存することはできません。\n"
    "保存先フォルダを変更してください。";
const char kOverwriteFormat[] =
    "指定された保存先は%u年%u月%u日 %u時%u分に保存されています。\n以前のデータは消去されますがよろしいですか？";
const char kConfirmFormat[] = "%sの\n%sに保存します。\n\nよろしいですか？";

bool CreateMissingFolder(HWND dialog, const std::string& path) {
    if (!AskAboutFolder(dialog, kCreateQuestion, kBackupFolderCaption, false)) return false;
    if (MakeFolderPath(path)) return true;
    RefuseFolder(dialog, kBackupCannotWriteText, kBackupFolderCaption);
    return false;
}

// The data folder by any spelling (case, "..", another path to it) is
// refused: the backup would erase the very files it is to save.
bool ConfirmBackupFolder(HWND dialog, const std::string& folder, const char* driveName) {
    if (SameFolder(folder, DataFolder())) {
        RefuseFolder(dialog, kDataFolderText, kBackupFolderCaption);
        return false;
    }
    // Every restore begins by emptying it: a backup there would be lost.
    if (SameFolder(folder, StagingFolder(DataFolder()))) {
        RefuseFolder(dialog, kStagingFolderText, kBackupFolderCaption);
        return false;
    }
    BackupInfo earlier = {};
    switch (ExamineBackupFolder(folder, &earlier)) {
    case BackupFolderState::kOtherFiles:
        RefuseFolder(dialog, kBackupOtherFilesText, kBackupFolderCaption);
        return false;
    case BackupFolderState::kEarlierBackup:
        if (!AskAboutFolder(dialog, SavedAtQuestion(kOverwriteFormat, earlier.startTime).c_str(), kBackupFolderCaption,
                            true))
            return false;
        break;
    case BackupFolderState::kEmpty:
        break;
    }
    return AskAboutFolder(dialog, FolderQuestion(kConfirmFormat, driveName, folder).c_str(), kBackupFolderCaption, false);
}

const FolderDialogKind kBackupKind = {
    "IDD_DATA_BACKUP",
    "保存先フォルダを選択してください。",
    "backup",
    kBackupFolderCaption,
    "指定されたドライブは存在しません。\n保存先をもう一度、確認してみて下さい。",
    "ＣＤ－ＲＯＭドライブには保存できません。\n保存先をもう一度、確認してみて下さい。",
    CreateMissingFolder,
    ConfirmBackupFolder,
};

}  // namespace

INT_PTR BackupDialog(HWND window) { return RunFolderDialog(window, kBackupKind); }
