// Replacing whole files: what stands at the name (a link, a device, a pipe,
// stale temporary files) and the permissions of the file replaced.
#include "standin/files/replace_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
}

TEST_F(ReplaceFileTest, StaleTemporaryNamesAreNoObstacle) {
    const std::string path = dir_ + "q.svg";
    for (int n = 0; n < 100; ++n) Write(path + "." + std::to_string(n) + ".tmp", "stale");
    std::string why;
    EXPECT_TRUE(standin::ReplaceFileWith(path, "svg", &why)) << why;
    EXPECT_EQ(Read(path), "svg");
    EXPECT_EQ(Read(path + ".0.tmp"), "stale");  // not the run's to remove
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
