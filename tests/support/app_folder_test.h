// A test with an application folder of its own, <temp>/orvelk_plugin/<test>/,
// made empty before the test and removed after it, with the preferences file
// and the table file under it.
#pragma once

#include <gtest/gtest.h>

#include <string>

class AppFolderTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The native paths of the application folder (ending in a slash) and of
    // the preferences file.
    std::string AppFolder() const { return appFolder_; }
    std::string PrefsFile() const { return appFolder_ + "Prefs/Orvelk.ini"; }

    // Lays the build's table file out under the application folder, so that
    // the engine can encode.
    void InstallTableFile() const;

    // Writes, reads or removes the preferences file (and its folder).
    void WritePrefsFile(const std::string& contents) const;
    std::string ReadPrefsFile() const;
    bool PrefsFileExists() const;

  private:
    std::string appFolder_;
};
