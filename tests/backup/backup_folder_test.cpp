// The backup's files and folders: the information file byte for byte, which
// files a backup copies, what a backup folder holds, path texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "backup/backup_folder.h"
#include "backup/backup_info.h"
#include "backup/restore_run.h"
#include "corelib/folders.h"
#include "disk_set.h"
#include "support/sandbox.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

TEST(BackupInfo, IsWrittenAsTwentyOnePackedLittleEndianBytes) {
    Sandbox sandbox;
    BackupInfo info = {};
    info.diskNumber = 2;
    info.startTime = {2024, 2, 4, 29, 23, 59, 58, 999};
    info.continues = 1;
    info.fileCount = 0x0203;
    ASSERT_EQ(WriteBackupInfo(sandbox.folder(), info), 1);
    const Bytes expected = {2, 0, 0xE8, 7, 2, 0, 4, 0, 29, 0, 23, 0, 59, 0, 58, 0, 0xE7, 3, 1, 3, 2};
    EXPECT_EQ(ReadBytes(sandbox.path("PLBKINFO.DAT")), expected);
    BackupInfo read = {};
    ASSERT_EQ(ReadBackupInfo(sandbox.folder(), &read), 1);
    EXPECT_EQ(std::memcmp(&read, &info, sizeof(info)), 0);
    EXPECT_TRUE(SameRun(read.startTime, info.startTime));
    read.startTime.milliseconds = 998;
    EXPECT_FALSE(SameRun(read.startTime, info.startTime));
}

// Only a whole file that says what a backup says is one; anything else is
// refused with its reason and never read further.
TEST(BackupInfo, ADamagedOrForeignFileIsRefusedWithItsReason) {
    const Bytes first = {1, 0, 0xE8, 7, 2, 0, 4, 0, 29, 0, 23, 0, 59, 0, 58, 0, 0xE7, 3, 0, 3, 0};
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
        EXPECT_EQ(+info.fileCount, sound ? 3 : 77) << "untouched unless sound";
        EXPECT_EQ(RestoreSourceRefusal(c.source, info), c.refusal);
        // The restore itself refuses the same, and stages nothing.
        RestoreRun run;
        run.dataFolder = sandbox.path("data/");
        run.backupFolder = sandbox.folder();
        MakeFolderPath(run.dataFolder);
        EXPECT_EQ(BeginRestore(&run), c.source == RestoreSource::kFirstDisk ? 1 : 0);
        EXPECT_EQ(run.failure.text, c.refusal);
        EXPECT_EQ(FolderExists(StagingFolder(run.dataFolder)), c.source == RestoreSource::kFirstDisk);
        // A backup does not take the folder for one of its own.
        BackupInfo earlier = {};
        EXPECT_EQ(ExamineBackupFolder(sandbox.folder(), &earlier) == BackupFolderState::kEarlierBackup, sound);
    }
}

TEST(BackupFolder, DataFilesAreTheTablesThenTheDatFilesWithoutAnInformationFile) {
    Sandbox sandbox;
    for (const char* name : {"1.DAT", "ﾕｰｻﾞ.DBF", "plbkinfo.dat", "ITEM1.dat", "notes.txt", "1.DAT.new", "x.DBFX",
                             "料理食品.dbf"})
        WriteBytes(sandbox.path(name), Bytes{1});
    MakeFolderPath(sandbox.path("Restore.Temp"));
    std::vector<std::string> names = DataFileNames(sandbox.folder());
    ASSERT_EQ(names.size(), 4u);
    std::vector<std::string> tables(names.begin(), names.begin() + 2), others(names.begin() + 2, names.end());
    std::sort(tables.begin(), tables.end());
    std::sort(others.begin(), others.end());
    EXPECT_EQ(tables, (std::vector<std::string>{"料理食品.dbf", "ﾕｰｻﾞ.DBF"}));  // in byte order
    EXPECT_EQ(others, (std::vector<std::string>{"1.DAT", "ITEM1.dat"}));
}

TEST(BackupFolder, TellsAnEarlierBackupOfOursFromSomeoneElsesFiles) {
    Sandbox sandbox;
    BackupInfo info = {};
    EXPECT_EQ(ExamineBackupFolder(sandbox.path("none/"), &info), BackupFolderState::kEmpty);
    WriteBytes(sandbox.path("letter.txt"), Bytes{1});
    EXPECT_EQ(ExamineBackupFolder(sandbox.folder(), &info), BackupFolderState::kEmpty);
    WriteBytes(sandbox.path("save.dat"), Bytes{1});
    EXPECT_EQ(ExamineBackupFolder(sandbox.folder(), &info), BackupFolderState::kOtherFiles);
    info.diskNumber = 1;
    info.startTime = {2023, 11, 3, 30, 8, 15, 0, 0};
    WriteBackupInfo(sandbox.folder(), info);
    BackupInfo found = {};
    EXPECT_EQ(ExamineBackupFolder(sandbox.folder(), &found), BackupFolderState::kEarlierBackup);
    EXPECT_EQ(+found.startTime.year, 2023);
    EraseEarlierBackup(sandbox.folder());
    EXPECT_EQ(FilesOf(sandbox.folder()).size(), 1u);  // letter.txt: no "*.DBF" or "*.DAT"
}

TEST(BackupFolder, PathTexts) {
    struct Case {
        const char* path;
        char letter;
        bool endsWithSeparator;
    };
    const Case cases[] = {
        {"A:\\", 'A', true},           {"a:\\backup", 'A', false},  {"z:", 'Z', false},
        {"\\\\server\\share\\", 0, true}, {"backup\\", 0, true},     {"1:\\", 0, true},
        {"C:\\データ表", 'C', false},   // 表 ends in the byte 0x5C
        {"C:\\ソ\\", 'C', true},        {"/tmp/x/", 0, true},        {"", 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DriveLetterOf(c.path), c.letter) << c.path;
        EXPECT_EQ(EndsWithPathSeparator(c.path), c.endsWithSeparator) << c.path;
        std::string with = WithPathSeparator(c.path);
        EXPECT_TRUE(with.empty() || EndsWithPathSeparator(with)) << c.path;
        EXPECT_EQ(with.size(), std::strlen(c.path) + (c.endsWithSeparator || !*c.path ? 0 : 1)) << c.path;
    }
}

TEST(Folders, SameFolderSeesThroughCaseFinalSeparatorDotsAndLinks) {
    Sandbox sandbox;
    MakeFolderPath(sandbox.path("Data/Sub"));
    std::string data = sandbox.path("Data");
    std::string upper = data;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    EXPECT_TRUE(SameFolder(data, data + "/"));
    EXPECT_TRUE(SameFolder(data, upper));  // by the text: no such folder exists with this case
    EXPECT_TRUE(SameFolder(data + "/", sandbox.path("Data/Sub/../")));
    EXPECT_TRUE(SameFolder(data, sandbox.path("Data/./")));
    EXPECT_FALSE(SameFolder(data, sandbox.path("Data/Sub")));
    EXPECT_FALSE(SameFolder(data, sandbox.path("Dat")));
    EXPECT_FALSE(SameFolder(data, ""));
#ifndef _WIN32
    ASSERT_EQ(symlink(data.c_str(), sandbox.path("Link").c_str()), 0);
    EXPECT_TRUE(SameFolder(data, sandbox.path("Link/")));
#endif
}

}  // namespace
