#include "shell/plugin_main.h"

#include "globals/plugin_state.h"
#include "hostapi/ai_action_manager.h"
#include "hostapi/ai_filter.h"
// The plug-in is built only against the host's documented layout.
#include "hostapi/layout_checks.h"
#include "shell/about_box.h"
#include "shell/error_reporter.h"
#include "shell/filter_run.h"
#include "shell/startup_shutdown.h"
#include "shell/suite_table.h"

namespace {

// The result that never reaches the error reporter besides 0 and "S!Fd".
constexpr ASErr kUnreportedResult = 1;

// "SP Access": Unload, Reload, or nothing.
ASErr DispatchAccess(const SPBasicSuite* basic, const char* selector, SPMessageData* message) {
    if (basic->IsEqual(selector, kSPAccessUnloadSelector)) return HandleUnload(message);
    if (basic->IsEqual(selector, kSPAccessReloadSelector)) return HandleReload(message);
    return kSPNoError;
}

// Every caller but "SP Access", with the suites held.
ASErr Dispatch(const SPBasicSuite* basic, const char* caller, const char* selector, void* message) {
    if (basic->IsEqual(caller, kSPInterfaceCaller)) {
        auto* head = static_cast<SPMessageData*>(message);
        if (basic->IsEqual(selector, kSPInterfaceStartupSelector)) return HandleStartup(head);
        if (basic->IsEqual(selector, kSPInterfaceAboutSelector)) return HandleAbout(head);
        if (basic->IsEqual(selector, kSPInterfaceShutdownSelector)) return HandleShutdown(head);
        return kSPNoError;
    }
    if (basic->IsEqual(caller, kAIFilterCaller)) {
        // Filter messages carry the filter's handle after the common head.
        auto* filterMessage = static_cast<AIFilterMessage*>(message);
        if (basic->IsEqual(selector, kAIFilterGetParametersSelector)) {
            return HandleGetParameters(filterMessage);
        }
        if (basic->IsEqual(selector, kAIFilterGoSelector)) return HandleGo(filterMessage);
        return kSPNoError;
    }
    if (basic->IsEqual(caller, kActionManagerCaller)) {
        if (basic->IsEqual(selector, kDoActionSelector)) {
            return HandleDoAction(static_cast<AIActionDoActionMessage*>(message));
        }
        return kSPNoError;
    }
    return kSPNoError;
}

}  // namespace

ASErr HOST_CALL PluginMain(const char* caller, const char* selector, void* message) {
    auto* head = static_cast<SPMessageData*>(message);
    if (head == nullptr || head->basic == nullptr || caller == nullptr || selector == nullptr) {
        return kSPBadParameterError;
    }
    const SPBasicSuite* basic = head->basic;
    gPluginState.basic = basic;

    if (basic->IsEqual(caller, kSPAccessCaller)) return DispatchAccess(basic, selector, head);

    ASErr result = AcquireSuites(basic);
    if (result == kSPNoError) result = Dispatch(basic, caller, selector, message);
    if (result != kSPNoError && result != kUnreportedResult && result != kSPSuiteNotFoundError) {
        ReportError(head, result);
    }
    ReleaseSuites(basic);
    return result;
}
