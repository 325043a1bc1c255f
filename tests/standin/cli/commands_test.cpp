// `orvelk info` and `orvelk about`: options, exit statuses, and what they
// print for test modules and for the Orvelk plug-in itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "hostapi/adm_basic.h"
#include "standin/app/module_resource_file.h"
#include "standin/hooks/host_hooks.h"
#include "standin/suites/adm/dialog_manager.h"
#include "standin/host/suite_registry.h"
#include "tests/standin/host/host_test_support.h"
#include "tests/support/command_runner.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// An application folder whose Plug-ins folder holds the test modules named.
std::string AppFolderWith(const std::string& name,
                          std::initializer_list<std::pair<const char*, const char*>> modules) {
    const std::string app = FreshFolder(name);
    std::filesystem::create_directories(app + "/Plug-ins");
    for (const auto& [variant, file] : modules) CopyTestModule(variant, app + "/Plug-ins", file);
    return app;
}

TEST(HostCommands, HelpAndBadUsage) {
    for (const char* command : {"info", "about"}) {
        CommandResult r = RunOrvelkCommand({command, "--help"});
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(Contains(r.out, std::string("Usage: orvelk ") + command)) << r.out;
        EXPECT_EQ(r.err, "");
        r = RunOrvelkCommand({command, "--no-such-option"});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        r = RunOrvelkCommand({command, "extra"});
        EXPECT_EQ(r.status, 2);
        r = RunOrvelkCommand({command, "--user", "jump 3"});
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(Contains(r.err, "--user: step 1 ('jump 3')")) << r.err;
        r = RunOrvelkCommand({command, "--app-folder", ""});
        EXPECT_EQ(r.status, 2);
    }
    const CommandResult r = RunOrvelkCommand({"--help"});
    EXPECT_TRUE(Contains(r.out, "  info ")) << r.out;
    EXPECT_TRUE(Contains(r.out, "  about ")) << r.out;
}

// ORVELK_APP_FOLDER is held to what --app-folder is: a folder the plug-in
// would cut at "System" is refused before anything runs, and nothing is read
// or created in the folder above it.
TEST(HostCommands, AnUnusableEnvironmentFolderIsRefusedAsTheOptionIs) {
    const std::string above = FreshFolder("EnvAbove");
    const std::string app = above + "/System/app";
    std::filesystem::create_directories(app + "/Plug-ins");
    setenv("ORVELK_APP_FOLDER", app.c_str(), 1);
    for (const char* command : {"info", "about"}) {
        const CommandResult r = RunOrvelkCommand({command});
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_TRUE(Contains(r.err, "would be found as '" + above + "'")) << r.err;
        const CommandResult o = RunOrvelkCommand({command, "--app-folder", app});
        EXPECT_EQ(o.status, 2) << command;
    }
    unsetenv("ORVELK_APP_FOLDER");
    EXPECT_FALSE(std::filesystem::exists(above + "/Prefs"));
    EXPECT_FALSE(std::filesystem::exists(app + "/Prefs"));
}

TEST(HostCommands, WithoutPluginsTheyFail) {
    const std::string app = FreshFolder("EmptyApp");
    for (const char* command : {"info", "about"}) {
        const CommandResult r = RunOrvelkCommand({command, "--app-folder", app});
        EXPECT_EQ(r.status, 4) << command;
        EXPECT_TRUE(Contains(r.err, "Plug-ins' does not exist")) << r.err;
        EXPECT_TRUE(Contains(r.err, "no plug-in was loaded")) << r.err;
    }
}

TEST(HostCommands, InfoListsWhatLoadedAndFailsForWhatWasSkipped) {
    std::string app = AppFolderWith("GoodApp", {{"good", "Good.aip"}});
    CommandResult r = RunOrvelkCommand({"info", "--app-folder", app});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "documents: none open\n"
              "plug-in: Good.aip (started)\n"
              "  path: " +
                  app +
                  "/Plug-ins/Good.aip\n"
                  "  entry point: TestPluginMain\n");

    app = AppFolderWith("MixedApp", {{"good", "Good.aip"}, {"wrong_kind", "Other.aip"}});
    r = RunOrvelkCommand({"info", "--app-folder", app, "--document"});
    EXPECT_EQ(r.status, 4);
    EXPECT_EQ(r.err, "orvelk info: Other.aip: skipped: it is of kind 'SPEB', not 'SPEA'\n");
    EXPECT_TRUE(Contains(r.out, "documents: Untitled-1 open\nplug-in: Good.aip (started)\n"))
        << r.out;

    r = RunOrvelkCommand({"about", "--app-folder", app, "--plugin", "Good.aip"});
    EXPECT_EQ(r.status, 4);
    EXPECT_TRUE(Contains(r.err, "Good.aip showed no About box")) << r.err;
    r = RunOrvelkCommand({"about", "--app-folder", app, "--plugin", "Missing.aip"});
    EXPECT_EQ(r.status, 4);
    EXPECT_TRUE(Contains(r.err, "no plug-in 'Missing.aip' was loaded")) << r.err;
}

// The Orvelk module the build lays out, when it is there with its resources.
class OrvelkModuleCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string module = std::string(ORVELK_TEST_APP_DIR) + "/Plug-ins/Orvelk.aip";
        if (!std::filesystem::exists(module))
            GTEST_SKIP() << "the plug-in module is not built yet: " << module;
        std::string why;
        const auto resources = standin::ReadModuleResourceSection(module, &why);
        if (resources == nullptr || !resources->Pipl())
            GTEST_SKIP() << "the plug-in module carries no resources yet: " << why;
        ResetStandinSuiteUse();
    }
    void TearDown() override {
        standin::FailHostCall(0, kSPNoError);
        ResetStandinSuiteUse();
    }
};

TEST_F(OrvelkModuleCommands, InfoListsTheFilterAndTheActionEvent) {
    CommandResult r = RunOrvelkCommand({"info"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(Contains(r.out, "documents: none open\nplug-in: Orvelk.aip (started)\n")) << r.out;
    EXPECT_TRUE(Contains(r.out,
                         "  filter: Orvelk_QRCode\n"
                         "    category: Orvelk\n"
                         "    title: ＱＲコード...\n"
                         "    enabled: no\n"))
        << r.out;
    EXPECT_TRUE(Contains(r.out,
                         "  action event: Orvelk_QRCode\n"
                         "    title: ＱＲコード配置\n"
                         "    version: 1\n"
                         "    parameter: plcx real \"X 座標\"\n"
                         "    parameter: plcy real \"Y 座標\"\n"
                         "    parameter: eclv long \"エラー処理レベル\"\n"
                         "    parameter: vers long \"バージョン\"\n"
                         "    parameter: enmd long \"エンコードモード\"\n"
                         "    parameter: size real \"モジュールサイズ\"\n"
                         "    parameter: data strn \"データ\"\n"))
        << r.out;
    // Every suite the plug-in took was given back.
    EXPECT_EQ(StandinSuiteUseCount(kADMBasicSuite, kADMBasicSuiteVersion), 0);

    r = RunOrvelkCommand({"info", "--document"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "documents: Untitled-1 open\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "    title: ＱＲコード...\n    enabled: yes\n")) << r.out;
}

TEST_F(OrvelkModuleCommands, AboutPrintsTheAboutBox) {
    const CommandResult r = RunOrvelkCommand({"about"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.substr(0, 13), "About Orvelk\n") << r.out;
    EXPECT_TRUE(Contains(r.out, "\n  Orvelk Ver1.21\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "\n  [OK]\n")) << r.out;
    // The picture is the module's bitmap, which windows and pictures of the
    // box show: the symbol's top-left finder starts at (4, 4).
    EXPECT_TRUE(Contains(r.out, "\n  (picture: bitmap 16052, 50 x 50 pixels)\n")) << r.out;
    const standin::DialogSnapshot* about = standin::LastClosedDialog();
    ASSERT_NE(about, nullptr);
    const standin::SnapshotItem* picture = nullptr;
    for (const standin::SnapshotItem& item : about->items)
        if (item.kind == standin::DialogItemKind::kPicture) picture = &item;
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->bitmap.width, 50);
    ASSERT_EQ(picture->bitmap.rgb.size(), 50u * 50);
    EXPECT_EQ(picture->bitmap.rgb[4 * 50 + 4], 0u);
    EXPECT_EQ(picture->bitmap.rgb[3 * 50 + 3], 0xFFFFFFu);
}

TEST_F(OrvelkModuleCommands, AFailedAcquisitionAtStartupIsShownAndFailsInfo) {
    // After the ADM Basic Suite: the plug-in shows an alert, then its error dialog.
    standin::FailHostCall(1, -108, standin::HostCall::kAcquireSuite, "ADM Icon Suite");
    const CommandResult r = RunOrvelkCommand({"info"});
    EXPECT_EQ(r.status, 4);
    EXPECT_TRUE(Contains(r.err, "alert: Error: -108, suite: ADM Icon Suite, version: 1!\n"))
        << r.err;
    EXPECT_TRUE(Contains(r.err,
                         "orvelk info: Orvelk.aip: dialog \"Plug-in Error\"\n"
                         "    [OK]\n"
                         "    The filter cannot complete because there isn't enough "
                         "memory (RAM) available.\n"
                         "    -108\n"))
        << r.err;
    EXPECT_TRUE(Contains(r.err, "Orvelk.aip: its startup failed with error -108\n")) << r.err;
    EXPECT_TRUE(Contains(r.out, "plug-in: Orvelk.aip (startup failed with error -108)\n")) << r.out;
}

}  // namespace
