// The Win32 files, registry and data-folder code under Wine.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "corelib/dbf.h"
#include "corelib/environment.h"
#include "corelib/files.h"
#include "corelib/registry.h"
#include "corelib/utility.h"
#include "diary/users_table.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "support/sandbox.h"

namespace {

// The raw registry text of a value, read past the program's own functions.
std::string RawValue(const std::string& key, const char* name) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return "(no key)";
    char text[512] = {};
    DWORD size = sizeof(text) - 1, type = 0;
    LONG result = RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS) return "(no value)";
    return type == REG_SZ ? std::string(text) : "(not text)";
}

std::string ReadAll(const std::string& path) {
    FileHandle file = FileOpen2(path.c_str(), kFileRead);
    std::string bytes(static_cast<std::size_t>(FileSize(file) < 0 ? 0 : FileSize(file)), '\0');
    if (!bytes.empty()) FileRead(file, "", &bytes[0], static_cast<long>(bytes.size()));
    FileClose(file, "");
    return bytes;
}

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(WinRegistry, AreasAreTextValuesUnderTheirOwnKeys) {
    Sandbox sb;
    char text[256];
    EXPECT_EQ(GetRegistryValue("UserName", text, 255, kAreaSettings), 0);  // a fresh key
    EXPECT_STREQ(text, "");

    EXPECT_EQ(SetRegistryValue("UserName", "山田表子", kAreaSettings), 1);
    EXPECT_EQ(SetRegistryValue("SystemDir", "C:\\データ\\", kAreaInstall), 1);
    EXPECT_EQ(RawValue(sb.registryKey() + "\\Settings", "UserName"), "山田表子");
    EXPECT_EQ(RawValue(sb.registryKey() + "\\Install", "SystemDir"), "C:\\データ\\");
    EXPECT_EQ(RawValue(sb.registryKey() + "\\Settings", "SystemDir"), "(no value)");

    ASSERT_NE(GetRegistryValue("UserName", text, 255, kAreaSettings), 0);
    EXPECT_STREQ(text, "山田表子");
    EXPECT_EQ(GetRegistryValue("UserName", text, 255, kAreaInstall), 0);
    EXPECT_EQ(GetRegistryValue("UserName", text, 5, kAreaSettings), 1);
    EXPECT_STREQ(text, "山田");  // cut to the buffer, never half a character
    EXPECT_EQ(SetRegistryValue("UserName", "x", 7), 0);

    EXPECT_EQ(SetRegistryValue("UserName", "", kAreaSettings), 1);
    EXPECT_EQ(GetRegistryValue("UserName", text, 255, kAreaSettings), 1);  // exists, empty
    EXPECT_STREQ(text, "");
}

TEST(WinDataFolder, AFirstRunCreatesTheFolderAndRemembersIt) {
    Sandbox sb;
    SetDataFolderOverride("");
    SetEnvironmentVariableA("PELMO_DATA_DIR", nullptr);
    std::string folder = DataFolder();

    char appData[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData)));
    EXPECT_EQ(folder, std::string(appData) + "\\KoroWorks\\Pelmo free\\");
    EXPECT_TRUE(IsFolder(folder));
    EXPECT_EQ(RawValue(sb.registryKey() + "\\Install", "SystemDir"), folder);

    // Later runs take the stored value, with its final backslash supplied if missing.
    SetRegistryValue("SystemDir", sb.folder().substr(0, sb.folder().size() - 1).c_str(), kAreaInstall);
    EXPECT_EQ(DataFolder(), sb.folder());
    EXPECT_EQ(DataPath("1.DAT"), sb.folder() + "1.DAT");
}

TEST(WinFiles, HandlesModesAndShiftJisNames) {
    Sandbox sb;
    EXPECT_EQ(FileOpen("表ソ.DAT", kFileRead), kInvalidFile);
    FileHandle file = FileOpen("表ソ.DAT", kFileCreate);  // trail bytes 0x5C in a bare name
    ASSERT_NE(file, kInvalidFile);
    EXPECT_EQ(FileWrite(file, "表ソ.DAT", "0123456789", 10), 10);
    EXPECT_EQ(FileSize(file), 10);
    EXPECT_EQ(FileSeek(file, "", 4), 4);
    char buffer[16] = {};
    EXPECT_EQ(FileRead(file, "", buffer, 16), 6);
    EXPECT_STREQ(buffer, "456789");
    EXPECT_EQ(FileClose(file, ""), 1);
    EXPECT_EQ(GetFileAttributesA(sb.path("表ソ.DAT").c_str()) != INVALID_FILE_ATTRIBUTES, true);
    EXPECT_EQ(FileOpen("表ソ.DAT", kFileTestExists), kFileExistsResult);
    EXPECT_EQ(FileOpen("ﾅｲ.DAT", kFileTestExists), kInvalidFile);

    FileHandle source = FileOpen("表ソ.DAT", kFileRead);
    FileHandle target = FileOpen2(sb.path("copy.DAT").c_str(), kFileCreate);
    FileSeek(source, "", 3);
    EXPECT_EQ(FileCopy(source, target), 1);
    FileClose(source, "");
    FileClose(target, "");
    EXPECT_EQ(ReadAll(sb.path("copy.DAT")), "3456789");

    EXPECT_EQ(MakeDir(nullptr, sb.path("Restore.Temp").c_str()), 1);
    EXPECT_EQ(MakeDir(nullptr, sb.path("Restore.Temp").c_str()), 0);
    std::uint32_t free[2] = {};
    EXPECT_EQ(GetDiskFree(2, free), 1);  // C:
    EXPECT_TRUE(free[0] != 0 || free[1] != 0);
    EXPECT_EQ(FileDelete("表ソ.DAT"), 1);
    EXPECT_EQ(FileExists("表ソ.DAT"), 0);
}

TEST(WinFiles, WritingOntoAFullDiskIsAFailure) {
    // Wine maps the Linux device that is always full.
    FileHandle full = FileOpen2("Z:\\dev\\full", kFileReadWrite);
    ASSERT_NE(full, kInvalidFile);
    EXPECT_EQ(FileWrite(full, "", "data", 4), -1);
    FileClose(full, "");
}

// Run in a child process whose file size is limited, so that Wine stores part
// of a write and reports success with the short count.
TEST(WinFiles, ShortWriteChild) {
    char path[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("PELMO_SHORT_WRITE_FILE", path, sizeof(path))) GTEST_SKIP() << "child only";
    std::string data(8000, 'x');
    HANDLE raw = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(raw, INVALID_HANDLE_VALUE);
    DWORD put = 0;
    BOOL ok = WriteFile(raw, data.data(), static_cast<DWORD>(data.size()), &put, nullptr);
    CloseHandle(raw);
    // The quirk itself: success, yet fewer bytes than asked.
    EXPECT_TRUE(ok);
    EXPECT_LT(put, data.size());

    FileHandle file = FileOpen2(path, kFileCreate);
    ASSERT_NE(file, kInvalidFile);
    EXPECT_EQ(FileWrite(file, "", data.data(), static_cast<long>(data.size())), -1);
    FileClose(file, "");
}

TEST(WinFiles, ShortWriteIsAFailure) {
    Sandbox sb;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string file = sb.path("short.DAT");
    char result[64];
    wsprintfA(result, "/tmp/pelmo-short-write-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    std::string windowsResult = std::string("Z:") + result;
    for (char& c : windowsResult) if (c == '/') c = '\\';
    SetEnvironmentVariableA("PELMO_SHORT_WRITE_FILE", file.c_str());
    // A Unix shell limits the file size (512-byte blocks), runs the child under
    // Wine and leaves its exit code in a file: Wine cannot wait for a Unix process.
    std::string command = "/bin/sh -c \"trap '' XFSZ; ulimit -f 4; /usr/lib/wine/wine64 '" + std::string(self) +
                          "' --gtest_filter=WinFiles.ShortWriteChild >/dev/null 2>&1; echo $? > " + result +
                          ".part; mv " + result + ".part " + result + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessA("Z:\\bin\\sh", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process);
    SetEnvironmentVariableA("PELMO_SHORT_WRITE_FILE", nullptr);
    ASSERT_TRUE(started);
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    std::string code;
    for (int i = 0; i < 600 && code.empty(); ++i) {
        Sleep(100);
        code = ReadAll(windowsResult);
    }
    DeleteFileA(windowsResult.c_str());
    EXPECT_EQ(code, "0\n") << "the child's checks failed (1) or it did not finish";
}

TEST(WinFiles, CrashSafeReplacementLeavesOldOrNewWhole) {
    Sandbox sb;
    FilePart old = {"old", 3};
    ASSERT_EQ(WriteFileAtomically("1.DAT", &old, 1), 1);
    // A reader keeps the old file open. Windows may refuse to replace an open
    // file; then the old one must stay whole, with no leftover.
    FileHandle reader = FileOpen("1.DAT", kFileRead);
    FilePart next = {"new content", 11};
    int replaced = WriteFileAtomically("1.DAT", &next, 1);
    char buffer[4] = {};
    EXPECT_EQ(FileRead(reader, "", buffer, 3), 3);
    EXPECT_STREQ(buffer, "old");
    FileClose(reader, "");
    EXPECT_EQ(ReadAll(sb.path("1.DAT")), replaced ? "new content" : "old");
    EXPECT_EQ(GetFileAttributesA((sb.path("1.DAT") + ".new").c_str()), INVALID_FILE_ATTRIBUTES);

    ASSERT_EQ(WriteFileAtomically("1.DAT", &next, 1), 1);
    EXPECT_EQ(ReadAll(sb.path("1.DAT")), "new content");
    for (AtomicFailure step : {AtomicFailure::kCreate, AtomicFailure::kWrite, AtomicFailure::kFlush,
                               AtomicFailure::kClose, AtomicFailure::kRename}) {
        SetAtomicFailure(step);
        FilePart other = {"other", 5};
        EXPECT_EQ(WriteFileAtomically("1.DAT", &other, 1), 0);
        EXPECT_EQ(ReadAll(sb.path("1.DAT")), "new content");
        EXPECT_EQ(GetFileAttributesA((sb.path("1.DAT") + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    }

    // Died before the rename with the old file gone: the whole new file is taken.
    SetAtomicFailure(AtomicFailure::kCrashBeforeRename);
    FilePart last = {"last", 4};
    EXPECT_EQ(WriteFileAtomically("1.DAT", &last, 1), 0);
    DeleteFileA(sb.path("1.DAT").c_str());
    auto whole = [](const char*, void*) { return true; };
    EXPECT_EQ(RecoverAtomicFile("1.DAT", whole, nullptr), 1);
    EXPECT_EQ(ReadAll(sb.path("1.DAT")), "last");
}

// Small reads go straight into the buffer, large ones in pieces through
// another (from any position, ending in a part piece); either way the bytes
// are the file's and the position moves past them. A read past the end fails.
TEST(WinFiles, ReadExactlyTakesTheBytesFromThePositionOn) {
    Sandbox sb;
    std::string bytes(5 * 1024 * 1024 + 123, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7919) >> 3);
    const std::size_t size = bytes.size(), kMiB = 1024 * 1024;
    FileHandle made = FileOpen("1.DAT", kFileCreate);
    ASSERT_EQ(FileWrite(made, "", bytes.data(), static_cast<long>(size)), static_cast<long>(size));
    FileClose(made, "");
    const struct { std::size_t from, count; bool whole; } cases[] = {
        {0, 0, true}, {0, 167, true}, {167, 3 * kMiB, true}, {65536, 2 * kMiB, true}, {167, size - 167, true},
        {1, size, false}, {size - 10, 11, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " + " + std::to_string(c.count));
        FileHandle file = FileOpen("1.DAT", kFileRead);
        ASSERT_EQ(FileSeek(file, "", static_cast<long>(c.from)), static_cast<long>(c.from));
        std::string read(c.count, '\0');
        EXPECT_EQ(FileReadExactly(file, "1.DAT", &read[0], c.count), c.whole);
        if (c.whole) {
            EXPECT_TRUE(read == bytes.substr(c.from, c.count));
            char next = 0;
            const bool more = c.from + c.count < size;
            EXPECT_EQ(FileRead(file, "", &next, 1), more ? 1 : 0);
            EXPECT_EQ(next, more ? bytes[c.from + c.count] : 0);
        }
        FileClose(file, "");
    }
}

TEST(WinDbf, UsersTableOnWin32Files) {
    Sandbox sb;
    char row[40];
    wsprintfA(row, "%5ld%-30s", 3L, "表ソ");
    ASSERT_EQ(WriteDBFRecord(nullptr, "ﾕｰｻﾞ.dbf", row, kUsersNameField), 1);
    std::uint16_t* area = AllocSearchDBFMem();
    EXPECT_EQ(SearchDBFRecord2(nullptr, area, kUsersTable, kUsersNameField, "ソ", "ソ", "", ""), 1);
    FreeSearchDBFMem(area);
    char buffer[40] = {};
    EXPECT_EQ(ReadDBFRecord(nullptr, kUsersTable, 0, buffer), 1);
    EXPECT_STREQ(buffer, row);
    std::string bytes = ReadAll(sb.path(kUsersTable));
    EXPECT_EQ(bytes.size(), 97u + 36 + 1);
}

TEST(WinUtility, TopParentAndStringTable) {
    HWND top = CreateWindowA("STATIC", "top", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowA("STATIC", "child", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
    HWND grandchild = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 5, 5, child, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetTopParent(grandchild), top);
    EXPECT_EQ(GetTopParent(top), top);
    EXPECT_EQ(GetTopParent(nullptr), nullptr);
    DestroyWindow(top);
    // The program's string table, through LoadStringA.
    EXPECT_STREQ(GetRS(nullptr, ID_SET_COLOR), PelmoText(ID_SET_COLOR));
    EXPECT_STREQ(GetRS(nullptr, 0xFFF0), "");  // no such entry
}

}  // namespace
