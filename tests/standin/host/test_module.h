// What the loading tests and their test module share.
#pragma once

#include <cstdint>

#include "hostapi/sp_basic.h"

// The module's globals record.
struct TestModuleGlobals {
    int32_t magic;     // kTestModuleMagic once started
    int32_t messages;  // messages since startup, across unloads
};
inline constexpr int32_t kTestModuleMagic = 0x4F52564B;

// "Test" / "View Centre": the module asks the host for the current view's
// centre through "AI Document View Suite" and answers with the call's result
// and the point. The variant built with TEST_MODULE_SWAPPED_SLOTS declares
// the suite with its first two slots swapped, as a plug-in built against a
// wrong layout would.
inline constexpr char kTestViewCentreSelector[] = "View Centre";
struct TestViewCentreMessage {
    SPMessageData d;
    ASErr result;
    ASRealPoint centre;
};

// "Test" / "State": the module reports what it holds.
inline constexpr char kTestCaller[] = "Test";
inline constexpr char kTestStateSelector[] = "State";
struct TestStateMessage {
    SPMessageData d;
    void* moduleGlobals;        // the module's globals pointer
    int32_t messagesSinceLoad;  // this one included; 0 at every load
    SPPluginRef self;           // the reference the message carried
    SPAccessPoint reloadWhen;   // the "when" of the Reload that loaded it; -1 for none
};
