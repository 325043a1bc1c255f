// The settings dialog driven through PluginMain and the fake host: the
// plug-in started in an application folder with the table file, the popups'
// strings read from the plug-in's compiled resources, and a scripted user
// inside the dialog.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "globals/plugin_state.h"
#include "tests/support/fake_host.h"

class SettingsDialogTest : public PluginTest {
  protected:
    void SetUp() override;

    // Sends "AI Get Parameters" for the plug-in's filter; `user` runs inside
    // the dialog, which then closes with `closeWith` (1 OK, 2 Cancel).
    // Returns the handler's result.
    ASErr RunDialog(const std::function<void()>& user = nullptr,
                    int32_t closeWith = kFakeOkItem);

    // The globals record of the started plug-in.
    PluginGlobals& Globals() const { return *gPluginState.globals; }
    // The preview matrix; only while the dialog runs.
    const ModuleMatrix& Preview() const { return *gPluginState.globals->previewMatrix; }

    // The last dialog run, as it was when it closed.
    const RecordedModal& LastDialog() const { return host_.modals.back(); }

    // Removes the table file, so that an encoding now leaves side 0.
    void RemoveTableFile() const;

    // The information text of item 14 of the running dialog.
    static std::string InfoText() { return FakeRunningItem(14).text; }

  private:
    AIFilterMessage filter_ = {};
};
