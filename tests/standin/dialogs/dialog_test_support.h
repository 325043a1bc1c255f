// What the dialog tests share: a host session with the drawing test module
// loaded and started, a way to run its dialogs with a scripted user, and the
// Orvelk module's own dialog resources.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "standin/app/host_session.h"
#include "standin/dialogs/dialog_snapshot.h"
#include "standin/host/module_resources.h"
#include "tests/standin/dialogs/drawing_module.h"

// A fresh host session for every test with the drawing module started; the
// transcript, the closed dialogs and the GDI layer cleared.
class DrawingModuleTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Runs dialog `dialogId` of the drawing module with the user's `script`.
    DrawingDialogMessage Run(int32_t dialogId, const std::string& script);

    // The snapshot of dialog `dialogId` when it last closed; fails the test
    // when there is none.
    const standin::DialogSnapshot& Closed(int32_t dialogId);

    std::unique_ptr<standin::HostSession> session_;
    standin::Plugin* plugin_ = nullptr;
};

// Dialog `id` of the built Orvelk module; none when the module was not built.
std::optional<standin::DialogResource> OrvelkDialog(int32_t id);

// A code page 932 string from UTF-8.
std::string Cp932(const std::string& utf8);
