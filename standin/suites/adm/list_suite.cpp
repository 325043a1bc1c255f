#include "standin/suites/adm/adm_suites.h"

#include "standin/suites/adm/adm_objects.h"
#include "standin/suites/adm/dialog_manager.h"
#include "standin/suites/adm/suite_calls.h"
#include "standin/host/slot_traps.h"

namespace standin {
namespace {

ADMEntryRef HOST_CALL ListInsertEntry(ADMListRef ref, int32_t index) {
    AdmList* list = LiveList(ref);
    if (list == nullptr) return nullptr;
    AdmEntry* entry = InsertEntry(list, index);
    ItemStateChanged(list->item);
    return RefOf(entry);
}

ADMEntryRef HOST_CALL ListIndexEntry(ADMListRef ref, int32_t index) {
    AdmList* list = LiveList(ref);
    if (list == nullptr || index < 0 || static_cast<size_t>(index) >= list->entries.size())
        return nullptr;
    return RefOf(list->entries[static_cast<size_t>(index)].get());
}

ADMEntryRef HOST_CALL ListGetActiveEntry(ADMListRef ref) {
    AdmList* list = LiveList(ref);
    AdmEntry* entry = list != nullptr ? ActiveEntry(list) : nullptr;
    return entry != nullptr ? RefOf(entry) : nullptr;
}

int32_t HOST_CALL ListNumberOfEntries(ADMListRef ref) {
    AdmList* list = LiveList(ref);
    return list != nullptr ? static_cast<int32_t>(list->entries.size()) : 0;
}

}  // namespace

const ADMListSuite* StandinADMListSuite() {
    static const ADMListSuite suite = [] {
        ADMListSuite s = TrappedSuite<ADMListSuite>(kADMListSuiteVersion);
        s.InsertEntry = ListInsertEntry;
        s.IndexEntry = ListIndexEntry;
        s.GetActiveEntry = ListGetActiveEntry;
        s.NumberOfEntries = ListNumberOfEntries;
        return s;
    }();
    return &suite;
}

}  // namespace standin
