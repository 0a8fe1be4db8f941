#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "corelib/environment.h"
#include "corelib/files.h"
#include "corelib/registry.h"
#include "support/sandbox.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

TEST(Files, BareNamesAreShiftJisAware) {
    EXPECT_TRUE(IsBareName("1.DAT"));
    EXPECT_TRUE(IsBareName("表.DAT"));    // trail byte 0x5C is no separator
    EXPECT_TRUE(IsBareName("ソフト"));
    EXPECT_TRUE(IsBareName("ﾕｰｻﾞ.DBF"));
    EXPECT_FALSE(IsBareName("sub\\1.DAT"));
    EXPECT_FALSE(IsBareName("sub/1.DAT"));
    EXPECT_FALSE(IsBareName("A:1.DAT"));
    EXPECT_FALSE(IsBareName("表\\1.DAT"));
}

TEST(Files, OpenModesReadWriteSeekAndClose) {
    Sandbox sb;
    EXPECT_EQ(FileOpen("1.DAT", kFileRead), kInvalidFile);
    EXPECT_EQ(FileOpen("1.DAT", kFileTestExists), kInvalidFile);

    FileHandle file = FileOpen("1.DAT", kFileCreate);  // bare name: the data folder
    ASSERT_NE(file, kInvalidFile);
    EXPECT_EQ(FileWrite(file, "1.DAT", "abcdef", 6), 6);
    EXPECT_EQ(FileSize(file), 6);
    EXPECT_EQ(FileSeek(file, "1.DAT", 2), 2);
    char buffer[8] = {};
    EXPECT_EQ(FileRead(file, "1.DAT", buffer, 8), 4);  // a short read reports what it got
    EXPECT_STREQ(buffer, "cdef");
    EXPECT_EQ(FileRead(file, "1.DAT", buffer, 8), 0);
    EXPECT_EQ(FileClose(file, "1.DAT"), 1);
    EXPECT_EQ(ReadAll(sb.path("1.DAT")), "abcdef");

    EXPECT_EQ(FileOpen("1.DAT", kFileTestExists), kFileExistsResult);
    EXPECT_EQ(FileClose(kFileExistsResult, ""), 1);
    EXPECT_EQ(FileExists("1.DAT"), 1);

    file = FileOpen2(sb.path("1.DAT").c_str(), kFileReadWrite);  // keeps the content
    ASSERT_NE(file, kInvalidFile);
    EXPECT_EQ(FileWrite(file, "", "X", 1), 1);
    FileClose(file, "");
    EXPECT_EQ(ReadAll(sb.path("1.DAT")), "Xbcdef");

    file = FileOpen("1.DAT", kFileRead);
    EXPECT_EQ(FileWrite(file, "", "Y", 1), -1);  // read only
    FileClose(file, "");
    EXPECT_EQ(FileClose(kInvalidFile, ""), 0);
    EXPECT_EQ(FileOpen("1.DAT", 7), kInvalidFile);  // no such mode

    EXPECT_EQ(FileDelete("1.DAT"), 1);
    EXPECT_FALSE(Exists(sb.path("1.DAT")));
    EXPECT_EQ(FileDelete("1.DAT"), 1);  // already gone
}

TEST(Files, CopyTakesTheRestOfTheSource) {
    Sandbox sb;
    WriteAll(sb.path("a.DAT"), std::string(200000, 'a') + "tail");
    FileHandle source = FileOpen("a.DAT", kFileRead);
    FileHandle target = FileOpen("b.DAT", kFileCreate);
    FileSeek(source, "", 100000);
    EXPECT_EQ(FileCopy(source, target), 1);
    FileClose(source, "");
    FileClose(target, "");
    EXPECT_EQ(ReadAll(sb.path("b.DAT")), std::string(100000, 'a') + "tail");
}

TEST(Files, MakeDirCreatesOnceAndDiskFreeAnswers) {
    Sandbox sb;
    std::string folder = sb.path("Restore.Temp");
    EXPECT_EQ(MakeDir(nullptr, folder.c_str()), 1);
    EXPECT_EQ(MakeDir(nullptr, folder.c_str()), 0);  // existed: the restore relies on this
    EXPECT_EQ(MakeDir(nullptr, sb.path("no/such/parent").c_str()), 0);

    std::uint32_t free[2] = {};
    EXPECT_EQ(GetDiskFree(0, free), 1);
    EXPECT_TRUE(free[0] != 0 || free[1] != 0);
    EXPECT_EQ(GetDiskFree(26, free), 0);
}

TEST(Files, ExistingNamesAreFoundWhateverTheirAsciiCase) {
    Sandbox sb;
    WriteAll(sb.path("ﾕｰｻﾞ.DBF"), "table");
    WriteAll(sb.path("Item1.dat"), "items");
    FileHandle file = FileOpen("ﾕｰｻﾞ.dbf", kFileRead);
    ASSERT_NE(file, kInvalidFile);
    FileClose(file, "");
    EXPECT_EQ(FileExists("ITEM1.DAT"), 1);

    // Create-or-truncate reaches the existing file, as on Windows.
    file = FileOpen("ﾕｰｻﾞ.dbf", kFileCreate);
    FileWrite(file, "", "new", 3);
    FileClose(file, "");
    EXPECT_EQ(ReadAll(sb.path("ﾕｰｻﾞ.DBF")), "new");
    EXPECT_FALSE(Exists(sb.path("ﾕｰｻﾞ.dbf")));

    // Trail bytes are not letters: ア (0x83 0x41) and ヂ (0x83 0x61) differ.
    WriteAll(sb.path("ア.DAT"), "a");
    EXPECT_EQ(FileExists("ヂ.DAT"), 0);
}

// A restore's staged files go over the data files: renamed where they can
// be, copied beside and renamed from another volume; a file that cannot be
// moved leaves its target as it was.
TEST(Files, StagedFilesMoveOverTheirTargets) {
    Sandbox sb;
    const std::string staging = sb.path("Restore.Temp/");
    const std::string shm = "/dev/shm/pelmo-files-test-" + std::to_string(getpid()) + "/";
    ASSERT_EQ(MakeDir(nullptr, staging.c_str()), 1);
    for (const char* old : {"ﾕｰｻﾞ.DBF", "item1.dat", "2.DAT"}) WriteAll(sb.path(old), std::string("old ") + old);
    struct Case {
        std::string source, target, content;  // content "": no source file, the target stays "old <target>"
        std::string at;                       // the target's file afterwards
    };
    std::vector<Case> cases = {
        {staging + "ﾕｰｻﾞ.DBF", "ﾕｰｻﾞ.DBF", "new table", "ﾕｰｻﾞ.DBF"},
        {staging + "ITEM1.DAT", "ITEM1.DAT", "new items", "item1.dat"},  // the existing name's case is kept
        {staging + "3.DAT", "3.DAT", "new user", "3.DAT"},
        {staging + "2.DAT", "2.DAT", "", "2.DAT"},
    };
    if (MakeDir(nullptr, shm.c_str()) == 1) cases.push_back({shm + "4.DAT", "4.DAT", "from afar", "4.DAT"});
    std::vector<std::string> sources, targets;
    for (const Case& c : cases) {
        if (!c.content.empty()) WriteAll(c.source, c.content);
        sources.push_back(c.source);
        targets.push_back(sb.path(c.target));
    }
    ASSERT_EQ(FlushFiles(std::vector<std::string>(sources.begin(), sources.begin() + 3)), 1);
    const std::vector<bool> moved = MoveFilesOver(sources, targets);
    ASSERT_EQ(moved.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.source);
        EXPECT_EQ(moved[i], !c.content.empty());
        EXPECT_EQ(ReadAll(sb.path(c.at)), c.content.empty() ? "old " + c.target : c.content);
        EXPECT_FALSE(Exists(c.source));
        EXPECT_FALSE(Exists(AtomicTempPath(targets[i])));
    }
    EXPECT_FALSE(Exists(sb.path("ITEM1.DAT")));
    rmdir(shm.c_str());
}

TEST(Files, ShortWriteIsAFailure) {
    Sandbox sb;
    // A file-size limit makes the kernel store only part of a write, as a full disk does.
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    struct sigaction ignore = {}, previous;
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    FileHandle file = FileOpen("full.DAT", kFileCreate);
    struct rlimit small = old;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    std::string data(4000, 'x');
    long written = FileWrite(file, "full.DAT", data.data(), 4000);
    setrlimit(RLIMIT_FSIZE, &old);
    sigaction(SIGXFSZ, &previous, nullptr);
    FileClose(file, "");
    EXPECT_EQ(written, -1);
}

TEST(DataFolder, OverrideThenSystemDirThenANewFolderRemembered) {
    Sandbox sb;
    EXPECT_EQ(DataFolder(), sb.folder());
    EXPECT_EQ(DataPath("1.DAT"), sb.folder() + "1.DAT");
    EXPECT_EQ(DataPath("/elsewhere/1.DAT"), "/elsewhere/1.DAT");

    SetDataFolderOverride("");
    SetRegistryValue("SystemDir", (sb.folder() + "stored").c_str(), kAreaInstall);
    EXPECT_EQ(DataFolder(), sb.folder() + "stored/");  // final separator supplied

    // A first run: no "SystemDir" yet.
    std::string home = sb.folder() + "home";
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    std::string savedXdg = oldXdg ? oldXdg : "";
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    SetRegistryRootKey(sb.registryKey() + "\\fresh");
    std::string created = DataFolder();
    if (oldXdg) setenv("XDG_DATA_HOME", savedXdg.c_str(), 1); else unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(created, home + "/KoroWorks/Pelmo free/");
    char stored[256] = {};
    EXPECT_TRUE(GetRegistryValue("SystemDir", stored, 255, kAreaInstall));
    EXPECT_EQ(std::string(stored), created);
    FileHandle file = FileOpen("1.DAT", kFileCreate);
    EXPECT_NE(file, kInvalidFile);
    FileClose(file, "");
    EXPECT_TRUE(Exists(created + "1.DAT"));

    // No folder can be had: a bare name names nothing, never the current folder.
    SetRegistryRootKey(sb.registryKey() + "\\homeless");
    const char* oldHome = std::getenv("HOME");
    std::string savedHome = oldHome ? oldHome : "";
    unsetenv("HOME");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(DataFolder(), "");
    EXPECT_EQ(FileOpen("stray.DAT", kFileCreate), kInvalidFile);
    if (oldHome) setenv("HOME", savedHome.c_str(), 1);
    if (oldXdg) setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    EXPECT_FALSE(Exists("stray.DAT"));
}

class AtomicReplace : public ::testing::Test {
protected:
    void SetUp() override { WriteAll(sb.path("7.DAT"), "old content"); }
    void TearDown() override { SetAtomicFailure(AtomicFailure::kNone); }
    int Save(const std::string& text) {
        FilePart parts[] = {{"new ", 4}, {text.data(), text.size()}};
        return WriteFileAtomically("7.DAT", parts, 2);
    }
    std::string Old() { return ReadAll(sb.path("7.DAT")); }
    bool Leftover() { return Exists(sb.path("7.DAT.new")); }
    Sandbox sb;
};

TEST_F(AtomicReplace, ReplacesTheWholeFile) {
    EXPECT_EQ(Save("content"), 1);
    EXPECT_EQ(Old(), "new content");
    EXPECT_FALSE(Leftover());
    EXPECT_EQ(WriteFileAtomically("8.DAT", nullptr, 0), 1);  // a new, empty file
    EXPECT_TRUE(Exists(sb.path("8.DAT")));
}

TEST_F(AtomicReplace, EveryFailingStepLeavesTheOldFileAndNoLeftover) {
    for (AtomicFailure step : {AtomicFailure::kCreate, AtomicFailure::kWrite, AtomicFailure::kFlush,
                               AtomicFailure::kClose, AtomicFailure::kRename}) {
        SCOPED_TRACE(static_cast<int>(step));
        SetAtomicFailure(step);
        EXPECT_EQ(Save("content"), 0);
        EXPECT_EQ(Old(), "old content");
        EXPECT_FALSE(Leftover());
    }
    EXPECT_EQ(Save("content"), 1);  // a failure happens once
    EXPECT_EQ(Old(), "new content");
}

TEST_F(AtomicReplace, OpenTempCommitAndAbandon) {
    AtomicFile file;
    ASSERT_EQ(AtomicFileBegin(&file, "7.DAT"), 1);
    EXPECT_EQ(AtomicFileWrite(&file, "abandoned", 9), 1);
    AtomicFileAbandon(&file);
    AtomicFileAbandon(&file);
    EXPECT_EQ(Old(), "old content");
    EXPECT_FALSE(Leftover());

    ASSERT_EQ(AtomicFileBegin(&file, "7.DAT"), 1);
    SetAtomicFailure(AtomicFailure::kWrite);
    EXPECT_EQ(AtomicFileWrite(&file, "broken", 6), 0);
    EXPECT_EQ(AtomicFileWrite(&file, "more", 4), 0);  // refused after a failure
    EXPECT_EQ(AtomicFileCommit(&file), 0);
    EXPECT_EQ(Old(), "old content");
    EXPECT_FALSE(Leftover());
}

TEST_F(AtomicReplace, LeftoversOfACrashAreSettledAtLoad) {
    auto whole = [](const char* path, void*) { return ReadAll(path).rfind("new ", 0) == 0; };

    // Died before the rename: the old file stays, the leftover goes.
    SetAtomicFailure(AtomicFailure::kCrashBeforeRename);
    EXPECT_EQ(Save("content"), 0);
    EXPECT_TRUE(Leftover());
    EXPECT_EQ(RecoverAtomicFile("7.DAT", whole, nullptr), 0);
    EXPECT_EQ(Old(), "old content");
    EXPECT_FALSE(Leftover());

    // The old file is missing and the new one is whole: it is taken.
    SetAtomicFailure(AtomicFailure::kCrashBeforeRename);
    Save("content");
    std::remove(sb.path("7.DAT").c_str());
    EXPECT_EQ(RecoverAtomicFile("7.DAT", whole, nullptr), 1);
    EXPECT_EQ(Old(), "new content");
    EXPECT_FALSE(Leftover());

    // A partial leftover is never taken, even with the old file missing.
    SetAtomicFailure(AtomicFailure::kCrashMidWrite);
    EXPECT_EQ(Save("content"), 0);
    EXPECT_TRUE(Leftover());
    std::remove(sb.path("7.DAT").c_str());
    EXPECT_EQ(RecoverAtomicFile("7.DAT", whole, nullptr), 0);
    EXPECT_FALSE(Leftover());
    EXPECT_FALSE(Exists(sb.path("7.DAT")));
}

}  // namespace
