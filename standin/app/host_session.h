// A session of the stand-in host: what the `orvelk` commands and the tests
// run the plug-ins in. Beginning one gives a fresh host (no plug-ins, filters,
// action events, documents or dialogs left from before) serving every suite,
// whose transcript hears the system's beep; it then loads the modules of the application folder's
// "Plug-ins" folder and starts them. Ending it shuts the started plug-ins down, last started first,
// unloads them and takes back whatever they left.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "standin/host/module_resources.h"
#include "standin/host/plugins.h"

namespace standin {

class HostSession {
  public:
    // Begins a session whose modules' resources are read by `reader`; by
    // default, from each module's ".rsrc" section.
    explicit HostSession(ModuleResourceReader reader = {});
    // Ends the session (End()).
    ~HostSession();

    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // The "Plug-ins" folder of the application folder in force.
    static std::string DefaultPluginsFolder();

    // Loads every module under `folder` (default: DefaultPluginsFolder()).
    // Modules that are not plug-ins of this host are skipped with a note.
    // Returns the plug-ins loaded by this call.
    std::vector<Plugin*> LoadPlugins(const std::string& folder = std::string());

    // Sends "Startup" to every plug-in not started yet, in load order.
    // Returns how many failed.
    size_t StartPlugins();

    // Loads and starts: LoadPlugins, then StartPlugins. Returns whether every
    // module found loaded and started.
    bool LoadAndStartPlugins(const std::string& folder = std::string());

    // How many modules the loading calls found but skipped.
    size_t SkippedModules() const { return skipped_; }

    // Shuts the started plug-ins down (last started first), closes and forgets
    // every plug-in, closes the documents, frees the blocks plug-ins left,
    // and forgets filters, action events, recordings and the user's steps.
    // The transcript and the suite registry's counts stay for inspection.
    void End();

  private:
    bool ended_ = false;
    size_t skipped_ = 0;
    std::vector<Plugin*> startOrder_;
};

// Forgets everything the host holds for plug-ins without sending any
// message: plug-ins, filters, action events and recordings, documents,
// blocks, the user's steps. For a fresh start. The test hooks
// (standin/hooks/host_hooks.h) stay as the test that set them left them.
void ResetHostState();

}  // namespace standin
