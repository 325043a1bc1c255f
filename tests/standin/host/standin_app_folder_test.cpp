// The stand-in's application folder, as the plug-in finds it through the
// stand-in's Runtime suite.
#include "standin/host/standin_app_folder.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>
#include <vector>
#include <string>

#include "globals/plugin_state.h"
#include "platform/win_path.h"
#include "prefs/app_folder.h"
#include "standin/files/temporary_files.h"
#include "standin/host/user_app_folder.h"
#include "standin/suites/blocks_runtime/blocks_runtime.h"
#include "tests/support/standin_suite_install.h"
#include "tests/support/test_temp_dir.h"

namespace {

class StandinAppFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* v = std::getenv(kStandinAppFolderVariable)) saved_ = v;
        unsetenv(kStandinAppFolderVariable);
        SetStandinAppFolder(nullptr);
        ResetPluginState();
        ASSERT_EQ(InstallStandinSuites(), 0);
    }
    void TearDown() override {
        UninstallStandinSuites();
        ResetPluginState();
        SetStandinAppFolder(nullptr);
        if (saved_)
            setenv(kStandinAppFolderVariable, saved_->c_str(), 1);
        else
            unsetenv(kStandinAppFolderVariable);
    }

    // The folder the plug-in finds, as a Windows path.
    static std::string WindowsFolder() {
        char folder[kAppFolderSize];
        EXPECT_EQ(FindAppFolder(folder), 0);
        return folder;
    }

    // The folder the plug-in finds, mapped back to this machine's path.
    static std::string NativeFolder() {
        char native[1024];
        EXPECT_EQ(WindowsPathToNative(WindowsFolder().c_str(), native, sizeof native), 0u);
        return native;
    }

    static std::string Cwd() { return std::filesystem::current_path().string(); }

  private:
    std::optional<std::string> saved_;
};

// The variables of the user's folder, set for one test and given back.
class UserFolderVariables {
  public:
    UserFolderVariables() {
        for (const char* name : {"XDG_DATA_HOME", "HOME"})
            if (const char* v = std::getenv(name)) saved_.emplace_back(name, v);
    }
    ~UserFolderVariables() {
        unsetenv("XDG_DATA_HOME");
        unsetenv("HOME");
        for (const auto& [name, value] : saved_) setenv(name.c_str(), value.c_str(), 1);
    }

    // XDG_DATA_HOME set to a folder `name` of the test's own, not yet made;
    // its path.
    std::string FreshDataHome(const char* name) {
        const std::string data = TestTempDir() + name;
        std::filesystem::remove_all(data);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
        return data;
    }

  private:
    std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(StandinAppFolderTest, DefaultIsTheUsersFolderMadeOnFirstUseFromTheInstalledOne) {
    namespace fs = std::filesystem;
    UserFolderVariables variables;
    const std::string data = variables.FreshDataHome("xdg data");
    const std::string user = data + "/orvelk";
    EXPECT_FALSE(fs::exists(user));
    // Made on first use, whoever asks for it first.
    EXPECT_EQ(StandinDefaultAppFolder(), user);
    EXPECT_TRUE(fs::is_directory(user + "/Plug-ins"));
    EXPECT_EQ(StandinAppFolder(), user);
    ASSERT_TRUE(ChooseStandinAppFolder(nullptr));
    EXPECT_EQ(NativeFolder(), user);
    // The installed modules and table file are read where they lie.
    const std::string installed = ORVELK_TEST_APP_DIR;
    EXPECT_EQ(fs::read_symlink(user + "/Plug-ins/Orvelk.aip"), installed + "/Plug-ins/Orvelk.aip");
    EXPECT_EQ(fs::read_symlink(user + "/Prefs/Orvelk/ORVK_QR.DAT"),
              installed + "/Prefs/Orvelk/ORVK_QR.DAT");
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(user + "/Plug-ins")));
    // Made once: what the user changed stays, nothing is linked again.
    fs::remove(user + "/Plug-ins/Orvelk.aip");
    ASSERT_TRUE(ChooseStandinAppFolder(nullptr));
    EXPECT_FALSE(fs::exists(fs::symlink_status(user + "/Plug-ins/Orvelk.aip")));
    // No staging folder is left beside it.
    for (const fs::directory_entry& e : fs::directory_iterator(data))
        EXPECT_EQ(e.path().filename(), "orvelk");

    // Without XDG_DATA_HOME (or with a relative one), under HOME.
    setenv("XDG_DATA_HOME", "relative", 1);
    setenv("HOME", (TestTempDir() + "home").c_str(), 1);
    EXPECT_EQ(StandinDefaultAppFolder(), TestTempDir() + "home/.local/share/orvelk");
    ASSERT_TRUE(ChooseStandinAppFolder(nullptr));
    EXPECT_TRUE(fs::is_symlink(TestTempDir() + "home/.local/share/orvelk/Plug-ins/Orvelk.aip"));
    // Neither: a clear refusal, which --app-folder or the variable overrides.
    unsetenv("XDG_DATA_HOME");
    unsetenv("HOME");
    std::string error;
    EXPECT_FALSE(ChooseStandinAppFolder(nullptr, &error));
    EXPECT_NE(error.find("--app-folder or ORVELK_APP_FOLDER"), std::string::npos) << error;
    EXPECT_TRUE(ChooseStandinAppFolder("/srv/good"));
}

// A user's folder made from a build that was removed since: its links lead
// nowhere and are pointed at the installed files; the settings stay.
TEST_F(StandinAppFolderTest, LinksIntoARemovedBuildAreMadeAgainAndTheSettingsStay) {
    namespace fs = std::filesystem;
    UserFolderVariables variables;
    const std::string data = variables.FreshDataHome("stale data");
    const std::string user = data + "/orvelk";
    fs::create_directories(user + "/Prefs/Orvelk");
    fs::create_directories(user + "/Plug-ins");
    const std::string gone = TestTempDir() + "removed build/app";
    fs::create_symlink(gone + "/Plug-ins/Orvelk.aip", user + "/Plug-ins/Orvelk.aip");
    fs::create_symlink(gone + "/Prefs/Orvelk/ORVK_QR.DAT", user + "/Prefs/Orvelk/ORVK_QR.DAT");
    std::ofstream(user + "/Prefs/Orvelk.ini") << "kept\n";

    ASSERT_TRUE(ChooseStandinAppFolder(nullptr));
    const std::string installed = ORVELK_TEST_APP_DIR;
    EXPECT_EQ(fs::read_symlink(user + "/Plug-ins/Orvelk.aip"), installed + "/Plug-ins/Orvelk.aip");
    EXPECT_EQ(fs::read_symlink(user + "/Prefs/Orvelk/ORVK_QR.DAT"),
              installed + "/Prefs/Orvelk/ORVK_QR.DAT");
    EXPECT_EQ(fs::file_size(user + "/Prefs/Orvelk.ini"), 5u);
    for (const char* folder : {"/Plug-ins", "/Prefs/Orvelk"})
        for (const fs::directory_entry& e : fs::directory_iterator(user + folder))
            EXPECT_NE(e.path().filename().string().rfind(".orvelk-link-", 0), 0u) << e.path();
}

#if !defined(_WIN32)
// An interrupt while the user's folder is first made removes the folder
// being filled, as it removes the files being written, and nothing its
// links lead to.
TEST_F(StandinAppFolderTest, AnInterruptWhileTheUsersFolderIsMadeLeavesNothingBehind) {
    namespace fs = std::filesystem;
    const std::string base = TestTempDir() + "interrupted data/";
    const std::string installed = TestTempDir() + "many modules/";
    fs::remove_all(base);
    fs::create_directories(base);
    // So many modules that linking them takes long enough to be interrupted
    // (hard links of one file, which are quickly made).
    constexpr int kModules = 2000;
    fs::create_directories(installed + "Plug-ins");
    std::ofstream(installed + "module");
    for (int i = 0; i < kModules; ++i)
        fs::create_hard_link(installed + "module", installed + "Plug-ins/" + std::to_string(i));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGTERM, [](int signal) {
            standin::RemoveTemporaryFiles();
            ::_exit(128 + signal);
        });
        std::string error;
        ::_exit(MakeUserAppFolder(base + "orvelk", installed, &error) ? 0 : 1);
    }
    // Sent once the folder being filled is there.
    const auto staging = [&] {
        for (const fs::directory_entry& e : fs::directory_iterator(base))
            if (e.path().filename().string().rfind(".orvelk-new-", 0) == 0) return true;
        return false;
    };
    for (int tries = 0; tries < 1000000 && !staging() && !fs::exists(base + "orvelk"); ++tries) {
    }
    ::kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        GTEST_SKIP() << "the folder was made before the interrupt came";
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGTERM) << status;
    EXPECT_FALSE(staging());
    EXPECT_EQ(std::distance(fs::directory_iterator(installed + "Plug-ins"), {}), kModules);
}
#endif

TEST_F(StandinAppFolderTest, AFolderThatCannotBeMadeIsSaid) {
    UserFolderVariables variables;
    // A file where the base folder should be.
    const std::string file = TestTempDir() + "not a folder";
    std::ofstream(file) << "x";
    setenv("XDG_DATA_HOME", file.c_str(), 1);
    std::string error;
    EXPECT_FALSE(ChooseStandinAppFolder(nullptr, &error));
    EXPECT_NE(error.find(file), std::string::npos) << error;
}

TEST_F(StandinAppFolderTest, ReportsTheExecutableUnderSupportFiles) {
    ASSERT_TRUE(SetStandinAppFolder("/opt/Host App"));
    SPPlatformFileSpecification executable;
    ASSERT_EQ(StandinAppFileSpecification(&executable), 0);
    EXPECT_STREQ(executable.path, R"(C:\opt\Host App\Support Files\Orvelk.exe)");
    EXPECT_EQ(WindowsFolder(), R"(C:\opt\Host App)");
}

TEST_F(StandinAppFolderTest, EnvironmentOverridesTheDefault) {
    setenv(kStandinAppFolderVariable, "/tmp/orvelk env/app", 1);
    EXPECT_EQ(NativeFolder(), "/tmp/orvelk env/app");
    setenv(kStandinAppFolderVariable, "relative/app/", 1);
    EXPECT_EQ(NativeFolder(), Cwd() + "/relative/app");
    setenv(kStandinAppFolderVariable, "", 1);
    EXPECT_EQ(NativeFolder(), StandinDefaultAppFolder());
}

TEST_F(StandinAppFolderTest, ExplicitFolderOverridesTheEnvironment) {
    setenv(kStandinAppFolderVariable, "/tmp/orvelk env", 1);
    ASSERT_TRUE(SetStandinAppFolder("/srv/explicit"));
    EXPECT_EQ(NativeFolder(), "/srv/explicit");
    ASSERT_TRUE(SetStandinAppFolder("x/./y/../z//"));
    EXPECT_EQ(NativeFolder(), Cwd() + "/x/z");
    SetStandinAppFolder(nullptr);
    EXPECT_EQ(NativeFolder(), "/tmp/orvelk env");
}

TEST_F(StandinAppFolderTest, AFolderIsNamedWithoutDotsOrRepeatedSlashes) {
    const std::pair<const char*, const char*> cases[] = {
        {"/srv//a/./b/../../c/", "/srv/c"}, {"/../x", "/x"},  {"/a/..", "/"},
        {"/a/b/..//..", "/"},               {"///y///", "/y"}, {"/a/.b/..c", "/a/.b/..c"},
    };
    for (const auto& [given, named] : cases) {
        ASSERT_TRUE(SetStandinAppFolder(given)) << given;
        EXPECT_EQ(ChosenStandinAppFolder(), named) << given;
    }
    // A relative name goes on from the current folder, ".." included.
    ASSERT_TRUE(SetStandinAppFolder("../up"));
    EXPECT_EQ(ChosenStandinAppFolder(), Cwd().substr(0, Cwd().rfind('/')) + "/up");
}

TEST_F(StandinAppFolderTest, KanjiWithBackslashSecondBytesRoundTrip) {
    // 表 and ソ are 0x95 0x5C and 0x83 0x5C in code page 932.
    ASSERT_TRUE(SetStandinAppFolder("/tmp/表/ソフト"));
    const std::string windows = WindowsFolder();
    EXPECT_EQ(windows, "C:\\tmp\\\x95\x5C\\\x83\x5C\x83t\x83g");
    EXPECT_EQ(NativeFolder(), "/tmp/表/ソフト");
}

TEST_F(StandinAppFolderTest, RootFolderGivesTheDriveAlone) {
    ASSERT_TRUE(SetStandinAppFolder("/"));
    EXPECT_EQ(WindowsFolder(), "C:");
}

TEST_F(StandinAppFolderTest, RefusesFoldersThePluginWouldNotFind) {
    ASSERT_TRUE(SetStandinAppFolder("/srv/good"));
    const char* bad[] = {
        "",                       // no name
        "/opt/System/app",        // cut at \System\ above the folder
        "/opt/Support Files",     // cut at its own Support Files
        "/opt/a\\b",              // a backslash in a name is a separator there
        "/tmp/\xF0\x9F\x98\x80",  // no code page 932 form
    };
    for (const char* dir : bad) {
        std::string error;
        EXPECT_FALSE(SetStandinAppFolder(dir, &error)) << dir;
        EXPECT_FALSE(error.empty()) << dir;
    }
    // "C:\" and 228 letters: the table file's name would pass the plug-in's
    // 256-byte path buffer.
    std::string error;
    EXPECT_FALSE(SetStandinAppFolder(("/" + std::string(228, 'a')).c_str(), &error));
    EXPECT_NE(error.find("too long"), std::string::npos) << error;
    EXPECT_EQ(StandinAppFolder(), "/srv/good");
    EXPECT_TRUE(SetStandinAppFolder(("/" + std::string(227, 'a')).c_str()));
}

TEST_F(StandinAppFolderTest, UnusableEnvironmentFolderFailsTheRuntimeCall) {
    setenv(kStandinAppFolderVariable, "/tmp/\xF0\x9F\x98\x80", 1);
    std::string error;
    EXPECT_FALSE(CheckStandinAppFolder(&error));
    EXPECT_NE(error.find("no Windows form"), std::string::npos) << error;
    char folder[kAppFolderSize];
    EXPECT_EQ(FindAppFolder(folder), kStandinAppFolderError);
    EXPECT_STREQ(folder, "");
}

// The environment's folder is held to the same check as --app-folder's: a
// folder the plug-in would cut elsewhere is refused by every command, and its
// Runtime call reports no folder rather than the one above it.
TEST_F(StandinAppFolderTest, TheEnvironmentsFolderIsCheckedAsTheOptionsIs) {
    for (const char* dir : {"/opt/System/app", "/opt/Support Files", "/opt/a\\b"}) {
        setenv(kStandinAppFolderVariable, dir, 1);
        std::string fromEnvironment, fromOption;
        EXPECT_FALSE(ChooseStandinAppFolder(nullptr, &fromEnvironment)) << dir;
        EXPECT_FALSE(SetStandinAppFolder(dir, &fromOption)) << dir;
        EXPECT_EQ(fromEnvironment, fromOption);
        char folder[kAppFolderSize];
        EXPECT_EQ(FindAppFolder(folder), kStandinAppFolderError) << dir;
        EXPECT_STREQ(folder, "");
    }
    // A good --app-folder overrides a bad environment; a bad one keeps the
    // earlier choice.
    ASSERT_TRUE(ChooseStandinAppFolder("/srv/good"));
    EXPECT_EQ(NativeFolder(), "/srv/good");
    std::string error;
    EXPECT_FALSE(ChooseStandinAppFolder("/opt/System/x", &error));
    EXPECT_NE(error.find("would be found as '/opt'"), std::string::npos) << error;
    EXPECT_EQ(StandinAppFolder(), "/srv/good");
    unsetenv(kStandinAppFolderVariable);
    SetStandinAppFolder(nullptr);
    EXPECT_TRUE(ChooseStandinAppFolder(nullptr));
}

}  // namespace
