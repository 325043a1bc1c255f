#include "standin/app/host_session.h"

#include <algorithm>

#include "platform/beep_monitor.h"
#include "standin/app/module_resource_file.h"
#include "standin/suites/adm/dialog_manager.h"
#include "standin/dialogs/user_script.h"
#include "standin/suites/action_manager/action_manager.h"
#include "standin/suites/document/documents.h"
#include "standin/suites/filter_menu/filters.h"
#include "standin/host/host_blocks.h"
#include "standin/host/host_transcript.h"
#include "standin/host/standin_app_folder.h"
#include "standin/suites/register_suites.h"

namespace standin {

void ResetHostState() {
    RemoveAllPlugins();
    ResetFilters();
    ResetActionManager();
    CloseAllDocuments();
    ClearUserScript();
    FreeAllHostBlocks();
}

HostSession::HostSession(ModuleResourceReader reader) {
    ResetHostState();
    ClearClosedDialogs();
    RegisterHostSuites();
    // The system's beep is heard by the user: it goes into the transcript.
    SetBeepListener([](UINT type) { AddBeep(type); });
    SetModuleResourceReader(reader ? std::move(reader)
                                   : ModuleResourceReader(ReadModuleResourceSection));
}

HostSession::~HostSession() {
    End();
}

std::string HostSession::DefaultPluginsFolder() {
#if defined(_WIN32)
    return StandinAppFolder() + "\\Plug-ins";
#else
    return StandinAppFolder() + "/Plug-ins";
#endif
}

namespace {

#if defined(_WIN32)
constexpr char kFolderSeparators[] = "\\/";
#else
constexpr char kFolderSeparators[] = "/";
#endif

// A module file's name as Windows compares names: without its folders, in
// lower case.
std::string ModuleKey(const std::string& path) {
    std::string name = path.substr(path.find_last_of(kFolderSeparators) + 1);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return name;
}

// Tells the user of each module that lies in the plug-ins folder twice: the
// host loads both copies, and the second cannot add its filter and action
// event again.
void NoteDuplicateModules(const std::vector<std::string>& paths) {
    for (size_t i = 0; i < paths.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (ModuleKey(paths[i]) == ModuleKey(paths[j])) {
                AddHostNote("", "two copies of one plug-in are in the plug-ins folder: '" +
                                    paths[j] + "' and '" + paths[i] +
                                    "'; both are loaded, remove one of them");
                break;
            }
}

}  // namespace

std::vector<Plugin*> HostSession::LoadPlugins(const std::string& folder) {
    std::vector<Plugin*> loaded;
    const std::vector<std::string> paths =
        FindPluginModules(folder.empty() ? DefaultPluginsFolder() : folder);
    NoteDuplicateModules(paths);
    for (const std::string& path : paths) {
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
