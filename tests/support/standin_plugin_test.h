// The plug-in's own code run as a plug-in of the stand-in host.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "hostapi/sp_basic.h"
#include "standin/dialogs/dialog_snapshot.h"
#include "standin/dialogs/user_script.h"
#include "standin/host/plugins.h"
#include "standin/suites/adm/adm_objects.h"
#include "tests/support/standin_host_test.h"

// A modal dialog of the plug-in while it is up, as a test acts in it from
// StandinPluginTest::DuringNextDialog: the scripted user's steps, each
// followed by the paint the host makes after it, and the items' state.
class RunningDialog {
  public:
    explicit RunningDialog(ADMDialogRef dialog);

    // Chooses entry `index` of popup `item`; types `text` (code page 932)
    // into edit text `item`; presses `item`. A step that does not fit the
    // dialog fails the test.
    void Choose(int32_t item, int32_t index);
    void Type(int32_t item, const std::string& text);
    void Press(int32_t item);

    // Item `id`, which the test may read and change as the host would; a
    // missing one fails the test and aborts.
    standin::AdmItem& Item(int32_t id) const;
    // Item `id`'s text.
    std::string Text(int32_t id) const { return Item(id).text; }
    // The dialog as it stands.
    standin::DialogSnapshot Snapshot() const;
    // The dialog's handle.
    ADMDialogRef Ref() const { return ref_; }

  private:
    void Play(const standin::UserStep& step);

    ADMDialogRef ref_;
};

// The plug-in's own code (PluginMain, linked into the test program) as a
// plug-in of the session with the built module's resources, started in the
// test's folder with the table file laid out, as the host starts it (unless
// the fixture clears startPlugin_ before SetUp). The scripted user
// (standin/dialogs/user_script.h) runs its dialogs; one the script leaves
// open gets its default button pressed.
class StandinPluginTest : public StandinHostTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Sends `caller` / `selector` to the plug-in with `message`, a record
    // that begins with SPMessageData, whose head the host fills.
    ASErr Send(const char* caller, const char* selector, SPMessageData* message);

    // Runs `user` inside the next modal dialog, once it is up, before the
    // scripted user's steps.
    static void DuringNextDialog(std::function<void(RunningDialog&)> user);

    standin::Plugin* plugin_ = nullptr;
    bool startPlugin_ = true;
};

// The dialogs shown in the transcript, by resource id, in order.
std::vector<int32_t> ShownDialogIds();
