#include "tests/support/app_folder_test.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/test_temp_dir.h"

void AppFolderTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    appFolder_ = TestTempDir() + "orvelk_plugin/" + name + "/";
    std::filesystem::remove_all(appFolder_);
    std::filesystem::create_directories(appFolder_);
}

void AppFolderTest::TearDown() {
    std::filesystem::remove_all(appFolder_);
}

void AppFolderTest::InstallTableFile() const {
    const std::string prefs = appFolder_ + "Prefs/Orvelk";
    std::filesystem::create_directories(prefs);
    std::filesystem::copy_file(ORVELK_TEST_APP_DIR "/Prefs/Orvelk/ORVK_QR.DAT",
                               prefs + "/ORVK_QR.DAT",
                               std::filesystem::copy_options::overwrite_existing);
}

void AppFolderTest::WritePrefsFile(const std::string& contents) const {
    std::filesystem::create_directories(appFolder_ + "Prefs");
    std::ofstream out(PrefsFile(), std::ios::binary | std::ios::trunc);
    out << contents;
}

std::string AppFolderTest::ReadPrefsFile() const {
    std::ifstream in(PrefsFile(), std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

bool AppFolderTest::PrefsFileExists() const {
    return std::filesystem::exists(PrefsFile());
}
