// Action playback ("Do Action") with any parameter values: the seven keys the
// plug-in records and any others, of any type, with any value, missing or set
// twice. The playback draws a whole symbol (one group at the top of the
// document) or refuses and draws nothing: no art is left half made.
#include <cstring>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_support.h"
#include "globals/plugin_state.h"
#include "shell/action_registration.h"
#include "shell/filter_run.h"
#include "standin/suites/action_manager/action_manager.h"
#include "standin/suites/document/documents.h"
#include "standin/suites/blocks_runtime/blocks_runtime.h"

namespace {

int32_t gMask = 0;
PluginGlobals gGlobals;

const ActionParamKeyID kKeys[] = {kActionKeyPlaceX,  kActionKeyPlaceY, kActionKeyLevel,
                                  kActionKeyVersion, kActionKeyMode,   kActionKeyModuleSize,
                                  kActionKeyText};

// A value of the type the key is recorded with, most of the time in range.
void SetValue(FuzzedDataProvider& in, const AIActionManagerSuite* am, AIActionParamValueRef value,
              ActionParamKeyID key) {
    const int type = in.ConsumeIntegralInRange<int>(0, 2);
    if (type == 0) {
        const bool small = in.ConsumeBool();
        am->SetInteger(value, key,
                       small ? in.ConsumeIntegralInRange<int32_t>(-2, 42) : in.ConsumeIntegral<int32_t>());
    } else if (type == 1) {
        float real;
        if (in.ConsumeBool()) {
            real = in.ConsumeFloatingPointInRange<float>(-1000.0f, 1000.0f);
        } else {
            const uint32_t bits = in.ConsumeIntegral<uint32_t>();
            std::memcpy(&real, &bits, sizeof real);
        }
        am->SetReal(value, key, real);
    } else {
        const std::string text = in.ConsumeRandomLengthString(9000);
        am->SetString(value, key, text.c_str());
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InstallFuzzEngineHost(ORVELK_FUZZ_APP_DIR, &gMask);
    RegisterStandinSuites();
    SetDefaultGlobals(&gGlobals);
    gPluginState.globals = &gGlobals;
    gPluginState.actionManager = standin::StandinActionManagerSuite();
    gPluginState.documentView = standin::StandinDocumentViewSuite();
    gPluginState.art = standin::StandinArtSuite();
    gPluginState.path = standin::StandinPathSuite();
    gPluginState.pathStyle = standin::StandinPathStyleSuite();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    standin::Document* document = standin::OpenDocument("fuzz");
    const AIActionManagerSuite* am = gPluginState.actionManager;
    AIActionParamValueRef value = nullptr;
    FUZZ_CHECK(am->NewActionParamValue(&value) == kSPNoError, "a parameter value");
    gGlobals.maskSetting = gMask = in.ConsumeIntegralInRange<int32_t>(0, 8);
    const int count = in.ConsumeIntegralInRange<int>(0, 12);
    for (int i = 0; i < count; ++i) {
        const ActionParamKeyID key = in.ConsumeIntegralInRange<int>(0, 7) < 7
                                         ? kKeys[in.ConsumeIntegralInRange<size_t>(0, 6)]
                                         : in.ConsumeIntegral<uint32_t>();
        SetValue(in, am, value, key);
    }
    AIActionDoActionMessage message = {};
    message.param = value;
    message.dialogStatus = kASFalse;
    message.userData = in.ConsumeIntegralInRange<int>(0, 9) == 0
                           ? reinterpret_cast<ActionUserData>(intptr_t{7})
                           : QRActionUserData();
    const ASErr rc = PlayQRAction(&message);
    FUZZ_CHECK(am->DeleteActionParamValue(value) == kSPNoError, "the value is deleted");

    const size_t top = document->art.children.size();
    if (rc == kSPNoError && message.userData == QRActionUserData()) {
        // One group, or nothing when the mode's filter kept nothing of the text.
        FUZZ_CHECK(top == 0 || (top == 1 && document->art.children[0]->type == kGroupArt),
                   "one group drawn");
    } else {
        FUZZ_CHECK(top == 0, "a refused playback draws nothing");
    }
    standin::CloseDocument(document);
    return 0;
}
