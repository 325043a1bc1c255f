#include "tests/standin/cli/app_folder_session.h"

#include <filesystem>

#include "standin/host/standin_app_folder.h"
#include "tests/standin/cli/app_folder_copy.h"

void AppFolderSessionTest::SetUp() {
    app_ = FreshAppFolder(name_);
    if (app_.empty()) GTEST_SKIP() << "the module or the table file is not built";
    ASSERT_TRUE(SetStandinAppFolder(app_.c_str()));
    OrvelkSessionTest::SetUp();
}

void AppFolderSessionTest::TearDown() {
    OrvelkSessionTest::TearDown();
    SetStandinAppFolder(nullptr);
    if (!app_.empty()) std::filesystem::remove_all(app_);
}
