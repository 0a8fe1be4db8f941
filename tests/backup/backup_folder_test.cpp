// The backup's files and folders: the information file byte for byte, which
// files a backup copies, what a backup folder holds, path texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "backup/backup_folder.h"
#include "backup/restore_run.h"
#include "corelib/folders.h"
#include "disk_set.h"
#include "support/sandbox.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

// Written as 21 packed little-endian bytes. Only a whole file that says what
// a backup says is one; anything else is refused with its reason, never read
// further and never taken for an earlier backup.
TEST(BackupInfo, IsWrittenAsTwentyOneBytesAndADamagedOrForeignOneIsRefused) {
    const BackupInfo written = {1, {2024, 2, 4, 29, 23, 59, 58, 999}, 1, 0x0203};
    const Bytes first = {1, 0, 0xE8, 7, 2, 0, 4, 0, 29, 0, 23, 0, 59, 0, 58, 0, 0xE7, 3, 1, 3, 2};
    {
        Sandbox sandbox;
        ASSERT_EQ(WriteBackupInfo(sandbox.folder(), written), 1);
        EXPECT_EQ(ReadBytes(sandbox.path("PLBKINFO.DAT")), first);
    }
    auto with = [&first](std::size_t at, unsigned char value) {
        Bytes changed = first;
        if (at >= changed.size()) changed.resize(at + 1);
        changed[at] = value;
        return changed;
    };
    struct Case {
        const char* what;
        Bytes bytes;
        RestoreSource source = RestoreSource::kDamaged;
        std::string refusal = kRestoreDamagedInfoText;
        bool file = true;
    };
    const Case cases[] = {
        {"the first disk", first, RestoreSource::kFirstDisk, ""},
        {"no file", {}, RestoreSource::kNoBackup, kRestoreNoBackupText, false},
        {"the second disk", with(0, 2), RestoreSource::kLaterDisk,
         "指定された復帰元は 2枚目のフロッピーです。\n1枚目のフロッピーを入れて下さい。"},
        {"empty", {}}, {"cut short", Bytes(first.begin(), first.begin() + 18)}, {"a byte too long", with(21, 0)},
        {"disk 0", with(0, 0)}, {"flag 2", with(18, 2)}, {"month 13", with(4, 13)}, {"day 0", with(8, 0)},
        {"day of week 7", with(6, 7)}, {"hour 24", with(10, 24)}, {"second 60", with(14, 60)},
        {"a thousand milliseconds", with(16, 0xE8)}, {"year 232", with(3, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Sandbox sandbox;
        if (c.file) WriteBytes(sandbox.path("PLBKINFO.DAT"), c.bytes);
        const bool sound = c.source >= RestoreSource::kLaterDisk;
        BackupInfo info = {};
        info.fileCount = 77;
        EXPECT_EQ(ExamineRestoreSource(sandbox.folder(), &info), c.source);
        EXPECT_EQ(ReadBackupInfo(sandbox.folder(), &info), sound ? 1 : 0);
        EXPECT_EQ(+info.fileCount, sound ? 0x0203 : 77) << "untouched unless sound";
        EXPECT_EQ(std::memcmp(&info, &written, sizeof(info)) == 0, c.source == RestoreSource::kFirstDisk);
        EXPECT_EQ(RestoreSourceRefusal(c.source, info), c.refusal);
        // The restore itself refuses the same, and stages nothing.
        RestoreRun run;
        run.dataFolder = sandbox.path("data/");
        run.backupFolder = sandbox.folder();
        MakeFolderPath(run.dataFolder);
        EXPECT_EQ(BeginRestore(&run), c.source == RestoreSource::kFirstDisk ? 1 : 0);
        EXPECT_EQ(run.failure.text, c.refusal);
        EXPECT_EQ(FolderExists(StagingFolder(run.dataFolder)), c.source == RestoreSource::kFirstDisk);
        // A backup takes the folder for an earlier backup of its own, and learns its information, only when sound.
        BackupInfo earlier = {};
        EXPECT_EQ(ExamineBackupFolder(sandbox.folder(), &earlier) == BackupFolderState::kEarlierBackup, sound);
        EXPECT_EQ(+earlier.fileCount, sound ? 0x0203 : 0);
    }
}

// The data files are every "*.DBF", then every "*.DAT", whatever the case; a
// folder with none of them is empty to a backup, a folder with one holds
// someone else's files.
TEST(BackupFolder, DataFilesAreTheTablesThenTheDatFilesWithoutAnInformationFile) {
    Sandbox sandbox;
    BackupInfo info = {};
    EXPECT_EQ(ExamineBackupFolder(sandbox.path("none/"), &info), BackupFolderState::kEmpty);
    for (const char* name : {"notes.txt", "1.DAT.new", "x.DBFX"}) WriteBytes(sandbox.path(name), Bytes{1});
    MakeFolderPath(sandbox.path("Restore.Temp"));
    EXPECT_EQ(ExamineBackupFolder(sandbox.folder(), &info), BackupFolderState::kEmpty);
    WriteBytes(sandbox.path("ITEM1.dat"), Bytes{1});
    EXPECT_EQ(ExamineBackupFolder(sandbox.folder(), &info), BackupFolderState::kOtherFiles);
    for (const char* name : {"1.DAT", "ﾕｰｻﾞ.DBF", "plbkinfo.dat", "料理食品.dbf"}) WriteBytes(sandbox.path(name), Bytes{1});
    std::vector<std::string> names = DataFileNames(sandbox.folder());
    ASSERT_EQ(names.size(), 4u);
    std::sort(names.begin(), names.begin() + 2);  // each kind in the file system's order
    std::sort(names.begin() + 2, names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"料理食品.dbf", "ﾕｰｻﾞ.DBF", "1.DAT", "ITEM1.dat"}));
}

TEST(BackupFolder, PathTexts) {
    const std::tuple<const char*, char, bool> cases[] = {  // path, its drive letter, ends with a separator
        {"A:\\", 'A', true},           {"a:\\backup", 'A', false},  {"z:", 'Z', false},
        {"\\\\server\\share\\", 0, true}, {"backup\\", 0, true},     {"1:\\", 0, true},
        {"C:\\データ表", 'C', false},   // 表 ends in the byte 0x5C
        {"C:\\ソ\\", 'C', true},        {"/tmp/x/", 0, true},        {"", 0, false},
    };
    for (const auto& [path, letter, endsWithSeparator] : cases) {
        EXPECT_EQ(DriveLetterOf(path), letter) << path;
        EXPECT_EQ(EndsWithPathSeparator(path), endsWithSeparator) << path;
        std::string with = WithPathSeparator(path);
        EXPECT_TRUE(with.empty() || EndsWithPathSeparator(with)) << path;
        EXPECT_EQ(with.size(), std::strlen(path) + (endsWithSeparator || !*path ? 0 : 1)) << path;
    }
}

TEST(Folders, SameFolderSeesThroughCaseFinalSeparatorDotsAndLinks) {
    Sandbox sandbox;
    MakeFolderPath(sandbox.path("Data/Sub"));
    const std::string data = sandbox.path("Data");
    std::string upper = data;  // by the text: no such folder exists with this case
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    const std::pair<std::string, bool> others[] = {
        {data + "/", true}, {upper, true}, {sandbox.path("Data/Sub/../"), true}, {sandbox.path("Data/./"), true},
        {sandbox.path("Data/Sub"), false}, {sandbox.path("Dat"), false}, {"", false}};
    for (const auto& [other, same] : others) EXPECT_EQ(SameFolder(data, other), same) << other;
#ifndef _WIN32
    ASSERT_EQ(symlink(data.c_str(), sandbox.path("Link").c_str()), 0);
    EXPECT_TRUE(SameFolder(data, sandbox.path("Link/")));
#endif
}

}  // namespace
