// Removing a folder with all it holds: links are removed, not followed.
#include "standin/files/folder_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/test_temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(FolderTree, AFolderGoesWithAllItHoldsAndWhatItsLinksLeadToStays) {
    const std::string root = TestTempDir() + "/tree";
    const std::string outside = TestTempDir() + "/tree_outside";
    fs::remove_all(root);
    fs::remove_all(outside);
    fs::create_directories(root + "/a/b/c");
    fs::create_directories(outside);
    std::ofstream(root + "/a/b/c/deep.txt") << "deep";
    std::ofstream(root + "/.hidden") << "hidden";
    std::ofstream(outside + "/kept.txt") << "the user's";
    fs::create_symlink(outside, root + "/a/to_outside");
    fs::create_symlink(outside + "/kept.txt", root + "/file_link");
    fs::create_symlink(root + "/nowhere", root + "/dangling");

    EXPECT_TRUE(standin::RemoveFolderTree(root));
    EXPECT_FALSE(fs::exists(fs::symlink_status(root)));
    EXPECT_TRUE(fs::exists(outside + "/kept.txt"));
    // Nothing there is nothing left; a file alone goes too.
    EXPECT_TRUE(standin::RemoveFolderTree(root));
    EXPECT_TRUE(standin::RemoveFolderTree(outside + "/kept.txt"));
    EXPECT_FALSE(fs::exists(outside + "/kept.txt"));
    fs::remove_all(outside);
}

}  // namespace
