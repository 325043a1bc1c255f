// The Orvelk module in a host session whose application folder is a fresh
// one of the test's own (app_folder_copy.h), in force while the test runs and
// removed after it, so that what the plug-in saves there is the test's alone.
#pragma once

#include <string>

#include "tests/standin/placing/placed_symbol.h"

class AppFolderSessionTest : public OrvelkSessionTest {
  protected:
    // `name`: the folder's name under the process's temporary folder.
    explicit AppFolderSessionTest(std::string name) : name_(std::move(name)) {}

    // Skips the test when the build's module or table file is missing.
    void SetUp() override;
    void TearDown() override;

    std::string app_;  // the folder, empty when skipped

  private:
    std::string name_;
};
