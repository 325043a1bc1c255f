#include "standin/suites/adm/suite_calls.h"

#include <cstring>

#include "standin/host/host_faults.h"

namespace standin {

void CopyOut(const std::string& text, char* buffer, int64_t maxLength) {
    if (buffer == nullptr || maxLength < 0) return;
    const size_t n = WholeCharacterPrefix(text, static_cast<size_t>(maxLength));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

AdmItem* LiveItem(ADMItemRef ref) {
    return CountHostCall(HostCall::kADMItem) != kSPNoError ? nullptr : FromRef(ref);
}
AdmList* LiveList(ADMListRef ref) {
    return CountHostCall(HostCall::kADMList) != kSPNoError ? nullptr : FromRef(ref);
}
AdmEntry* LiveEntry(ADMEntryRef ref) {
    return CountHostCall(HostCall::kADMList) != kSPNoError ? nullptr : FromRef(ref);
}

}  // namespace standin
