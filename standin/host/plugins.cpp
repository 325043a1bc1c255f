#include "standin/host/slot_traps.h"
#include "standin/host/plugins.h"

#include <algorithm>

#include "standin/host/host_errors.h"
#include "standin/host/module_folder.h"
#include "standin/host/module_loader.h"
#include "standin/host/suite_registry.h"

namespace standin {
namespace {

// What the suites keep of a plug-in is forgotten through these.
std::vector<void (*)(SPPluginRef)>& Forgetters() {
    static std::vector<void (*)(SPPluginRef)> forgetters;
    return forgetters;
}

void ForgetKept(Plugin* plugin) {
    for (void (*forget)(SPPluginRef) : Forgetters()) forget(PluginRef(plugin));
}

std::vector<std::unique_ptr<Plugin>>& List() {
    static std::vector<std::unique_ptr<Plugin>> plugins;
    return plugins;
}

// The plug-ins handling a message now, outermost first.
std::vector<Plugin*>& MessagedPlugins() {
    static std::vector<Plugin*> plugins;
    return plugins;
}

// Opens `plugin`'s module and resolves its entry point into it. On failure
// returns false with the reason.
bool OpenModule(Plugin* plugin, std::string* why) {
    return OpenModuleCode(plugin->path, plugin->properties.entryName, &plugin->module,
                          &plugin->main, why);
}

void CloseModule(Plugin* plugin) {
    CloseModuleCode(plugin->module);
    plugin->module = nullptr;
    if (!plugin->path.empty()) plugin->main = nullptr;
}

ASErr SendInterfaceMessage(Plugin* plugin, const char* selector) {
    SPMessageData message{};
    return SendPluginMessage(plugin, kSPInterfaceCaller, selector, &message);
}

}  // namespace

SPPluginRef PluginRef(Plugin* plugin) {
    return reinterpret_cast<SPPluginRef>(plugin);
}

Plugin* FindPlugin(SPPluginRef ref) {
    if (ref == nullptr) return nullptr;
    for (const auto& p : List())
        if (PluginRef(p.get()) == ref) return p.get();
    return nullptr;
}

const std::vector<std::unique_ptr<Plugin>>& Plugins() {
    return List();
}

std::vector<std::string> FindPluginModules(const std::string& folder) {
    if (!IsFolder(folder)) {
        AddHostNote("", "the plug-ins folder '" + folder + "' does not exist");
        return {};
    }
    std::string error;
    std::vector<std::string> modules = ListModuleFiles(folder, &error);
    if (!error.empty())
        AddHostNote("", "the plug-ins folder '" + folder + "' cannot be read whole: " + error);
    return modules;
}

Plugin* LoadPluginModule(const std::string& path) {
    auto plugin = std::make_unique<Plugin>();
    plugin->path = path;
    plugin->name = ModuleFileName(path);
    const auto skip = [&](const std::string& why) -> Plugin* {
        AddHostNote(plugin->name, "skipped: " + why);
        return nullptr;
    };

    std::string why;
    plugin->resources = ReadModuleResources(path, &why);
    if (plugin->resources == nullptr) return skip(why);
    const std::optional<std::vector<uint8_t>> pipl = plugin->resources->Pipl();
    if (!pipl) return skip("it has no PiPL resource");
    if (!ReadPluginProperties(*pipl, &plugin->properties, &why)) return skip(why);
    if (!OpenModule(plugin.get(), &why)) return skip(why);
    List().push_back(std::move(plugin));
    return List().back().get();
}

Plugin* AddBuiltinPlugin(const std::string& name, std::unique_ptr<ModuleResources> resources,
                         SPPluginMainProc main) {
    auto plugin = std::make_unique<Plugin>();
    plugin->name = name;
    plugin->resources =
        resources != nullptr ? std::move(resources) : std::make_unique<MemoryModuleResources>();
    plugin->properties.kind = MakeFourCharCode("SPEA");
    plugin->properties.interfaceVersion = kHostInterfaceVersion;
    plugin->properties.entryName = kSPPluginMainName;
    plugin->main = main;
    List().push_back(std::move(plugin));
    return List().back().get();
}

void RemovePlugin(Plugin* plugin) {
    auto& list = List();
    const auto it = std::find_if(list.begin(), list.end(),
                                 [plugin](const auto& p) { return p.get() == plugin; });
    if (it == list.end()) return;
    ForgetKept(plugin);
    CloseModule(plugin);
    list.erase(it);
}

void ForgetOnRemoval(void (*forget)(SPPluginRef plugin)) {
    auto& forgetters = Forgetters();
    if (std::find(forgetters.begin(), forgetters.end(), forget) == forgetters.end())
        forgetters.push_back(forget);
}

void RemoveAllPlugins() {
    while (!List().empty()) RemovePlugin(List().back().get());
}

ASErr SendPluginMessage(Plugin* plugin, const char* caller, const char* selector,
                        SPMessageData* message) {
    if (plugin == nullptr || message == nullptr || caller == nullptr || selector == nullptr)
        return kSPBadParameterError;
    if (plugin->state == Plugin::State::kStartupFailed || plugin->state == Plugin::State::kShutDown)
        return kSPBadParameterError;
    const bool access = std::string(caller) == kSPAccessCaller;
    if (plugin->unloaded && !access) {
        const ASErr error = ReloadPlugin(plugin);
        if (error != kSPNoError) return error;
    }
    if (plugin->main == nullptr) return kStandinPluginNotLoadedError;
    message->checkWord = kSPMessageCheckWord;
    message->self = PluginRef(plugin);
    message->globals = plugin->globals;
    message->basic = StandinBasicSuite();
    MessagedPlugins().push_back(plugin);
    const unsigned trapsBefore = SlotTrapCalls();
    ASErr result = plugin->main(caller, selector, message);
    MessagedPlugins().pop_back();
    plugin->globals = message->globals;
    // A call that reached a trap fails the message, whatever the plug-in made
    // of the trap's result.
    if (result == kSPNoError && SlotTrapCalls() != trapsBefore) result = kStandinUnusedSlotError;
    return result;
}

Plugin* MessagedPlugin() {
    return MessagedPlugins().empty() ? nullptr : MessagedPlugins().back();
}

ASErr StartupPlugin(Plugin* plugin) {
    if (plugin == nullptr || plugin->state != Plugin::State::kLoaded) return kSPBadParameterError;
    const ASErr result = SendInterfaceMessage(plugin, kSPInterfaceStartupSelector);
    if (result == kSPNoError) {
        plugin->state = Plugin::State::kStarted;
    } else {
        plugin->state = Plugin::State::kStartupFailed;
        plugin->startupError = result;
        ForgetKept(plugin);
        AddHostNote(plugin->name, "its startup failed with error " + ErrorText(result));
    }
    return result;
}

ASErr AboutPlugin(Plugin* plugin) {
    return SendInterfaceMessage(plugin, kSPInterfaceAboutSelector);
}

ASErr ShutdownPlugin(Plugin* plugin) {
    if (plugin == nullptr || plugin->state != Plugin::State::kStarted) return kSPNoError;
    const ASErr result = SendInterfaceMessage(plugin, kSPInterfaceShutdownSelector);
    plugin->state = Plugin::State::kShutDown;
    return result;
}

namespace {

// Sends the "SP Access" message `selector` as its whole record, `when` the
// host runs.
ASErr SendAccessMessage(Plugin* plugin, const char* selector) {
    SPAccessMessage message{};
    message.when = kSPAccessRuntime;
    return SendPluginMessage(plugin, kSPAccessCaller, selector, &message.d);
}

}  // namespace

ASErr UnloadPlugin(Plugin* plugin) {
    if (plugin == nullptr || plugin->unloaded) return kSPBadParameterError;
    const ASErr result = SendAccessMessage(plugin, kSPAccessUnloadSelector);
    CloseModule(plugin);
    plugin->unloaded = true;
    return result;
}

ASErr ReloadPlugin(Plugin* plugin) {
    if (plugin == nullptr || !plugin->unloaded) return kSPBadParameterError;
    if (!plugin->path.empty()) {
        std::string why;
        if (!OpenModule(plugin, &why)) {
            AddHostNote(plugin->name, "cannot be loaded again: " + why);
            return kStandinPluginNotLoadedError;
        }
    }
    plugin->unloaded = false;
    return SendAccessMessage(plugin, kSPAccessReloadSelector);
}

bool IsModuleResident(const std::string& path) {
    return IsModuleCodeResident(path);
}

}  // namespace standin
