// A plug-in module for the loading tests. It keeps its globals record the way
// the Orvelk plug-in does: allocated through the host at startup, handed to
// the host at unload and taken back at reload, freed at shutdown. Its entry
// point is named by its PiPL ("TestPluginMain" in the good variant).
//
// Besides the host's messages it answers "Test" / "State" with a
// TestStateMessage, so that a test can see what the module holds.
#include "tests/standin/host/test_module.h"

#include <cstdint>

#include "hostapi/ai_document_view.h"
#include "hostapi/sp_basic.h"
#include "hostapi/sp_blocks.h"

namespace {

#ifdef TEST_MODULE_SWAPPED_SLOTS
// The suite as a plug-in built against a wrong layout sees it.
struct ViewSuite {
    AIGetDocumentViewCenterProc GetDocumentViewCenter;
    HostUnusedSlot GetDocumentViewBounds;
};
#else
using ViewSuite = AIDocumentViewSuite;
#endif

void AskViewCentre(const SPBasicSuite* basic, TestViewCentreMessage* m) {
    const void* suite = nullptr;
    m->result = basic->AcquireSuite(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &suite);
    if (m->result != kSPNoError) return;
    m->result = static_cast<const ViewSuite*>(suite)->GetDocumentViewCenter(nullptr, &m->centre);
    basic->ReleaseSuite(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion);
}

TestModuleGlobals* gGlobals = nullptr;
// Messages since the module was loaded: starts at 0 at every load.
int32_t gMessagesSinceLoad = 0;
// The "when" of the Reload that loaded the module, read from the whole
// SP Access record.
SPAccessPoint gReloadWhen = -1;

bool Is(const SPBasicSuite* basic, const char* a, const char* b) {
    return basic->IsEqual(a, b);
}

ASErr WithBlocks(const SPBasicSuite* basic, bool allocate) {
    const void* suite = nullptr;
    ASErr error = basic->AcquireSuite(kSPBlocksSuite, kSPBlocksSuiteVersion, &suite);
    if (error != kSPNoError) return error;
    const auto* blocks = static_cast<const SPBlocksSuite*>(suite);
    if (allocate) {
        void* block = nullptr;
        error = blocks->AllocateBlock(sizeof(TestModuleGlobals), "globals", &block);
        if (error == kSPNoError) {
            gGlobals = static_cast<TestModuleGlobals*>(block);
            gGlobals->magic = kTestModuleMagic;
            gGlobals->messages = 0;
        }
    } else {
        error = blocks->FreeBlock(gGlobals);
        gGlobals = nullptr;
    }
    basic->ReleaseSuite(kSPBlocksSuite, kSPBlocksSuiteVersion);
    return error;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) ASErr TEST_MODULE_ENTRY(const char* caller,
                                                                          const char* selector,
                                                                          void* message) {
    auto* m = static_cast<SPMessageData*>(message);
    const SPBasicSuite* basic = m->basic;
    ++gMessagesSinceLoad;
    if (gGlobals != nullptr) ++gGlobals->messages;
    if (Is(basic, caller, kSPAccessCaller)) {
        if (Is(basic, selector, kSPAccessUnloadSelector)) m->globals = gGlobals;
        if (Is(basic, selector, kSPAccessReloadSelector)) {
            gGlobals = static_cast<TestModuleGlobals*>(m->globals);
            gReloadWhen = static_cast<SPAccessMessage*>(message)->when;
        }
        return kSPNoError;
    }
    if (Is(basic, caller, kSPInterfaceCaller)) {
        if (Is(basic, selector, kSPInterfaceStartupSelector)) return WithBlocks(basic, true);
        if (Is(basic, selector, kSPInterfaceShutdownSelector)) {
            m->globals = nullptr;
            return WithBlocks(basic, false);
        }
        return kSPNoError;
    }
    if (Is(basic, caller, kTestCaller) && Is(basic, selector, kTestViewCentreSelector)) {
        AskViewCentre(basic, static_cast<TestViewCentreMessage*>(message));
        return kSPNoError;
    }
    if (Is(basic, caller, kTestCaller) && Is(basic, selector, kTestStateSelector)) {
        auto* state = static_cast<TestStateMessage*>(message);
        state->moduleGlobals = gGlobals;
        state->messagesSinceLoad = gMessagesSinceLoad;
        state->self = m->self;
        state->reloadWhen = gReloadWhen;
        return kSPNoError;
    }
    return kSPNoError;
}
