#include "tests/support/standin_plugin_test.h"

#include "shell/plugin_main.h"
#include "standin/app/module_resource_file.h"
#include "standin/host/host_transcript.h"

void StandinPluginTest::SetUp() {
    StandinHostTest::SetUp();
    InstallTableFile();
    std::string why;
    auto resources = standin::ReadModuleResourceSection(ORVELK_TEST_MODULE_PATH, &why);
    ASSERT_NE(resources, nullptr) << why;
    plugin_ = standin::AddBuiltinPlugin("Orvelk.aip", std::move(resources), PluginMain);
    ASSERT_EQ(standin::StartupPlugin(plugin_), kSPNoError);
    standin::ClearTranscript();
}

void StandinPluginTest::TearDown() {
    StandinHostTest::TearDown();
    plugin_ = nullptr;
}

ASErr StandinPluginTest::Send(const char* caller, const char* selector, SPMessageData* message) {
    return standin::SendPluginMessage(plugin_, caller, selector, message);
}
