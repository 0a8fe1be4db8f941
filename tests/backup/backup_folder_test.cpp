// The backup's files and folders: the information file byte for byte, which
// files a backup copies, what a backup folder holds, path texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "backup/backup_folder.h"
#include "backup/backup_info.h"
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
    // A file cut short is no information file.
    WriteBytes(sandbox.path("PLBKINFO.DAT"), Bytes(expected.begin(), expected.begin() + 18));
    EXPECT_EQ(ReadBackupInfo(sandbox.folder(), &read), 0);
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
    info.startTime.year = 2023;
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
