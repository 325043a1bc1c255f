// The stand-in's application folder, as the plug-in finds it through the
// stand-in's Runtime suite.
#include "standin/host/standin_app_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "globals/plugin_state.h"
#include "platform/win_path.h"
#include "prefs/app_folder.h"
#include "standin/host/standin_suites.h"
#include "tests/support/standin_suite_install.h"

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

TEST_F(StandinAppFolderTest, DefaultIsTheBuildsAppFolder) {
    EXPECT_STREQ(StandinDefaultAppFolder(), ORVELK_TEST_APP_DIR);
    EXPECT_EQ(StandinAppFolder(), ORVELK_TEST_APP_DIR);
    EXPECT_TRUE(CheckStandinAppFolder());
    EXPECT_EQ(NativeFolder(), ORVELK_TEST_APP_DIR);
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
    EXPECT_EQ(NativeFolder(), ORVELK_TEST_APP_DIR);
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
