// Replacing whole files: what stands at the name (a link, a device, a pipe,
// stale temporary files, a long name), the permissions and owner of the file
// replaced, and files the user may not write.
#include "standin/files/replace_file.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "standin/files/temporary_files.h"
#include "tests/support/test_temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

unsigned Mode(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// The owner of `path`, or -1.
long Owner(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_uid) : -1;
}

// The names in `dir` other than those given.
size_t OtherNames(const std::string& dir, std::initializer_list<std::string> known) {
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (std::find(known.begin(), known.end(), name) == known.end()) ++count;
    }
    return count;
}

class ReplaceFileTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = TestTempDir() + testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    std::string dir_;
};

TEST_F(ReplaceFileTest, AReplacedFileKeepsItsPermissions) {
    const std::string path = dir_ + "private.ini";
    Write(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    std::string why;
    ASSERT_TRUE(standin::ReplaceFileWith(path, "new", &why)) << why;
    EXPECT_EQ(Read(path), "new");
    EXPECT_EQ(Mode(path), 0600u);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(standin::ReplaceFileWith(path, "newer", &why)) << why;
    EXPECT_EQ(Mode(path), 0640u);
    // A new file has the umask's permissions, as any created file.
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(standin::ReplaceFileWith(dir_ + "fresh.svg", "x", &why)) << why;
    ::umask(mask);
    EXPECT_EQ(Mode(dir_ + "fresh.svg"), 0644u);
    EXPECT_EQ(OtherNames(dir_, {"private.ini", "fresh.svg"}), 0u);
}

TEST_F(ReplaceFileTest, ALinkStaysAndTheFileItLeadsToIsReplaced) {
    const std::string target = dir_ + "target.json";
    Write(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    fs::create_symlink(target, dir_ + "link.json");
    std::string why;
    ASSERT_TRUE(standin::ReplaceFileWith(dir_ + "link.json", "new", &why)) << why;
    EXPECT_TRUE(fs::is_symlink(dir_ + "link.json"));
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(Mode(target), 0600u);

    // A link that leads nowhere is refused: nothing is created at its end.
    fs::create_symlink(dir_ + "nowhere", dir_ + "dangling.json");
    EXPECT_FALSE(standin::ReplaceFileWith(dir_ + "dangling.json", "new", &why));
    EXPECT_NE(why.find("leads to no file"), std::string::npos) << why;
    EXPECT_FALSE(fs::exists(dir_ + "nowhere"));
    EXPECT_TRUE(fs::is_symlink(dir_ + "dangling.json"));
}

// The devices are reached through links in the test's folder, so that a
// writer that replaced what it was given would replace a link, never the
// system's device.
TEST_F(ReplaceFileTest, DevicesAndPipesAreWrittenIntoNotReplaced) {
    std::string why;
    fs::create_symlink("/dev/null", dir_ + "null.json");
    EXPECT_TRUE(standin::ReplaceFileWith(dir_ + "null.json", "bytes", &why)) << why;
    EXPECT_TRUE(fs::is_symlink(dir_ + "null.json"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    // A full device is a failure, said with the system's reason.
    if (fs::is_character_file("/dev/full")) {
        fs::create_symlink("/dev/full", dir_ + "full.json");
        EXPECT_FALSE(standin::ReplaceFileWith(dir_ + "full.json", "bytes", &why));
        EXPECT_NE(why.find("full.json"), std::string::npos) << why;
        EXPECT_TRUE(fs::is_symlink(dir_ + "full.json"));
    }
    // A pipe with a reader gets the bytes and stays a pipe.
    const std::string fifo = dir_ + "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const pid_t reader = fork();
    ASSERT_GE(reader, 0);
    if (reader == 0) {
        const std::string got = Read(fifo);
        _exit(got == "through the pipe" ? 0 : 1);
    }
    EXPECT_TRUE(standin::ReplaceFileWith(fifo, "through the pipe", &why)) << why;
    int status = 0;
    ASSERT_EQ(waitpid(reader, &status, 0), reader);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(OtherNames(dir_, {"null.json", "full.json", "pipe"}), 0u);

    // Terminals are told from other devices and files, through links too.
    EXPECT_FALSE(standin::NamesTerminal(dir_ + "null.json"));
    EXPECT_FALSE(standin::NamesTerminal(fifo));
    EXPECT_FALSE(standin::NamesTerminal(dir_ + "no such file"));
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0) {
        fs::create_symlink(::ptsname(master), dir_ + "terminal.png");
        EXPECT_TRUE(standin::NamesTerminal(dir_ + "terminal.png"));
    }
    if (master >= 0) ::close(master);
}

TEST_F(ReplaceFileTest, StaleTemporaryNamesAreNoObstacle) {
    const std::string path = dir_ + "q.svg";
    for (int n = 0; n < 100; ++n) Write(path + "." + std::to_string(n) + ".tmp", "stale");
    std::string why;
    EXPECT_TRUE(standin::ReplaceFileWith(path, "svg", &why)) << why;
    EXPECT_EQ(Read(path), "svg");
    EXPECT_EQ(Read(path + ".0.tmp"), "stale");  // not the run's to remove
}

// Every name the folder takes can be written, the longest too: the
// temporary name beside it is shortened to fit, at a character's start.
TEST_F(ReplaceFileTest, TheLongestNameTheFolderTakesIsWritten) {
    const long limit = ::pathconf(dir_.c_str(), _PC_NAME_MAX);
    if (limit < 20 || limit > 1024) GTEST_SKIP() << "the folder's name limit is " << limit;
    std::string why;
    // "é" (two bytes) straddles the place where the shortened name ends.
    for (const size_t before : {size_t{0}, size_t{1}}) {
        const std::string name = std::string(static_cast<size_t>(limit) - 14 - before, 'a') +
                                 "\xC3\xA9" + std::string(8 + before, 'b') + ".svg";
        ASSERT_EQ(name.size(), static_cast<size_t>(limit));
        const std::string path = dir_ + name;
        ASSERT_TRUE(standin::ReplaceFileWith(path, "new", &why)) << why;
        ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
        ASSERT_TRUE(standin::ReplaceFileWith(path, "newer", &why)) << why;
        EXPECT_EQ(Read(path), "newer");
        EXPECT_EQ(Mode(path), 0640u);
        EXPECT_EQ(OtherNames(dir_, {name}), 0u);
        fs::remove(path);
    }
    // One byte more is the folder's refusal, said as it says it.
    EXPECT_FALSE(standin::ReplaceFileWith(dir_ + std::string(limit + 1, 'a'), "x", &why));
    EXPECT_NE(why.find("File name too long"), std::string::npos) << why;
}

// A file the user may not write is refused, as writing into it would be,
// though the folder would let a new file take its name; so is one whose
// owner and group the new file cannot be given. Each is left as it was.
// Root may write any file, as into any file, and is not refused.
TEST_F(ReplaceFileTest, AFileTheUserMayNotWriteOrWhoseOwnerCannotBeKeptIsLeftAsItWas) {
    std::string why;
    if (::geteuid() != 0) {
        const std::string path = dir_ + "read-only.svg";
        Write(path, "precious");
        ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
        EXPECT_FALSE(standin::ReplaceFileWith(path, "new", &why));
        EXPECT_NE(why.find("read-only.svg: Permission denied"), std::string::npos) << why;
        EXPECT_EQ(Read(path), "precious");
        EXPECT_EQ(OtherNames(dir_, {"read-only.svg"}), 0u);
        GTEST_SKIP() << "another user's files need root to set up (the read-only case ran)";
    }
    // Three files in a folder anyone may write: nobody's own, read-only;
    // root's, which nobody may not write; root's, which anyone may write.
    const uid_t nobody = 65534;
    ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);
    const std::string mine = dir_ + "mine.svg", theirs = dir_ + "theirs.svg",
                      shared = dir_ + "shared.svg";
    for (const std::string& path : {mine, theirs, shared}) Write(path, "old");
    ASSERT_EQ(::chown(mine.c_str(), nobody, nobody), 0);
    ASSERT_EQ(::chmod(mine.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(theirs.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 0666), 0);

    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0 ||
            ::setresuid(nobody, nobody, nobody) != 0)
            _exit(98);
        if (::access(dir_.c_str(), W_OK | X_OK) != 0) _exit(99);
        std::string report;
        for (const std::string& path : {mine, theirs, shared}) {
            std::string reason;
            report += standin::ReplaceFileWith(path, "new", &reason) ? "written" : reason;
            report += "\n";
        }
        (void)!::write(pipeFds[1], report.data(), report.size());
        _exit(0);
    }
    ::close(pipeFds[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 98) GTEST_SKIP() << "this process may not become another user";
    if (WEXITSTATUS(status) == 99)
        GTEST_SKIP() << "another user cannot reach the test's folder " << dir_;
    ASSERT_EQ(WEXITSTATUS(status), 0);
    std::string expected;
    expected.append("cannot write ").append(mine).append(": Permission denied\n");
    expected.append("cannot write ").append(theirs).append(": Permission denied\n");
    expected.append("cannot write ")
        .append(shared)
        .append(": its owner and group cannot be kept: Operation not permitted\n");
    EXPECT_EQ(report, expected);
    for (const std::string& path : {mine, theirs, shared}) EXPECT_EQ(Read(path), "old") << path;
    EXPECT_EQ(Owner(mine), static_cast<long>(nobody));
    EXPECT_EQ(Owner(theirs), 0);
    EXPECT_EQ(Owner(shared), 0);
    EXPECT_EQ(OtherNames(dir_, {"mine.svg", "theirs.svg", "shared.svg"}), 0u);

    // Root replaces the read-only file of another user, which stays theirs.
    ASSERT_TRUE(standin::ReplaceFileWith(mine, "root's", &why)) << why;
    EXPECT_EQ(Read(mine), "root's");
    EXPECT_EQ(Owner(mine), static_cast<long>(nobody));
    EXPECT_EQ(Mode(mine), 0444u);
}

TEST_F(ReplaceFileTest, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    const std::string path = dir_ + "kept.txt";
    Write(path, "old");
    ASSERT_EQ(::chmod(dir_.c_str(), 0500), 0);
    std::string why;
    const bool written = standin::ReplaceFileWith(path, "new", &why);
    ::chmod(dir_.c_str(), 0700);
    if (::geteuid() != 0) {  // root writes into any folder
        EXPECT_FALSE(written);
        EXPECT_NE(why.find("kept.txt"), std::string::npos) << why;
        EXPECT_EQ(Read(path), "old");
    }
    EXPECT_EQ(OtherNames(dir_, {"kept.txt"}), 0u);
    // Nothing is left noted for an interrupt to remove.
    EXPECT_EQ(standin::RemoveTemporaryFiles(), 0);
}

}  // namespace
