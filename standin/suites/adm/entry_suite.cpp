#include "standin/suites/adm/adm_suites.h"

#include "standin/suites/adm/adm_objects.h"
#include "standin/suites/adm/dialog_manager.h"
#include "standin/suites/adm/suite_calls.h"
#include "standin/host/slot_traps.h"

namespace standin {
namespace {

int32_t HOST_CALL EntryGetIndex(ADMEntryRef ref) {
    AdmEntry* entry = LiveEntry(ref);
    return entry != nullptr ? EntryIndex(entry) : -1;
}

void HOST_CALL EntrySelect(ADMEntryRef ref, ASBoolean select) {
    if (AdmEntry* entry = LiveEntry(ref)) {
        SelectEntry(entry, select != 0);
        ItemStateChanged(entry->list->item);
    }
}

ASBoolean HOST_CALL EntryIsSelected(ADMEntryRef ref) {
    AdmEntry* entry = LiveEntry(ref);
    return entry != nullptr && entry->selected ? kASTrue : kASFalse;
}

void HOST_CALL EntrySetText(ADMEntryRef ref, const char* text) {
    if (AdmEntry* entry = LiveEntry(ref)) {
        entry->text = text != nullptr ? text : "";
        ItemStateChanged(entry->list->item);
    }
}

void HOST_CALL EntryEnable(ADMEntryRef ref, ASBoolean enable) {
    if (AdmEntry* entry = LiveEntry(ref)) {
        entry->enabled = enable != 0;
        ItemStateChanged(entry->list->item);
    }
}

void HOST_CALL EntryMakeSeparator(ADMEntryRef ref, ASBoolean separator) {
    if (AdmEntry* entry = LiveEntry(ref)) {
        entry->separator = separator != 0;
        ItemStateChanged(entry->list->item);
    }
}

}  // namespace

const ADMEntrySuite* StandinADMEntrySuite() {
    static const ADMEntrySuite suite = [] {
        ADMEntrySuite s = TrappedSuite<ADMEntrySuite>(kADMEntrySuiteVersion);
        s.GetIndex = EntryGetIndex;
        s.Select = EntrySelect;
        s.IsSelected = EntryIsSelected;
        s.Enable = EntryEnable;
        s.MakeSeparator = EntryMakeSeparator;
        s.SetText = EntrySetText;
        return s;
    }();
    return &suite;
}

}  // namespace standin
