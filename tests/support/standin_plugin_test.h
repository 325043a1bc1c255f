// The plug-in's own code run as a plug-in of the stand-in host.
#pragma once

#include "hostapi/sp_basic.h"
#include "standin/host/plugins.h"
#include "tests/support/standin_host_test.h"

// The plug-in's own code (PluginMain, linked into the test program) as a
// plug-in of the session with the built module's resources, started in the
// test's folder with the table file laid out, as the host starts it. The
// scripted user (standin/dialogs/user_script.h) runs its dialogs; one the
// script leaves open gets its default button pressed.
class StandinPluginTest : public StandinHostTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Sends `caller` / `selector` to the plug-in with `message`, a record
    // that begins with SPMessageData, whose head the host fills.
    ASErr Send(const char* caller, const char* selector, SPMessageData* message);

    standin::Plugin* plugin_ = nullptr;
};
