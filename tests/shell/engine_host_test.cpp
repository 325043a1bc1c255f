// The engine host the shell installs while it holds the globals: the mask
// setting of the globals, read at every encoding, and the table file found
// under the host's folder through the Runtime suite.
#include "qr/engine_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "globals/plugin_state.h"
#include "qr/symbol_encoder.h"
#include "standin/hooks/dialog_hooks.h"
#include "tests/support/standin_plugin_test.h"

namespace {

class EngineHostTest : public StandinPluginTest {
  protected:
    EngineHostTest() { startPlugin_ = false; }

    void SetUp() override {
        StandinPluginTest::SetUp();
        SetQREngineHost(nullptr);
    }
    void TearDown() override {
        SetQREngineHost(nullptr);
        StandinPluginTest::TearDown();
    }

    // The engine's result for the digits 12345, encoded inside a message as
    // the dialog and the artwork encode: here inside the About box's modal
    // run, while the suites are held.
    int32_t Encode() {
        int32_t rc = 1;
        standin::DuringNextModalDialog([&rc](ADMDialogRef) { rc = EncodeDigits(); });
        EXPECT_EQ(standin::AboutPlugin(plugin_), kSPNoError);
        standin::DuringNextModalDialog(nullptr);
        return rc;
    }
    // The same outside any message, where the host sends the plug-in
    // nothing: after its shutdown, and while it is unloaded (a message would
    // reload it first).
    static int32_t EncodeDigits() {
        auto m = std::make_unique<ModuleMatrix>();
        return EncodeQRSymbol("12345", 'M', 'N', 0, m.get());
    }
};

TEST_F(EngineHostTest, NoHostBeforeStartupAndAfterShutdown) {
    EXPECT_EQ(HostFixedMask(), -1);
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
    ASSERT_EQ(standin::StartupPlugin(plugin_), kSPNoError);
    EXPECT_EQ(Encode(), kQROk);
    ASSERT_EQ(standin::ShutdownPlugin(plugin_), kSPNoError);
    EXPECT_EQ(HostFixedMask(), -1);
    EXPECT_EQ(EncodeDigits(), kQRTableFileDamaged);
}

TEST_F(EngineHostTest, TheMaskSettingIsReadFromTheGlobalsAsTheyChange) {
    ASSERT_EQ(standin::StartupPlugin(plugin_), kSPNoError);
    PluginGlobals* globals = gPluginState.globals;
    ASSERT_NE(globals, nullptr);
    EXPECT_EQ(HostFixedMask(), -1);
    globals->maskSetting = 8;
    EXPECT_EQ(HostFixedMask(), 7);
    globals->maskSetting = 1;
    EXPECT_EQ(HostFixedMask(), 0);
    // Outside the setting's range: automatic.
    globals->maskSetting = 9;
    EXPECT_EQ(HostFixedMask(), -1);
    globals->maskSetting = -1;
    EXPECT_EQ(HostFixedMask(), -1);
}

TEST_F(EngineHostTest, TheFolderIsLookedUpAtEveryEncoding) {
    ASSERT_EQ(standin::StartupPlugin(plugin_), kSPNoError);
    EXPECT_EQ(Encode(), kQROk);
    std::filesystem::remove(AppFolder() + "Prefs/Orvelk/ORVK_QR.DAT");
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
}

TEST_F(EngineHostTest, UnloadRemovesTheHostAndReloadPutsItBack) {
    ASSERT_EQ(standin::StartupPlugin(plugin_), kSPNoError);
    gPluginState.globals->maskSetting = 3;
    ASSERT_EQ(standin::UnloadPlugin(plugin_), kSPNoError);
    EXPECT_EQ(HostFixedMask(), -1);
    EXPECT_EQ(EncodeDigits(), kQRTableFileDamaged);
    ResetPluginState();  // the module's static state goes with it
    ASSERT_EQ(standin::ReloadPlugin(plugin_), kSPNoError);
    EXPECT_EQ(HostFixedMask(), 2);
    EXPECT_EQ(Encode(), kQROk);
}

}  // namespace
