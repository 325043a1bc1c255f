// The plug-ins the stand-in host has loaded, and the messages it sends them.
//
// A module is a plug-in when its resources hold a PiPL of kind "SPEA",
// interface version 2, naming an entry point that the module exports. The
// host loads it (dlopen here, LoadLibraryA on Windows: module_loader.h),
// calls the entry point with a caller, a selector and a message record, and
// keeps for it the globals pointer that the plug-in leaves in its messages. Between messages the host may unload a
// module ("SP Access" / "Unload", then closes it) and load it again on demand
// (opens it, then "SP Access" / "Reload" with the kept globals pointer).
//
// Built-in plug-ins are entry points inside the host process with resources
// in memory; they take the same messages, and serve tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hostapi/sp_basic.h"
#include "standin/host/module_resources.h"
#include "standin/host/pipl.h"

namespace standin {

struct Plugin {
    enum class State {
        kLoaded,         // found and loaded; no Startup yet
        kStarted,        // Startup succeeded
        kStartupFailed,  // Startup failed: the plug-in gets no more messages
        kShutDown,       // Shutdown was sent
    };

    std::string name;  // the module's file name ("Orvelk.aip") or the built-in name
    std::string path;  // the module's native path; empty for a built-in plug-in
    std::unique_ptr<ModuleResources> resources;  // never null
    PluginProperties properties;
    void* module = nullptr;           // the loader's handle; null while unloaded or built in
    SPPluginMainProc main = nullptr;  // the entry point; null while unloaded
    void* globals = nullptr;          // what the plug-in left in its last message
    State state = State::kLoaded;
    bool unloaded = false;            // "Unload" was sent and the module closed
    ASErr startupError = kSPNoError;  // what a failed Startup returned
};

// The host's reference for `plugin`, which the plug-in gets as its own.
SPPluginRef PluginRef(Plugin* plugin);

// The plug-in behind `ref`; null for a reference the host has not given out
// or has since forgotten.
Plugin* FindPlugin(SPPluginRef ref);

// The plug-ins in the order they were added.
const std::vector<std::unique_ptr<Plugin>>& Plugins();

// The module files (*.aip, any case) under `folder` and its subfolders,
// sorted by path. An unreadable folder gives what could be read and a note.
std::vector<std::string> FindPluginModules(const std::string& folder);

// Loads the module at `path`: reads its resources and PiPL, checks them,
// opens it and resolves the entry point the PiPL names. On any failure the
// module is skipped: a note says why, and the result is null.
Plugin* LoadPluginModule(const std::string& path);

// Adds a plug-in whose entry point is `main` in this process, with
// `resources` (an empty set when null). Its PiPL is not checked.
Plugin* AddBuiltinPlugin(const std::string& name, std::unique_ptr<ModuleResources> resources,
                         SPPluginMainProc main);

// Closes and forgets `plugin` without sending it anything, with what the
// suites keep of it (its filters and action events: ForgetOnRemoval).
void RemovePlugin(Plugin* plugin);

// Has `forget` called with a plug-in's reference whenever the plug-in is
// removed or its startup fails: a suite that keeps something of the plug-ins
// (filters, action events) asks for it when it first keeps something. Asking
// again with the same function does nothing.
void ForgetOnRemoval(void (*forget)(SPPluginRef plugin));

// RemovePlugin for every plug-in, the last added first.
void RemoveAllPlugins();

// Sends `caller` / `selector` with `message` (a record that begins with
// SPMessageData) to `plugin`: fills the head (check word, the plug-in's
// reference, the globals kept for it, the basic suite), loads an unloaded
// module first (except for "SP Access"), calls the entry point, and keeps the
// globals pointer the plug-in leaves in the head. Returns the plug-in's
// result; "NLod" when its module cannot be loaded, "Parm" for a plug-in
// whose startup failed or that was shut down.
ASErr SendPluginMessage(Plugin* plugin, const char* caller, const char* selector,
                        SPMessageData* message);

// The plug-in whose message is being handled, the innermost one when
// messages nest; null between messages.
Plugin* MessagedPlugin();

// "SP Interface" / "Startup". A failure marks the plug-in as failed: it gets
// no further messages, and its filters and action events are forgotten.
ASErr StartupPlugin(Plugin* plugin);

// "SP Interface" / "About".
ASErr AboutPlugin(Plugin* plugin);

// "SP Interface" / "Shutdown", for a started plug-in; the plug-in is shut
// down whatever it returns. 0 for a plug-in that is not started.
ASErr ShutdownPlugin(Plugin* plugin);

// "SP Access" / "Unload", then closes the module (a built-in plug-in only
// gets the message). The globals pointer the plug-in leaves is kept.
ASErr UnloadPlugin(Plugin* plugin);

// Opens the module again, resolves its entry point, and sends "SP Access" /
// "Reload" with the globals pointer kept at the unload. "NLod" when the
// module cannot be opened again.
ASErr ReloadPlugin(Plugin* plugin);

// Whether the module at `path` is still mapped into the process (after its
// last close a module that cannot be unloaded stays).
bool IsModuleResident(const std::string& path);

}  // namespace standin
