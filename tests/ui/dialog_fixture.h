// The settings dialog driven through PluginMain as a plug-in of the stand-in
// host: the plug-in started in an application folder with the table file,
// its dialog and the popups' strings read from the built module's resources,
// and the test's own code inside the running dialog.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "globals/plugin_state.h"
#include "standin/dialogs/dialog_snapshot.h"
#include "standin/hooks/dialog_hooks.h"
#include "tests/support/cp932_text.h"
#include "tests/support/standin_plugin_test.h"

// The settings dialog, and its OK and Cancel buttons.
inline constexpr int32_t kSettingsDialog = 16052;
inline constexpr int32_t kOkItem = 1;
inline constexpr int32_t kCancelItem = 2;

class SettingsDialogTest : public StandinPluginTest {
  protected:
    // Sends "AI Get Parameters" for the plug-in's filter; `user` runs inside
    // the dialog once it is up, which then closes with `closeWith` (1 OK:
    // the default button pressed, 2 Cancel). The call log and the counts of
    // item calls start afresh. Returns the handler's result.
    ASErr RunDialog(const std::function<void(RunningDialog&)>& user = nullptr,
                    int32_t closeWith = kOkItem);

    // The globals record of the started plug-in.
    PluginGlobals& Globals() const { return *gPluginState.globals; }
    // The preview matrix; only while the dialog runs.
    const ModuleMatrix& Preview() const { return *gPluginState.globals->previewMatrix; }

    // The last settings dialog run, as it was when it closed; an empty
    // snapshot when none ran.
    static standin::DialogSnapshot LastDialog();
    // Item `id` of `snapshot`; a missing one fails the test and aborts.
    static const standin::SnapshotItem& ItemOf(const standin::DialogSnapshot& snapshot,
                                               int32_t id);

    // What the plug-in did to item `id` of the settings dialog through the
    // ADM Item suite since the last RunDialog began.
    static standin::ItemCallCounts ItemCalls(int32_t id) {
        return standin::CountedItemCalls(kSettingsDialog, id);
    }

    // Removes the table file, so that an encoding now leaves side 0.
    void RemoveTableFile() const;

    // The information text of item 14 of the running dialog.
    static std::string InfoText(const RunningDialog& dialog) { return dialog.Text(14); }
};

// How many pixels of `pixels` differ from a black frame around a white
// field, the preview without a symbol.
int32_t PixelsOffTheEmptyPreview(const standin::PixelImage& pixels);
