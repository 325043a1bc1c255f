#include "standin/suites/adm/adm_suites.h"

#include <optional>
#include <string>
#include <utility>

#include "standin/suites/adm/suite_calls.h"
#include "standin/host/host_errors.h"
#include "standin/host/host_transcript.h"
#include "standin/host/plugins.h"
#include "standin/host/slot_traps.h"

namespace standin {
namespace {

void HOST_CALL BasicMessageAlert(const char* message) {
    TranscriptEntry entry;
    entry.kind = TranscriptEntry::Kind::kAlert;
    entry.text = message != nullptr ? message : "";
    AddTranscriptEntry(std::move(entry));
}

ASErr HOST_CALL BasicGetIndexString(SPPluginRef self, ASInt32 stringID, ASInt32 index, char* text,
                                    ASInt32 maxLength) {
    // The length counts the NUL.
    if (text == nullptr || maxLength <= 0) return kSPBadParameterError;
    text[0] = '\0';
    Plugin* plugin = FindPlugin(self);
    if (plugin == nullptr) return kSPBadParameterError;
    // String ids are 16 bits.
    const int64_t id = static_cast<int64_t>(stringID) + index;
    if (id < 0 || id > 0xFFFF) return kStandinNoSuchStringError;
    const std::optional<std::string> string = plugin->resources->String(static_cast<int32_t>(id));
    if (!string || string->empty()) return kStandinNoSuchStringError;
    CopyOut(*string, text, static_cast<int64_t>(maxLength) - 1);
    return kSPNoError;
}

}  // namespace

const ADMBasicSuite* StandinADMBasicSuite() {
    static const ADMBasicSuite suite = [] {
        ADMBasicSuite s = TrappedSuite<ADMBasicSuite>(kADMBasicSuiteVersion);
        s.GetIndexString = BasicGetIndexString;
        s.MessageAlert = BasicMessageAlert;
        return s;
    }();
    return &suite;
}

}  // namespace standin
