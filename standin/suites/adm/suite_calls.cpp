#include "standin/suites/adm/suite_calls.h"

#include <cstring>

#include "standin/hooks/host_hooks.h"

namespace standin {

void CopyOut(const std::string& text, char* buffer, int64_t maxLength) {
    if (buffer == nullptr || maxLength < 0) return;
    const size_t n = WholeCharacterPrefix(text, static_cast<size_t>(maxLength));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

AdmItem* LiveItem(ADMItemRef ref, const char* call) {
    return CountHostCall(HostCall::kADMItem, call) != kSPNoError ? nullptr : FromRef(ref);
}
AdmList* LiveList(ADMListRef ref, const char* call) {
    return CountHostCall(HostCall::kADMList, call) != kSPNoError ? nullptr : FromRef(ref);
}
AdmEntry* LiveEntry(ADMEntryRef ref, const char* call) {
    return CountHostCall(HostCall::kADMList, call) != kSPNoError ? nullptr : FromRef(ref);
}

}  // namespace standin
