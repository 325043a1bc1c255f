#include "tests/standin/cli/app_folder_copy.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "tests/support/test_temp_dir.h"

std::string FreshAppFolder(const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path build(ORVELK_TEST_APP_DIR);
    const fs::path folder = fs::path(TestTempDir()) / name;
    std::error_code ec;
    fs::remove_all(folder, ec);
    for (const char* file : {"Plug-ins/Orvelk.aip", "Prefs/Orvelk/ORVK_QR.DAT"}) {
        fs::create_directories((folder / file).parent_path(), ec);
        fs::copy_file(build / file, folder / file, ec);
        if (ec) return std::string();
    }
    return folder.string();
}

std::string PreferencesPath(const std::string& appFolder) {
    return appFolder + "/Prefs/Orvelk.ini";
}

std::string PreferencesBytes(const std::string& appFolder) {
    std::ifstream in(PreferencesPath(appFolder), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
