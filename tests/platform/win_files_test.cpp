// The Windows file calls over POSIX, and the path mapping beneath them.
#include "platform/win_files.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/win_path.h"
#include "tests/platform/win_path_test_support.h"
#include "tests/support/test_temp_dir.h"

namespace {

#if !defined(_WIN32)
std::string Native(const std::string& windows) {
    char out[1024];
    const DWORD rc = WindowsPathToNative(windows.c_str(), out, sizeof out);
    return rc == ERROR_SUCCESS ? out : "<error " + std::to_string(rc) + ">";
}
#endif

#if !defined(_WIN32)  // this machine's paths, pipes and devices
TEST(WinPath, DropsTheDriveAndTurnsBackslashesIntoSlashes) {
    EXPECT_EQ(Native("C:\\Apps\\Host\\Prefs\\Orvelk.ini"), "/Apps/Host/Prefs/Orvelk.ini");
    EXPECT_EQ(Native("d:\\x"), "/x");
    EXPECT_EQ(Native("rel\\a.txt"), "rel/a.txt");
    // 表 is 0x95 0x5C: its second byte is not a separator.
    EXPECT_EQ(Native("C:\\\x95\x5C\\a"), "/\xE8\xA1\xA8/a");
    char out[MAX_PATH];
    ASSERT_EQ(NativePathToWindows("/\xE8\xA1\xA8/a b", out, sizeof out), ERROR_SUCCESS);
    EXPECT_STREQ(out, "C:\\\x95\x5C\\a b");
}
#endif

#if !defined(_WIN32)  // this machine's paths, pipes and devices
TEST(WinPath, RefusesOverlongAndUnconvertiblePaths) {
    EXPECT_EQ(Native("C:\\" + std::string(257, 'a')), "<error 206>");  // 260 bytes
    EXPECT_EQ(Native("C:\\" + std::string(256, 'a')).size(), 257u);  // 259 bytes fit
    EXPECT_EQ(Native("C:\\\x88"), "<error 123>");  // a lead byte with nothing after it
    char out[MAX_PATH];
    EXPECT_EQ(NativePathToWindows(std::string("/").append(300, 'a').c_str(), out, sizeof out),
              static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(NativePathToWindows("/\xF0\x9F\x98\x80", out, sizeof out),
              static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_EQ(NativePathToWindows("relative", out, sizeof out), static_cast<DWORD>(ERROR_INVALID_NAME));
}
#endif

TEST(WinFiles, CreateWriteSeekReadClose) {
    const std::string path = Win("wf_basic.bin");
    HFILE f = _lcreat(path.c_str(), 0);
    ASSERT_NE(f, HFILE_ERROR);
    EXPECT_EQ(_lwrite(f, "hello world", 11), 11u);
    EXPECT_EQ(_lclose(f), 0);

    f = _lopen(path.c_str(), OF_READ);
    ASSERT_NE(f, HFILE_ERROR);
    EXPECT_EQ(_llseek(f, 0, FILE_END), 11);
    EXPECT_EQ(_llseek(f, 6, FILE_BEGIN), 6);
    char buffer[16] = {};
    EXPECT_EQ(_lread(f, buffer, sizeof buffer), 5u);  // short at the end of the file
    EXPECT_STREQ(buffer, "world");
    EXPECT_EQ(_lread(f, buffer, sizeof buffer), 0u);
    EXPECT_EQ(_llseek(f, -1, FILE_BEGIN), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(_llseek(f, 0, FILE_CURRENT), 11);  // the pointer stayed
    // A handle opened for reading writes nothing.
    EXPECT_EQ(_lwrite(f, "x", 1), static_cast<UINT>(HFILE_ERROR));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(_lclose(f), 0);

    // _lcreat truncates an existing file.
    f = _lcreat(path.c_str(), 0);
    EXPECT_EQ(_llseek(f, 0, FILE_END), 0);
    _lclose(f);
    EXPECT_TRUE(DeleteFileA(path.c_str()));
    EXPECT_FALSE(DeleteFileA(path.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(WinFiles, OpenFailuresSetTheLastError) {
    EXPECT_EQ(_lopen(Win("wf_missing.bin").c_str(), OF_READ), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    // A missing folder on the way is a missing path, for every call.
    const std::string lost = Win("wf_no_folder\\sub\\f.bin");
    EXPECT_EQ(_lopen(lost.c_str(), OF_READ), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(_lcreat(lost.c_str(), 0), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(CreateDirectoryA(Win("wf_no_folder\\sub").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(DeleteFileA(lost.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(_lopen(Win("").c_str(), OF_READ), HFILE_ERROR);  // a folder is no file
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(_lopen(("C:\\" + std::string(300, 'x')).c_str(), OF_READ), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(_lclose(0x7FFF0), HFILE_ERROR);  // never opened (negative values are pseudo handles)
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// A named pipe in place of a file would hold a blocking open until someone
// opens its other end: every open refuses it at once, in every mode.
#if !defined(_WIN32)  // this machine's paths, pipes and devices
TEST(WinFiles, PipesAndDevicesAreRefusedWithoutWaiting) {
    const std::string fifo = TestTempDir() + "wf_fifo";
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (int mode : {OF_READ, OF_WRITE, OF_READWRITE}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(_lopen(Win("wf_fifo").c_str(), mode), HFILE_ERROR) << mode;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << mode;
    }
    EXPECT_EQ(_lcreat(Win("wf_fifo").c_str(), 0), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    struct stat st;
    ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));  // left as it was
    ::unlink(fifo.c_str());
    // A device is no file either.
    EXPECT_EQ(_lopen("C:\\dev\\null", OF_READ), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    // A file opened so still reads and writes as before.
    const HFILE f = _lcreat(Win("wf_after_fifo.bin").c_str(), 0);
    ASSERT_NE(f, HFILE_ERROR);
    EXPECT_EQ(_lwrite(f, "abc", 3), 3u);
    EXPECT_EQ(_llseek(f, 0, FILE_BEGIN), 0);
    char buffer[4] = {};
    EXPECT_EQ(_lread(f, buffer, 3), 3u);
    EXPECT_STREQ(buffer, "abc");
    _lclose(f);
    DeleteFileA(Win("wf_after_fifo.bin").c_str());
}
#endif

TEST(WinFiles, DirectoriesAndMoves) {
    const std::string dir = Win("wf_dir");
    std::filesystem::remove_all(TestTempDir() + "wf_dir");
    EXPECT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryA(dir.c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));

    const std::string a = dir + "\\a.txt", b = dir + "\\b.txt";
    HFILE f = _lcreat(a.c_str(), 0);
    _lwrite(f, "new", 3);
    _lclose(f);
    f = _lcreat(b.c_str(), 0);
    _lwrite(f, "old", 3);
    _lclose(f);
    EXPECT_FALSE(MoveFileExA(a.c_str(), b.c_str(), 0));  // no replacing unless asked
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(MoveFileExA(a.c_str(), b.c_str(), MOVEFILE_REPLACE_EXISTING));
    f = _lopen(b.c_str(), OF_READ);
    char buffer[4] = {};
    EXPECT_EQ(_lread(f, buffer, 3), 3u);
    EXPECT_STREQ(buffer, "new");
    _lclose(f);
    EXPECT_EQ(_lopen(a.c_str(), OF_READ), HFILE_ERROR);

    // Replacing is for files: a folder is neither replaced nor moved over one.
    const std::string sub = dir + "\\sub", other = dir + "\\other";
    EXPECT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    EXPECT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
    EXPECT_FALSE(MoveFileExA(sub.c_str(), other.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(MoveFileExA(b.c_str(), other.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    // Nor is a folder deleted as a file.
    EXPECT_FALSE(DeleteFileA(sub.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(_lopen(b.c_str(), OF_READ) != HFILE_ERROR, true);
    DeleteFileA(b.c_str());
}

// CREATE_NEW makes a file that did not exist, and opens nothing that does:
// neither a file nor a link (whose target is left alone, and a dangling
// one's target not created).
TEST(WinFiles, CreateNewOpensNoExistingNameAndFollowsNoLink) {
    const std::string dir = TestTempDir() + "wf_new/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    auto windows = [](const std::string& name) { return Win("wf_new/" + name); };
    auto create = [](const std::string& path) {
        return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    };

    HANDLE h = create(windows("fresh.tmp"));
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(h, "abc", 3, &written, nullptr));
    EXPECT_EQ(written, 3u);
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_EQ(create(windows("fresh.tmp")), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));

#if !defined(_WIN32)  // links as POSIX makes them
    {
        std::FILE* f = std::fopen((dir + "victim").c_str(), "w");
        std::fputs("keep", f);
        std::fclose(f);
    }
    std::filesystem::create_symlink(dir + "victim", dir + "symlink.tmp");
    std::filesystem::create_hard_link(dir + "victim", dir + "hardlink.tmp");
    std::filesystem::create_symlink(dir + "nowhere", dir + "dangling.tmp");
    for (const char* name : {"symlink.tmp", "hardlink.tmp", "dangling.tmp"}) {
        EXPECT_EQ(create(windows(name)), INVALID_HANDLE_VALUE) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS)) << name;
    }
    EXPECT_EQ(std::filesystem::file_size(dir + "victim"), 4u);
    EXPECT_FALSE(std::filesystem::exists(dir + "nowhere"));
#endif
    std::filesystem::remove_all(dir);
}

#if !defined(_WIN32)  // POSIX permission bits
// A file replaced by a move keeps the permissions it had.
TEST(WinFiles, AReplacedFileKeepsItsPermissions) {
    const std::string dir = TestTempDir() + "wf_mode/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const std::string name : {"old", "new"}) {
        std::FILE* f = std::fopen((dir + name).c_str(), "w");
        std::fputs(name.c_str(), f);
        std::fclose(f);
    }
    ASSERT_EQ(::chmod((dir + "old").c_str(), 0600), 0);
    ASSERT_EQ(::chmod((dir + "new").c_str(), 0644), 0);
    EXPECT_TRUE(MoveFileExA(Win("wf_mode/new").c_str(), Win("wf_mode/old").c_str(),
                            MOVEFILE_REPLACE_EXISTING));
    struct stat st;
    ASSERT_EQ(::stat((dir + "old").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(st.st_size, 3);

    // A file without write bits is read-only, as Windows marks it: neither
    // deleted nor replaced, whoever asks (root too).
    ASSERT_EQ(::chmod((dir + "old").c_str(), 0444), 0);
    std::FILE* f = std::fopen((dir + "newer").c_str(), "w");
    std::fclose(f);
    EXPECT_FALSE(MoveFileExA(Win("wf_mode/newer").c_str(), Win("wf_mode/old").c_str(),
                             MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(DeleteFileA(Win("wf_mode/old").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ASSERT_EQ(::stat((dir + "old").c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 3);
    std::filesystem::remove_all(dir);
}
#endif

}  // namespace
