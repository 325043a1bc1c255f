// The engine host the shell installs while it holds the globals: the mask
// setting of the globals, read at every encoding, and the table file found
// under the host's folder through the Runtime suite.
#include "qr/engine_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "globals/plugin_state.h"
#include "qr/symbol_encoder.h"
#include "tests/support/fake_host.h"

namespace {

class EngineHostTest : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        SetQREngineHost(nullptr);
        InstallTableFile();
    }
    void TearDown() override {
        SetQREngineHost(nullptr);
        PluginTest::TearDown();
    }

    // The engine's result for the digits 12345, encoded inside a message as
    // the dialog and the artwork encode: here inside the About box's modal
    // run, while the suites are held.
    int32_t Encode() {
        auto m = std::make_unique<ModuleMatrix>();
        int32_t rc = 1;
        host_.duringModal = [&] { rc = EncodeQRSymbol("12345", 'M', 'N', 0, m.get()); };
        EXPECT_EQ(Send("SP Interface", "About"), kSPNoError);
        host_.duringModal = nullptr;
        return rc;
    }
};

TEST_F(EngineHostTest, NoHostBeforeStartupAndAfterShutdown) {
    EXPECT_EQ(HostFixedMask(), -1);
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    EXPECT_EQ(Encode(), kQROk);
    ASSERT_EQ(Send("SP Interface", "Shutdown"), kSPNoError);
    EXPECT_EQ(HostFixedMask(), -1);
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
}

TEST_F(EngineHostTest, TheMaskSettingIsReadFromTheGlobalsAsTheyChange) {
    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
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
    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    EXPECT_EQ(Encode(), kQROk);
    std::filesystem::remove(AppFolder() + "Prefs/Orvelk/ORVK_QR.DAT");
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
}

TEST_F(EngineHostTest, UnloadRemovesTheHostAndReloadPutsItBack) {
    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    gPluginState.globals->maskSetting = 3;
    ASSERT_EQ(Send("SP Access", "Unload"), kSPNoError);
    EXPECT_EQ(HostFixedMask(), -1);
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
    void* kept = message_.globals;
    ResetPluginState();  // the module's static state goes with it
    message_.globals = kept;
    ASSERT_EQ(Send("SP Access", "Reload"), kSPNoError);
    EXPECT_EQ(HostFixedMask(), 2);
    EXPECT_EQ(Encode(), kQROk);
}

}  // namespace
