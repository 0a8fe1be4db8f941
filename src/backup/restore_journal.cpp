#include "backup/restore_journal.h"

#include <algorithm>

#include "backup/restore_run.h"
#include "corelib/files.h"
#include "corelib/folders.h"
#include "corelib/sjis.h"

const char kRestoreJournalName[] = "RESTORE.JNL";
const char kRestoreFinishedText[] =
    "前回のデータの復帰は、ファイルを差し替える途中で終わっていました。\n"
    "残りのファイルを差し替えて、データの復帰を終了しました。";
const char kRestoreAbandonedText[] =
    "前回のデータの復帰は、途中で終わっていました。パソコン側のデータは復帰する前のままです。\n"
    "復帰元から読み込んでいたファイル(Restore.Temp)は削除しました。";
const char kRestoreRetryText[] = "次にペルモを起動したときに、もう一度差し替えます。";

namespace {

const char kJournalMark[] = "PELMO RESTORE";
const char kJournalEnd[] = "END";
const char kLineEnd[] = "\r\n";
const char kCaption[] = "データの復帰";

std::string JournalPath(const std::string& dataFolder) {
    return WithPathSeparator(StagingFolder(dataFolder)) + kRestoreJournalName;
}

std::string StagedPath(const std::string& dataFolder, const std::string& name) {
    return WithPathSeparator(StagingFolder(dataFolder)) + name;
}

// The names of a journal that was written whole; false for none or a part of one.
bool ReadJournal(const std::string& path, std::vector<std::string>* names) {
    FileHandle file = FileOpen2(path.c_str(), kFileRead);
    if (file == kInvalidFile) return false;
    const std::int64_t size = FileSize(file);
    std::string text(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
    const bool read = size >= 0 && (size == 0 || FileReadExactly(file, "", &text[0], text.size()));
    FileClose(file, "");
    if (!read) return false;
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find(kLineEnd, at);
        if (end == std::string::npos) return false;
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    if (lines.size() < 2 || lines.front() != kJournalMark || lines.back() != kJournalEnd) return false;
    names->assign(lines.begin() + 1, lines.end() - 1);
    return true;
}

Notice Told(const std::string& text) { return Notice{text, kCaption, kMbOk | kMbIconExclamation}; }

}  // namespace

int WriteRestoreJournal(const std::string& dataFolder, const std::vector<std::string>& names) {
    std::string text = std::string(kJournalMark) + kLineEnd;
    for (const std::string& name : names) text += name + kLineEnd;
    text += std::string(kJournalEnd) + kLineEnd;
    FilePart part{text.data(), text.size()};
    return WriteFileAtomically(JournalPath(dataFolder).c_str(), &part, 1);
}

void RemoveRestoreJournal(const std::string& dataFolder) { FileDelete(JournalPath(dataFolder).c_str()); }

Notice FinishInterruptedRestore(const std::string& dataFolder) {
    const std::string staging = StagingFolder(dataFolder);
    if (!FolderExists(staging)) return Notice{};
    std::vector<std::string> names;
    if (!ReadJournal(JournalPath(dataFolder), &names)) {
        // Cut short before any data file was replaced: nothing of it is of use.
        const bool heldFiles = !ListFolderFiles(staging, nullptr).empty();
        DiscardStagingFolder(dataFolder);
        return heldFiles ? Told(kRestoreAbandonedText) : Notice{};
    }
    // A file no longer staged was put in place before the cut.
    std::vector<std::string> sources, targets, restored, old;
    for (const std::string& name : names) {
        const std::string staged = StagedPath(dataFolder, name);
        if (FileExists(staged.c_str())) {
            sources.push_back(staged);
            targets.push_back(dataFolder + name);
        } else {
            restored.push_back(name);
        }
    }
    std::vector<bool> moved(sources.size(), false);
    if (!sources.empty() && FlushFiles(sources) == 1) moved = MoveFilesOver(sources, targets);
    for (std::size_t i = 0; i < sources.size(); ++i)
        (moved[i] ? restored : old).push_back(sources[i].substr(staging.size() + 1));
    if (old.empty()) {
        DiscardStagingFolder(dataFolder);
        return Told(kRestoreFinishedText);
    }
    // The journal stays with the files still staged: the next start tries again.
    std::string text =
        "前回のデータの復帰は、ファイルを差し替える途中で終わっていました。\n"
        "次のファイルは差し替えられなかったため、復帰する前のデータのままです。" +
        NameList(old);
    if (!restored.empty()) text += "\n\n次のファイルは、復帰したデータです。" + NameList(restored);
    text += "\n\n復帰元から読み込んだデータは\n" + staging + "\nに残してあります。" + kRestoreRetryText;
    return Told(text);
}
