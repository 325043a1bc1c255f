// Finding and loading plug-in modules, the messages of their life, and
// unloading and reloading them with their globals.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "hostapi/ai_filter.h"
#include "hostapi/sp_blocks.h"
#include "standin/suites/filter_menu/filters.h"
#include "standin/host/host_blocks.h"
#include "standin/host/host_transcript.h"
#include "standin/host/plugins.h"
#include "tests/standin/host/host_test_support.h"
#include "tests/standin/host/test_module.h"
#include "tests/support/test_temp_dir.h"

namespace {

using standin::Plugin;

class PluginLoadingTest : public HostTest {
  protected:
    // A Plug-ins folder with the good test module as "Good.aip", loaded.
    Plugin* LoadGood() {
        folder_ = FreshFolder("Plug-ins");
        CopyTestModule("good", folder_, "Good.aip");
        const std::vector<Plugin*> loaded = session_->LoadPlugins(folder_);
        return loaded.size() == 1 ? loaded[0] : nullptr;
    }

    TestStateMessage State(Plugin* plugin) {
        TestStateMessage m{};
        EXPECT_EQ(standin::SendPluginMessage(plugin, kTestCaller, kTestStateSelector, &m.d), 0);
        return m;
    }

    std::string folder_;
};

TEST_F(PluginLoadingTest, LoadsAGoodModuleThroughTheEntryItsPiplNames) {
    Plugin* plugin = LoadGood();
    ASSERT_NE(plugin, nullptr) << testing::PrintToString(TranscriptNotes());
    EXPECT_EQ(plugin->name, "Good.aip");
    EXPECT_EQ(plugin->properties.entryName, "TestPluginMain");
    EXPECT_EQ(plugin->resources->String(100), Cp932("テスト"));
    EXPECT_EQ(plugin->state, Plugin::State::kLoaded);

    ASSERT_EQ(standin::StartupPlugin(plugin), 0);
    EXPECT_EQ(plugin->state, Plugin::State::kStarted);
    const TestStateMessage state = State(plugin);
    EXPECT_EQ(state.self, standin::PluginRef(plugin));
    ASSERT_NE(state.moduleGlobals, nullptr);
    EXPECT_EQ(static_cast<TestModuleGlobals*>(state.moduleGlobals)->magic, kTestModuleMagic);
    EXPECT_EQ(standin::FindPlugin(state.self), plugin);
    EXPECT_TRUE(TranscriptNotes().empty());
}

TEST_F(PluginLoadingTest, SkipsModulesThatAreNotPluginsOfThisHostWithTheReason) {
    folder_ = FreshFolder("Plug-ins");
    CopyTestModule("good", folder_, "A Good.aip");
    CopyTestModule("wrong_kind", folder_, "WrongKind.aip");
    CopyTestModule("wrong_version", folder_, "WrongVersion.aip");
    CopyTestModule("missing_entry", folder_, "MissingEntry.aip");
    CopyTestModule("no_pipl", folder_, "NoPipl.aip");
    CopyTestModule("bare", folder_, "Bare.aip");
    std::ofstream(folder_ + "/Text.aip") << "not a module\n";
    std::ofstream(folder_ + "/ReadMe.txt") << "not a module either, and not named like one\n";
    std::filesystem::create_directories(folder_ + "/Sub");
    CopyTestModule("good", folder_ + "/Sub", "Nested.AIP");

    EXPECT_FALSE(session_->LoadAndStartPlugins(folder_));
    EXPECT_EQ(session_->SkippedModules(), 6u);
    std::vector<std::string> names;
    for (const auto& p : standin::Plugins()) names.push_back(p->name);
    EXPECT_EQ(names, (std::vector<std::string>{"A Good.aip", "Nested.AIP"}));

    const std::vector<std::string> notes = TranscriptNotes();
    const auto noted = [&notes](const std::string& text) {
        for (const std::string& n : notes)
            if (n == text) return true;
        return false;
    };
    EXPECT_TRUE(noted("Bare.aip: skipped: it has no resources (no \".rsrc\" section)"));
    EXPECT_TRUE(
        noted("MissingEntry.aip: skipped: it does not export its entry point "
              "'NoSuchPluginMain'"));
    EXPECT_TRUE(noted("NoPipl.aip: skipped: it has no PiPL resource"));
    EXPECT_TRUE(noted("WrongKind.aip: skipped: it is of kind 'SPEB', not 'SPEA'"));
    EXPECT_TRUE(noted("WrongVersion.aip: skipped: it is written for interface version 3, not 2"));
    EXPECT_TRUE(noted("Text.aip: skipped: its resources cannot be read: not a 64-bit ELF module"))
        << testing::PrintToString(notes);
}

TEST_F(PluginLoadingTest, AMissingFolderIsNotedAndLoadsNothing) {
    EXPECT_TRUE(session_->LoadPlugins(TestTempDir() + "/no such folder").empty());
    ASSERT_EQ(TranscriptNotes().size(), 1u);
    EXPECT_NE(TranscriptNotes()[0].find("does not exist"), std::string::npos);
}

TEST_F(PluginLoadingTest, UnloadAndReloadReallyReopenTheModuleAndKeepItsGlobals) {
    Plugin* plugin = LoadGood();
    ASSERT_NE(plugin, nullptr);
    ASSERT_EQ(standin::StartupPlugin(plugin), 0);
    void* const globals = State(plugin).moduleGlobals;
    ASSERT_NE(globals, nullptr);

    ASSERT_EQ(standin::UnloadPlugin(plugin), 0);
    EXPECT_TRUE(plugin->unloaded);
    EXPECT_EQ(plugin->globals, globals);  // what the plug-in handed over
    EXPECT_FALSE(standin::IsModuleResident(plugin->path));

    ASSERT_EQ(standin::ReloadPlugin(plugin), 0);
    EXPECT_TRUE(standin::IsModuleResident(plugin->path));
    const TestStateMessage state = State(plugin);
    EXPECT_EQ(state.moduleGlobals, globals);
    // A fresh load: Reload and State are its only messages; the Reload came
    // as the whole SP Access record, while the host runs.
    EXPECT_EQ(state.messagesSinceLoad, 2);
    EXPECT_EQ(state.reloadWhen, kSPAccessRuntime);
    // The record counted State, Unload and the last State; the fresh module
    // had no record yet when Reload arrived.
    EXPECT_EQ(static_cast<TestModuleGlobals*>(globals)->messages, 3);
}

TEST_F(PluginLoadingTest, AMessageToAnUnloadedPluginLoadsItFirst) {
    Plugin* plugin = LoadGood();
    ASSERT_NE(plugin, nullptr);
    ASSERT_EQ(standin::StartupPlugin(plugin), 0);
    void* const globals = State(plugin).moduleGlobals;
    ASSERT_EQ(standin::UnloadPlugin(plugin), 0);
    const TestStateMessage state = State(plugin);
    EXPECT_FALSE(plugin->unloaded);
    EXPECT_EQ(state.moduleGlobals, globals);
    EXPECT_EQ(state.messagesSinceLoad, 2);
}

TEST_F(PluginLoadingTest, EndingTheSessionShutsDownEvenAnUnloadedPlugin) {
    Plugin* plugin = LoadGood();
    ASSERT_NE(plugin, nullptr);
    ASSERT_EQ(session_->StartPlugins(), 0u);
    EXPECT_EQ(OutstandingHostBlocks(), 1u);
    ASSERT_EQ(standin::UnloadPlugin(plugin), 0);
    session_->End();
    // Shutdown freed the record through the Blocks suite.
    EXPECT_EQ(OutstandingHostBlocks(), 0u);
    EXPECT_TRUE(standin::Plugins().empty());
    EXPECT_EQ(StandinSuiteUseCount(kSPBlocksSuite, kSPBlocksSuiteVersion), 0);
}

TEST_F(PluginLoadingTest, MessagesCarryTheHeadAndTheGlobalsThePluginLeft) {
    std::vector<SPMessageData> heads;
    int record = 0;
    Plugin* plugin = AddTestPlugin(
        "Heads", nullptr, [&](const std::string&, const std::string& selector, void* message) {
            auto* head = static_cast<SPMessageData*>(message);
            heads.push_back(*head);
            if (selector == "Startup") head->globals = &record;
            if (selector == "Shutdown") head->globals = nullptr;
            return kSPNoError;
        });
    ASSERT_EQ(standin::StartupPlugin(plugin), 0);
    ASSERT_EQ(standin::AboutPlugin(plugin), 0);
    ASSERT_EQ(standin::ShutdownPlugin(plugin), 0);
    ASSERT_EQ(heads.size(), 3u);
    for (const SPMessageData& head : heads) {
        EXPECT_EQ(head.checkWord, kSPMessageCheckWord);
        EXPECT_EQ(head.self, standin::PluginRef(plugin));
        EXPECT_EQ(head.basic, StandinBasicSuite());
    }
    EXPECT_EQ(heads[0].globals, nullptr);
    EXPECT_EQ(heads[1].globals, &record);
    EXPECT_EQ(heads[2].globals, &record);
    EXPECT_EQ(plugin->globals, nullptr);
    EXPECT_EQ(plugin->state, Plugin::State::kShutDown);
    // Shut down, it gets nothing more.
    EXPECT_EQ(standin::AboutPlugin(plugin), kSPBadParameterError);
    EXPECT_EQ(heads.size(), 3u);
}

TEST_F(PluginLoadingTest, AFailedStartupRetiresThePluginAndItsFilters) {
    std::vector<std::string> selectors;
    Plugin* plugin = AddTestPlugin(
        "Failing", nullptr,
        [&](const std::string&, const std::string& selector, void* message) -> ASErr {
            selectors.push_back(selector);
            if (selector != "Startup") return kSPNoError;
            const auto* filters =
                AcquireSuite<AIFilterSuite>(kAIFilterSuite, kAIFilterSuiteVersion);
            const unsigned char category[] = "\x01X";
            const unsigned char title[] = "\x01Y";
            const AIPlatformAddFilterData data = {category, title};
            AIFilterHandle filter = nullptr;
            filters->AddFilter(static_cast<SPMessageData*>(message)->self, "F", &data, 0, &filter);
            StandinBasicSuite()->ReleaseSuite(kAIFilterSuite, kAIFilterSuiteVersion);
            return -1;
        });
    EXPECT_EQ(session_->StartPlugins(), 1u);
    EXPECT_EQ(plugin->state, Plugin::State::kStartupFailed);
    EXPECT_EQ(plugin->startupError, -1);
    EXPECT_TRUE(standin::Filters().empty());
    EXPECT_EQ(TranscriptNotes(),
              std::vector<std::string>{"Failing: its startup failed with error -1"});
    EXPECT_EQ(standin::AboutPlugin(plugin), kSPBadParameterError);
    session_->End();
    EXPECT_EQ(selectors, std::vector<std::string>{"Startup"});
}

}  // namespace
