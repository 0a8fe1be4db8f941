// "IDD_DATA_RESTORE": the folder of the backup to restore.

#include "backup/backup_info.h"
#include "backup/dialogs/backup_dialogs.h"
#include "backup/dialogs/folder_dialog.h"
#include "backup/restore_run.h"

namespace {

const char kMissingFolderText[] = "指定されたフォルダは存在しません。\n復帰元をもう一度、確認してみて下さい。";
const char kReplaceFormat[] =
    "指定された復帰元は%u年%u月%u日 %u時%u分に保存されています。\n"
    "復帰するとパソコンにあるダイエットの全データは消えて、復帰元のデータに差し変わります。\n\nよろしいですか？";
const char kConfirmFormat[] = "%sの\n%sから復帰します。\n\nよろしいですか？";

bool RefuseMissingFolder(HWND dialog, const std::string&) {
    RefuseFolder(dialog, kMissingFolderText, kRestoreSourceCaption);
    return false;
}

bool ConfirmRestoreFolder(HWND dialog, const std::string& folder, const char* driveName) {
    BackupInfo info = {};
    RestoreSource source = ExamineRestoreSource(folder, &info);
    if (source != RestoreSource::kFirstDisk) {
        RefuseFolder(dialog, RestoreSourceRefusal(source, info).c_str(), kRestoreSourceCaption);
        return false;
    }
    if (!AskAboutFolder(dialog, SavedAtQuestion(kReplaceFormat, info.startTime).c_str(), kRestoreSourceCaption, true))
        return false;
    return AskAboutFolder(dialog, FolderQuestion(kConfirmFormat, driveName, folder).c_str(), kRestoreSourceCaption,
                          false);
}

const FolderDialogKind kRestoreKind = {
    "IDD_DATA_RESTORE",
    "復帰元フォルダを選択してください。",
    "restore",
    kRestoreSourceCaption,
    "指定されたドライブは存在しません。\n復帰元をもう一度、確認してみて下さい。",
    "ＣＤ－ＲＯＭドライブからは復帰できません。\n復帰元をもう一度、確認してみて下さい。",
    RefuseMissingFolder,
    ConfirmRestoreFolder,
};

}  // namespace

INT_PTR RestoreDialog(HWND window) { return RunFolderDialog(window, kRestoreKind); }
