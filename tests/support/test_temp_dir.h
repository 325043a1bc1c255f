// The temporary folder of one test process: the system's temporary folder
// and a name with the process id, so that test programs run side by side
// (ctest -j, several checkouts on one machine) never share a file. Made on
// first use, emptied beforehand, and removed when the process ends.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

// The folder, ending in a slash.
inline const std::string& TestTempDir() {
    struct Folder {
        std::string path;
        Folder() : path(testing::TempDir() + "orvelk_test_" + std::to_string(::getpid()) + "/") {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
            std::filesystem::create_directories(path, ec);
        }
        ~Folder() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    };
    static const Folder folder;
    return folder.path;
}
