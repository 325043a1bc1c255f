// The built module Orvelk.aip: PluginMain is its only export, and the module
// loaded as the host loads it starts up and shuts down through it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "globals/plugin_globals.h"
#include "hostapi/sp_basic.h"
#include "standin/suites/action_manager/action_manager.h"
#include "standin/suites/filter_menu/filters.h"
#include "standin/host/host_blocks.h"
#include "standin/host/plugins.h"
#include "standin/host/suite_registry.h"
#include "tests/support/standin_host_test.h"

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

TEST(ModuleExports, ItsOwnFunctionsAndStateStayHidden) {
    void* module = dlopen(ORVELK_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    EXPECT_NE(dlsym(module, "PluginMain"), nullptr);
    EXPECT_EQ(dlsym(module, "_Z15LoadPreferencesv"), nullptr);
    EXPECT_EQ(dlsym(module, "gPluginState"), nullptr);
    dlclose(module);
}

using LoadedModuleTest = StandinHostTest;

// The module loaded by the stand-in host as the host loads it.
TEST_F(LoadedModuleTest, StartsUpAndShutsDownThroughItsEntryPoint) {
    standin::Plugin* plugin = standin::LoadPluginModule(ORVELK_MODULE_PATH);
    ASSERT_NE(plugin, nullptr);
    const int32_t suitesBefore = StandinSuitesInUse();

    WritePrefsFile("qr_version = 4\r\n");
    EXPECT_EQ(standin::StartupPlugin(plugin), kSPNoError);
    ASSERT_EQ(standin::Filters().size(), 1u);
    EXPECT_EQ(standin::Filters()[0]->name, "Orvelk_QRCode");
    EXPECT_EQ(standin::ActionEvents().size(), 1u);
    EXPECT_EQ(OutstandingHostBlocks(), 1u);
    EXPECT_EQ(standin::UnloadPlugin(plugin), kSPNoError);
    ASSERT_NE(plugin->globals, nullptr);
    // The module's record, loaded from the file.
    EXPECT_EQ(static_cast<PluginGlobals*>(plugin->globals)->version, 4);

    EXPECT_EQ(standin::ShutdownPlugin(plugin), kSPNoError);
    EXPECT_EQ(OutstandingHostBlocks(), 0u);
    EXPECT_EQ(StandinSuitesInUse(), suitesBefore);
}

}  // namespace
