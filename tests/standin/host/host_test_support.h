// What the stand-in host's tests share: a fixture that runs each test in a
// fresh host session, plug-ins inside the test process whose messages go to a
// function of the test, suite acquisition as a plug-in does it, and a folder
// of test modules.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hostapi/sp_basic.h"
#include "standin/app/host_session.h"
#include "standin/host/module_resources.h"
#include "standin/host/plugins.h"
#include "standin/host/suite_registry.h"

// Handles one message of a test plug-in.
using MessageHandler =
    std::function<ASErr(const std::string& caller, const std::string& selector, void* message)>;

// A fresh host session for every test, ended and forgotten afterwards, with
// the suite counts and failure switches cleared and the transcript emptied.
class HostTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a plug-in inside the test process with `resources` whose messages
    // `handler` answers. Not started.
    standin::Plugin* AddTestPlugin(const std::string& name,
                                   std::unique_ptr<standin::MemoryModuleResources> resources,
                                   MessageHandler handler);

    std::unique_ptr<standin::HostSession> session_;
};

// Acquires `name` at `version` through the stand-in's basic suite, as a
// plug-in does; null on failure.
template <typename Suite>
const Suite* AcquireSuite(const char* name, int32_t version) {
    const void* suite = nullptr;
    if (StandinBasicSuite()->AcquireSuite(name, version, &suite) != kSPNoError) return nullptr;
    return static_cast<const Suite*>(suite);
}

// The host's notes in the transcript, as "PLUGIN: TEXT" (or "TEXT").
std::vector<std::string> TranscriptNotes();

// A new, empty folder for the test: the test's temporary folder and `name`.
std::string FreshFolder(const std::string& name);

// Copies test module `variant` ("good", "wrong_kind", ...) into `folder` as
// `fileName`.
void CopyTestModule(const std::string& variant, const std::string& folder,
                    const std::string& fileName);

// A code page 932 string from UTF-8, for the tests' Japanese texts.
std::string Cp932(const std::string& utf8);
