// The preferences file under a failure of every file call a save or a load
// makes, one run per failure point: a save fails with -1 or succeeds, and the
// file is always the old one or the new one, whole; a load fails with -1 and
// leaves the globals as they were, or reads the file whole.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "globals/plugin_state.h"
#include "platform/file_faults.h"
#include "prefs/preferences_file.h"
#include "tests/support/fake_host.h"

namespace {

class PreferencesFaultTest : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        gPluginState.runtime = FakeRuntimeSuite();
        SetDefaultGlobals(&globals_);
        gPluginState.globals = &globals_;
    }
    void TearDown() override {
        FailFileCall(0, ERROR_SUCCESS);
        gPluginState.globals = nullptr;
        PluginTest::TearDown();
    }
    PluginGlobals globals_;
};

TEST_F(PreferencesFaultTest, EveryFailedFileCallOfASaveKeepsTheOldFileOrWritesTheNew) {
    const std::string old = "qr_version = 7\r\nbarcode_text00 = \"old\"\r\n";
    // The new text takes several chunk lines, so several writes.
    std::memset(globals_.text, 'n', 500);
    globals_.text[500] = '\0';
    SavePreferences();
    const std::string fresh = ReadPrefsFile();
    ASSERT_NE(fresh.find(std::string(80, 'n')), std::string::npos);

    int points = 0, failures = 0;
    for (unsigned k = 1;; ++k) {
        WritePrefsFile(old);
        FailFileCall(k, ERROR_DISK_FULL);
        const int32_t rc = SavePreferences();
        const bool hit = FileCallFailed();
        FailFileCall(0, ERROR_SUCCESS);
        if (!hit) {
            EXPECT_EQ(rc, 0);
            EXPECT_EQ(ReadPrefsFile(), fresh);
            break;
        }
        ++points;
        const std::string now = ReadPrefsFile();
        EXPECT_TRUE(now == old || now == fresh) << "failure point " << k;
        if (rc != 0) {
            ++failures;
            EXPECT_EQ(rc, -1);
            EXPECT_EQ(now, old) << "a failed save replaced the file, point " << k;
        }
        std::filesystem::remove(AppFolder() + "Prefs/Orvelk.tmp");
    }
    // Creating the folder, creating, writing (six lines), closing and moving
    // the new file, deleting it after a failure.
    EXPECT_GE(points, 9);
    EXPECT_GE(failures, 8);
    RecordProperty("failure_points", points);
}

TEST_F(PreferencesFaultTest, EveryFailedFileCallOfALoadLeavesTheGlobalsOrReadsTheFile) {
    WritePrefsFile("qr_version = 7\r\nqr_ecclevel = 3\r\nbarcode_text00 = \"loaded\"\r\n");
    int points = 0;
    for (unsigned k = 1;; ++k) {
        SetDefaultGlobals(&globals_);
        FailFileCall(k, ERROR_ACCESS_DENIED);
        const int32_t rc = LoadPreferences();
        const bool hit = FileCallFailed();
        FailFileCall(0, ERROR_SUCCESS);
        const bool loaded = globals_.version == 7 && globals_.level == 3 &&
                            std::strcmp(globals_.text, "loaded") == 0;
        if (!hit) {
            EXPECT_EQ(rc, 0);
            EXPECT_TRUE(loaded);
            break;
        }
        ++points;
        if (rc == 0) {
            EXPECT_TRUE(loaded) << "failure point " << k;
        } else {
            EXPECT_EQ(rc, -1);
            EXPECT_EQ(globals_.version, 0) << "failure point " << k;
            EXPECT_STREQ(globals_.text, "*SAMPLE TEXT*") << "failure point " << k;
        }
    }
    EXPECT_GE(points, 3);  // the folder, the opening, the reading (and the closing)
    RecordProperty("failure_points", points);
}

}  // namespace
