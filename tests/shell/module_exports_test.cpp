// The built module Orvelk.aip: PluginMain is its only export, and the module
// loaded as the host loads it starts up and shuts down through it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "hostapi/sp_basic.h"
#include "tests/support/fake_host.h"

namespace {

// The symbols the module defines for the dynamic linker, by `nm`.
std::vector<std::string> DynamicExports(const std::string& module) {
    std::vector<std::string> names;
    const std::string command = "nm -D --defined-only '" + module + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {"<nm could not run>"};
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string text = line;
        if (!text.empty() && text.back() == '\n') text.pop_back();
        names.push_back(text.substr(text.rfind(' ') + 1));
    }
    if (pclose(pipe) != 0) names.push_back("<nm failed>");
    return names;
}

TEST(ModuleExports, PluginMainIsTheOnlyDynamicExport) {
    EXPECT_EQ(DynamicExports(ORVELK_MODULE_PATH), std::vector<std::string>{"PluginMain"});
}

using LoadedModuleTest = PluginTest;

TEST_F(LoadedModuleTest, StartsUpAndShutsDownThroughItsEntryPoint) {
    void* module = dlopen(ORVELK_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    auto entry = reinterpret_cast<SPPluginMainProc>(dlsym(module, "PluginMain"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(dlsym(module, "_Z15LoadPreferencesv"), nullptr);
    EXPECT_EQ(dlsym(module, "gPluginState"), nullptr);

    WritePrefsFile("qr_version = 4\r\n");
    EXPECT_EQ(entry("SP Interface", "Startup", &message_), kSPNoError);
    EXPECT_EQ(host_.addFilter.name, "Orvelk_QRCode");
    EXPECT_EQ(host_.registerCalls, 1);
    EXPECT_EQ(host_.liveBlocks, 1);
    EXPECT_EQ(entry("SP Access", "Unload", &message_), kSPNoError);
    ASSERT_NE(message_.globals, nullptr);
    // The module's record, loaded from the file.
    EXPECT_EQ(static_cast<PluginGlobals*>(message_.globals)->version, 4);

    EXPECT_EQ(entry("SP Interface", "Shutdown", &message_), kSPNoError);
    EXPECT_EQ(host_.liveBlocks, 0);
    EXPECT_TRUE(host_.held.empty());
    dlclose(module);
}

}  // namespace
