// FindAppFolder: the host application's folder from its executable's path.
#include "prefs/app_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "globals/plugin_state.h"

namespace {

// What the fake Runtime suite reports.
std::string gHostPath;
ASErr gHostError = kSPNoError;
bool gHostFillsEveryByte = false;  // no NUL anywhere in the 300 bytes

ASErr HOST_CALL FakeGetAppFileSpecification(SPPlatformFileSpecification* file) {
    if (gHostFillsEveryByte) {
        std::memset(file->path, 'A', sizeof file->path);
        return kSPNoError;
    }
    std::strncpy(file->path, gHostPath.c_str(), sizeof file->path - 1);
    return gHostError;
}

const AIRuntimeSuite kFakeRuntime = [] {
    AIRuntimeSuite s = {};
    s.GetAppFileSpecification = FakeGetAppFileSpecification;
    return s;
}();

class AppFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetPluginState();
        gPluginState.runtime = &kFakeRuntime;
        gHostPath.clear();
        gHostError = kSPNoError;
        gHostFillsEveryByte = false;
    }
    void TearDown() override { ResetPluginState(); }

    // The folder for an executable at `path`; fails the test on an error.
    std::string FolderFor(const std::string& path) {
        gHostPath = path;
        char folder[kAppFolderSize];
        std::memset(folder, 0x7E, sizeof folder);
        EXPECT_EQ(FindAppFolder(folder), 0) << path;
        return folder;
    }
};

struct FolderCase {
    const char* what;
    const char* path;
    const char* folder;
};

const FolderCase kFolderCases[] = {
    {"Support Files is tried before the executable's name",
     R"(D:\Apps\Host\Support Files\Bin\Illustrator.exe)", R"(D:\Apps\Host)"},
    {"System later in the path wins over an earlier Support Files",
     R"(C:\Apps\Support Files\Host\System\Bin\x.exe)", R"(C:\Apps\Support Files\Host)"},
    {"SYSTEM is tried before System, wherever each stands", R"(C:\A\System\B\SYSTEM\x.exe)",
     R"(C:\A\System\B)"},
    {"the first occurrence of a pattern counts", R"(C:\A\Support Files\B\Support Files\x.exe)",
     R"(C:\A)"},
    {"lower-case support files is a pattern", R"(C:\Apps\support files\bin\x.exe)", R"(C:\Apps)"},
    {"other mixed cases are not", R"(C:\Apps\Support files\bin\x.exe)",
     R"(C:\Apps\Support files\bin\x.exe)"},
    {"a mixed case passed over, the executable's name cuts",
     R"(C:\Apps\Support files\Illustrator.exe)", R"(C:\Apps\Support files)"},
    {"the executable's name in capitals", R"(C:\HOST\ILLUSTRATOR.EXE)", R"(C:\HOST)"},
    {"folder patterns need their closing backslash", R"(C:\A\SYSTEMS\Illustrator.exe)",
     R"(C:\A\SYSTEMS)"},
    {"no pattern leaves the whole path", R"(C:\Tools\Host\host.exe)", R"(C:\Tools\Host\host.exe)"},
    {"the second byte of a Kanji character is no backslash",
     "C:\\A\\\x95\x5CSystem\\Support Files\\Orvelk.exe", "C:\\A\\\x95\x5CSystem"},
    {"a real backslash after such a character still counts",
     "C:\\A\\\x95\x5C\\Support Files\\Orvelk.exe", "C:\\A\\\x95\x5C"},
};

TEST_F(AppFolderTest, CutsAtTheFirstPatternFound) {
    for (const FolderCase& c : kFolderCases) EXPECT_EQ(FolderFor(c.path), c.folder) << c.what;
}

TEST_F(AppFolderTest, RuntimeErrorIsPassedOnWithAnEmptyFolder) {
    gHostPath = R"(C:\Apps\System\x.exe)";
    gHostError = kSPBadParameterError;
    char folder[kAppFolderSize];
    std::memset(folder, 'x', sizeof folder);
    EXPECT_EQ(FindAppFolder(folder), kSPBadParameterError);
    EXPECT_STREQ(folder, "");
}

TEST_F(AppFolderTest, WithoutTheRuntimeSuiteTheSuiteIsNotFound) {
    gPluginState.runtime = nullptr;
    char folder[kAppFolderSize];
    std::memset(folder, 'x', sizeof folder);
    EXPECT_EQ(FindAppFolder(folder), kSPSuiteNotFoundError);
    EXPECT_STREQ(folder, "");
}

TEST_F(AppFolderTest, UnterminatedHostPathStaysInsideTheBuffer) {
    gHostFillsEveryByte = true;
    char folder[kAppFolderSize + 1];
    folder[kAppFolderSize] = '!';
    EXPECT_EQ(FindAppFolder(folder), 0);
    EXPECT_EQ(std::strlen(folder), static_cast<size_t>(kAppFolderSize - 1));
    EXPECT_EQ(folder[kAppFolderSize], '!');
}

}  // namespace
