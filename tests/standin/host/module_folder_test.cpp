// The walk of the plug-ins folder: what counts as a module file, and what
// the walk does not enter or stops at.
#include "standin/host/module_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/test_temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(ModuleFolder, ModulesAreFilesOrLinksToFilesNamedAipInAnyCase) {
    const std::string root = TestTempDir() + "/module_walk";
    fs::remove_all(root);
    fs::create_directories(root + "/Sub/Deeper");
    fs::create_directories(root + "/Elsewhere");
    for (const char* name : {"/A.aip", "/Sub/B.AIP", "/Sub/Deeper/C.Aip", "/Elsewhere/Away.aip",
                             "/.aip", "/ReadMe.txt", "/Sub/D.aip.bak"})
        std::ofstream(root + name) << "x";
    fs::create_directories(root + "/Folder.aip");
    fs::create_symlink(root + "/A.aip", root + "/Linked.aip");          // a link to a file counts
    fs::create_symlink(root + "/Elsewhere", root + "/Sub/Shortcut");    // a folder's link is not entered
    fs::create_symlink(root + "/gone.aip", root + "/Dangling.aip");     // leads nowhere
    fs::create_symlink(root + "/Elsewhere", root + "/Looped.aip");      // a folder, by a module's name

    std::string error = "stale";
    const std::vector<std::string> found = standin::ListModuleFiles(root + "/", &error);
    EXPECT_EQ(error, "");
    const std::vector<std::string> expected = {
        root + "/A.aip", root + "/Elsewhere/Away.aip", root + "/Linked.aip",
        root + "/Sub/B.AIP", root + "/Sub/Deeper/C.Aip"};
    EXPECT_EQ(found, expected);

    EXPECT_TRUE(standin::IsFolder(root + "/Sub/Shortcut"));
    EXPECT_FALSE(standin::IsFolder(root + "/A.aip"));
    EXPECT_FALSE(standin::IsFolder(root + "/none"));
    EXPECT_EQ(standin::ModuleFileName(root + "/Sub/B.AIP"), "B.AIP");
    EXPECT_EQ(standin::ModuleFileName("Plain.aip"), "Plain.aip");
    fs::remove_all(root);
}

TEST(ModuleFolder, AFolderThatMayNotBeReadIsPassedOver) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not hold for root";
    const std::string root = TestTempDir() + "/module_walk_closed";
    fs::remove_all(root);
    fs::create_directories(root + "/Closed");
    std::ofstream(root + "/Open.aip") << "x";
    std::ofstream(root + "/Closed/Hidden.aip") << "x";
    ::chmod((root + "/Closed").c_str(), 0);
    std::string error;
    EXPECT_EQ(standin::ListModuleFiles(root, &error), std::vector<std::string>{root + "/Open.aip"});
    EXPECT_EQ(error, "");
    ::chmod((root + "/Closed").c_str(), 0700);
    fs::remove_all(root);
}

}  // namespace
