#include "standin/suites/register_suites.h"

#include <iterator>
#include <vector>

#include "hostapi/suite_catalog.h"
#include "standin/host/slot_traps.h"
#include "standin/host/suite_registry.h"
#include "standin/suites/action_manager/action_manager.h"
#include "standin/suites/adm/adm_suites.h"
#include "standin/suites/blocks_runtime/blocks_runtime.h"
#include "standin/suites/document/documents.h"
#include "standin/suites/filter_menu/filters.h"
#include "standin/suites/user/user_suite.h"

namespace standin {
namespace {

// The record its family serves for each suite the plug-in calls, named by the
// catalog's `held` column, with its size; a suite held as Other has none.
struct FamilyRecord {
    const void* record;
    size_t size;
};
template <class Suite>
FamilyRecord Of(const Suite* record) {
    return {record, sizeof(Suite)};
}
constexpr FamilyRecord (*ServedOther)() = nullptr;
FamilyRecord ServedBlocks() { return Of(StandinBlocksSuite()); }
FamilyRecord ServedRuntime() { return Of(StandinRuntimeSuite()); }
FamilyRecord ServedDocumentView() { return Of(StandinDocumentViewSuite()); }
FamilyRecord ServedArt() { return Of(StandinArtSuite()); }
FamilyRecord ServedPath() { return Of(StandinPathSuite()); }
FamilyRecord ServedPathStyle() { return Of(StandinPathStyleSuite()); }
FamilyRecord ServedFilter() { return Of(StandinFilterSuite()); }
FamilyRecord ServedMenu() { return Of(StandinMenuSuite()); }
FamilyRecord ServedActionManager() { return Of(StandinActionManagerSuite()); }
FamilyRecord ServedUser() { return Of(StandinUserSuite()); }
FamilyRecord ServedADMDialog() { return Of(StandinADMDialogSuite()); }
FamilyRecord ServedADMItem() { return Of(StandinADMItemSuite()); }
FamilyRecord ServedADMList() { return Of(StandinADMListSuite()); }
FamilyRecord ServedADMEntry() { return Of(StandinADMEntrySuite()); }
FamilyRecord ServedADMDrawer() { return Of(StandinADMDrawerSuite()); }
FamilyRecord ServedADMBasic() { return Of(StandinADMBasicSuite()); }

struct ServedSuite {
    const char* name;
    int32_t version;
    SuiteFamily family;
    FamilyRecord (*record)();  // the family's record; null for a suite served with traps
};

#define STANDIN_SERVED_SUITE(name, version, held, family) \
    ServedSuite{name, version, SuiteFamily::k##family, Served##held},
constexpr ServedSuite kServed[] = {ORVELK_SUITE_CATALOG(STANDIN_SERVED_SUITE)};
#undef STANDIN_SERVED_SUITE

// Whether the family of every suite with a record of its own is named, and
// no suite without one names a family.
constexpr bool EveryFamilyServes() {
    for (const ServedSuite& s : kServed)
        if ((s.record != nullptr) != (s.family != SuiteFamily::kNone)) return false;
    return true;
}
static_assert(EveryFamilyServes());

}  // namespace

void RegisterHostSuites() {
    // Each record made once: a family's own followed by traps up to the
    // length of any of the host's tables, or traps alone for a suite no
    // family serves.
    static const std::vector<const void*> records = [] {
        std::vector<const void*> made;
        for (const ServedSuite& s : kServed) {
            if (s.record == nullptr) {
                made.push_back(UncalledSuite(s.name, s.version));
            } else {
                const FamilyRecord family = s.record();
                made.push_back(PaddedSuite(family.record, family.size, s.name, s.version));
            }
        }
        return made;
    }();
    for (size_t i = 0; i < std::size(kServed); ++i)
        RegisterStandinSuite(kServed[i].name, kServed[i].version, records[i]);
}

}  // namespace standin
