#include "standin/app/host_session.h"

#include <algorithm>

#include "platform/beep_inspect.h"
#include "standin/app/module_resource_file.h"
#include "standin/dialogs/adm_suites.h"
#include "standin/dialogs/dialog_manager.h"
#include "standin/dialogs/user_script.h"
#include "standin/host/action_manager.h"
#include "standin/host/documents.h"
#include "standin/host/filters.h"
#include "standin/host/host_blocks.h"
#include "standin/host/host_transcript.h"
#include "standin/host/standin_app_folder.h"
#include "standin/host/suite_catalog.h"

namespace standin {

void ResetHostState() {
    RemoveAllPlugins();
    ResetFilters();
    ResetActionManager();
    CloseAllDocuments();
    FailArtCall(0, kSPNoError);
    ClearUserScript();
    FreeAllHostBlocks();
}

HostSession::HostSession(ModuleResourceReader reader) {
    ResetHostState();
    ClearClosedDialogs();
    RegisterHostSuites();
    RegisterDialogSuites();
    // The system's beep is heard by the user: it goes into the transcript.
    SetBeepListener([](UINT type) { AddBeep(type); });
    SetModuleResourceReader(reader ? std::move(reader)
                                   : ModuleResourceReader(ReadModuleResourceSection));
}

HostSession::~HostSession() {
    End();
}

std::string HostSession::DefaultPluginsFolder() {
    return StandinAppFolder() + "/Plug-ins";
}

std::vector<Plugin*> HostSession::LoadPlugins(const std::string& folder) {
    std::vector<Plugin*> loaded;
    for (const std::string& path :
         FindPluginModules(folder.empty() ? DefaultPluginsFolder() : folder)) {
        if (Plugin* plugin = LoadPluginModule(path)) {
            loaded.push_back(plugin);
        } else {
            ++skipped_;
        }
    }
    return loaded;
}

size_t HostSession::StartPlugins() {
    size_t failed = 0;
    std::vector<Plugin*> waiting;
    for (const auto& p : Plugins())
        if (p->state == Plugin::State::kLoaded) waiting.push_back(p.get());
    for (Plugin* plugin : waiting) {
        if (StartupPlugin(plugin) == kSPNoError) {
            startOrder_.push_back(plugin);
        } else {
            ++failed;
        }
    }
    return failed;
}

bool HostSession::LoadAndStartPlugins(const std::string& folder) {
    const size_t skippedBefore = skipped_;
    LoadPlugins(folder);
    const size_t failed = StartPlugins();
    return failed == 0 && skipped_ == skippedBefore;
}

void HostSession::End() {
    if (ended_) return;
    ended_ = true;
    for (auto it = startOrder_.rbegin(); it != startOrder_.rend(); ++it) {
        const auto& list = Plugins();
        const bool present = std::any_of(list.begin(), list.end(),
                                         [p = *it](const auto& q) { return q.get() == p; });
        if (present) ShutdownPlugin(*it);
    }
    startOrder_.clear();
    ResetHostState();
    SetModuleResourceReader({});
    SetBeepListener({});
}

}  // namespace standin
