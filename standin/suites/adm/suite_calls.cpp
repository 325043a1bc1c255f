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
    AdmItem* item = FromRef(ref);
    const int32_t id = item != nullptr ? item->id : 0;
    return CountHostCall(HostCall::kADMItem, call, id) != kSPNoError ? nullptr : item;
}
AdmList* LiveList(ADMListRef ref, const char* call) {
    AdmList* list = FromRef(ref);
    const int32_t id = list != nullptr ? list->item->id : 0;
    return CountHostCall(HostCall::kADMList, call, id) != kSPNoError ? nullptr : list;
}
AdmEntry* LiveEntry(ADMEntryRef ref, const char* call) {
    AdmEntry* entry = FromRef(ref);
    const int32_t id = entry != nullptr ? entry->list->item->id : 0;
    return CountHostCall(HostCall::kADMList, call, id) != kSPNoError ? nullptr : entry;
}

}  // namespace standin
