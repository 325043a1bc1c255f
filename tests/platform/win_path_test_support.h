// Paths of the platform tests' files, in the Windows form the calls take.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/win_path.h"
#include "tests/support/test_temp_dir.h"

// The Windows form of a native path under the test's temporary folder.
inline std::string Win(const std::string& nativeName) {
    char out[MAX_PATH];
    const std::string native = TestTempDir() + nativeName;
    EXPECT_EQ(NativePathToWindows(native.c_str(), out, sizeof out), ERROR_SUCCESS) << native;
    return out;
}
