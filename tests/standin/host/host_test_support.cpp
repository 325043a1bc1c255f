#include "tests/standin/host/host_test_support.h"

#include <filesystem>
#include <map>

#include "standin/suites/adm/dialog_manager.h"
#include "standin/host/host_transcript.h"
#include "standin/text/cp932.h"
#include "tests/support/test_temp_dir.h"

namespace {

std::map<SPPluginRef, MessageHandler>& Handlers() {
    static std::map<SPPluginRef, MessageHandler> handlers;
    return handlers;
}

ASErr HOST_CALL TestPluginMain(const char* caller, const char* selector, void* message) {
    const SPPluginRef self = static_cast<SPMessageData*>(message)->self;
    const auto it = Handlers().find(self);
    if (it == Handlers().end()) return kSPNoError;
    return it->second(caller, selector, message);
}

}  // namespace

void HostTest::SetUp() {
    ResetStandinSuiteUse();
    standin::ClearTranscript();
    session_ = std::make_unique<standin::HostSession>();
}

void HostTest::TearDown() {
    session_.reset();
    Handlers().clear();
    standin::SetClosedDialogListener({});
    standin::SetTranscriptListener({});
    standin::ClearTranscript();
    ResetStandinSuiteUse();
}

standin::Plugin* HostTest::AddTestPlugin(const std::string& name,
                                         std::unique_ptr<standin::MemoryModuleResources> resources,
                                         MessageHandler handler) {
    standin::Plugin* plugin = standin::AddBuiltinPlugin(name, std::move(resources), TestPluginMain);
    Handlers()[standin::PluginRef(plugin)] = std::move(handler);
    return plugin;
}

std::vector<std::string> TranscriptNotes() {
    std::vector<std::string> notes;
    for (const standin::TranscriptEntry& e : standin::Transcript())
        if (e.kind == standin::TranscriptEntry::Kind::kNote)
            notes.push_back(e.plugin.empty() ? e.text : e.plugin + ": " + e.text);
    return notes;
}

std::string FreshFolder(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::path(TestTempDir()) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

void CopyTestModule(const std::string& variant, const std::string& folder,
                    const std::string& fileName) {
    std::filesystem::copy_file(std::string(ORVELK_TEST_MODULE_DIR) + "/" + variant + ".aip",
                               std::filesystem::path(folder) / fileName,
                               std::filesystem::copy_options::overwrite_existing);
}

std::string Cp932(const std::string& utf8) {
    return Utf8ToCp932(utf8).bytes;
}
