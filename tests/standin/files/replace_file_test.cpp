// Replacing whole files: what stands at the name (a link, a device, a pipe,
// stale temporary files, a long name), the permissions and owner of the file
// replaced, and files the user may not write.
#include "standin/files/replace_file.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

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

// What `replace` reports, run in a child process whose effective and saved
// user ids are `uid` (the real one `realUid`) and whose group ids are `gid`,
// with no supplementary groups. Empty with *skip set when this process may
// not become them.
template <typename Replace>
std::string RunAs(uid_t realUid, uid_t uid, gid_t gid, std::string* skip, const Replace& replace) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return "no pipe";
    const pid_t child = fork();
    if (child < 0) return "no child";
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setresgid(gid, gid, gid) != 0 ||
            ::setresuid(realUid, uid, uid) != 0)
            _exit(98);
        const std::string report = replace();
        (void)!::write(pipeFds[1], report.data(), report.size());
        _exit(0);
    }
    ::close(pipeFds[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return "the child failed";
    if (WEXITSTATUS(status) == 98) *skip = "this process may not become another user";
    return report;
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

    std::string skip;
    const std::string report = RunAs(nobody, nobody, nobody, &skip, [&] {
        if (::access(dir_.c_str(), W_OK | X_OK) != 0) return std::string("unreachable");
        std::string written;
        for (const std::string& path : {mine, theirs, shared}) {
            std::string reason;
            written += standin::ReplaceFileWith(path, "new", &reason) ? "written" : reason;
            written += "\n";
        }
        return written;
    });
    if (!skip.empty()) GTEST_SKIP() << skip;
    if (report == "unreachable")
        GTEST_SKIP() << "another user cannot reach the test's folder " << dir_;
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

// A file shared through its access control list (the named user nobody may
// write it, the owning group only read it), which the mode bits alone
// cannot hold: their group bits are the list's mask.
TEST_F(ReplaceFileTest, AReplacedFileKeepsItsExtendedAttributesAndAccessControlList) {
    const std::string path = dir_ + "shared.svg";
    Write(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0660), 0);
    // user::rw- user:65534:rw- group::r-- mask::rw- other::---
    const auto entry = [](uint16_t tag, uint16_t perm, uint32_t id) {
        std::string bytes(8, '\0');
        std::memcpy(bytes.data(), &tag, 2);
        std::memcpy(bytes.data() + 2, &perm, 2);
        std::memcpy(bytes.data() + 4, &id, 4);
        return bytes;
    };
    const uint32_t version = 2, none = 0xFFFFFFFF;
    std::string acl(reinterpret_cast<const char*>(&version), 4);
    acl += entry(0x01, 6, none) + entry(0x02, 6, 65534) + entry(0x04, 4, none) +
           entry(0x10, 6, none) + entry(0x20, 0, none);
    if (::setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0 ||
        ::setxattr(path.c_str(), "user.note", "keep me", 7, 0) != 0)
        GTEST_SKIP() << "the test's folder takes no access control lists or user attributes: "
                     << std::strerror(errno);
    std::string why;
    ASSERT_TRUE(standin::ReplaceFileWith(path, "new", &why)) << why;
    EXPECT_EQ(Read(path), "new");
    char value[256];
    const ssize_t aclSize =
        ::getxattr(path.c_str(), "system.posix_acl_access", value, sizeof value);
    EXPECT_EQ(aclSize > 0 ? std::string(value, static_cast<size_t>(aclSize)) : "", acl);
    const ssize_t noteSize = ::getxattr(path.c_str(), "user.note", value, sizeof value);
    EXPECT_EQ(noteSize > 0 ? std::string(value, static_cast<size_t>(noteSize)) : "", "keep me");
    EXPECT_EQ(Mode(path), 0660u);  // the group's bits are the list's mask
    EXPECT_EQ(OtherNames(dir_, {"shared.svg"}), 0u);
}

// Whether the file may be written is the kernel's judgement of an open for
// writing through the name given, with the process's effective ids (a
// process whose real id is root's is still refused), and through a link
// with the kernel's protection of links in shared folders where it is on.
TEST_F(ReplaceFileTest, AFileTheKernelWouldNotOpenForWritingIsNotReplaced) {
    if (::geteuid() != 0) GTEST_SKIP() << "other ids need root to take";
    const uid_t nobody = 65534;
    ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);
    const std::string kept = dir_ + "kept.svg";
    Write(kept, "old");
    ASSERT_EQ(::chown(kept.c_str(), nobody, nobody), 0);
    ASSERT_EQ(::chmod(kept.c_str(), 0444), 0);
    fs::create_symlink(kept, dir_ + "link.svg");
    std::string skip;
    const std::string report = RunAs(0, nobody, nobody, &skip, [&] {
        std::string reasons;
        for (const char* name : {"kept.svg", "link.svg"}) {
            std::string reason;
            reasons += standin::ReplaceFileWith(dir_ + name, "new", &reason) ? "written" : reason;
            reasons += "\n";
        }
        return reasons;
    });
    if (!skip.empty()) GTEST_SKIP() << skip;
    EXPECT_EQ(report, "cannot write " + kept + ": Permission denied\ncannot write " + dir_ +
                          "link.svg: Permission denied\n");
    EXPECT_EQ(Read(kept), "old");

    // Another user's link in a sticky folder that anyone may write, which
    // the kernel does not follow for root while fs.protected_symlinks is on.
    if (Read("/proc/sys/fs/protected_symlinks").rfind("1", 0) != 0) return;
    const std::string sticky = dir_ + "sticky/";
    fs::create_directory(sticky);
    ASSERT_EQ(::chmod(sticky.c_str(), 01777), 0);
    fs::create_symlink(dir_ + "precious", sticky + "qr.svg");
    Write(dir_ + "precious", "root's own");
    ASSERT_EQ(::lchown((sticky + "qr.svg").c_str(), nobody, nobody), 0);
    std::string why;
    EXPECT_FALSE(standin::ReplaceFileWith(sticky + "qr.svg", "new", &why));
    EXPECT_NE(why.find("Permission denied"), std::string::npos) << why;
    EXPECT_EQ(Read(dir_ + "precious"), "root's own");
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

// An interrupt taken between a file's creation and its note would leave the
// file: the creating thread holds the signals off, and the removal on
// another thread waits for the note.
TEST(TemporaryFiles, AFileBeingCreatedAndNotedIsRemovedWithTheOthers) {
    const std::string path = TestTempDir() + "being-noted.tmp";
    std::remove(path.c_str());
    std::atomic<bool> created{false};
    int note = -1;
    std::thread creator([&] {
        standin::NotingTemporaryFile noting;
        sigset_t now;
        pthread_sigmask(SIG_BLOCK, nullptr, &now);
        EXPECT_TRUE(sigismember(&now, SIGINT) && sigismember(&now, SIGPIPE));
        EXPECT_FALSE(sigismember(&now, SIGSEGV));
        ::close(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600));
        created = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        note = standin::NoteTemporaryFile(path.c_str());
    });
    while (!created) std::this_thread::yield();
    EXPECT_EQ(standin::RemoveTemporaryFiles(), 1);
    EXPECT_FALSE(std::filesystem::exists(path));
    creator.join();
    standin::ForgetTemporaryFile(note);
    sigset_t after;
    pthread_sigmask(SIG_BLOCK, nullptr, &after);
    EXPECT_FALSE(sigismember(&after, SIGINT));
}

}  // namespace
