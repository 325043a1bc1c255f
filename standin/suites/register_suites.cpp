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
// catalog's `held` column; a suite held as Other has none.
constexpr const void* (*ServedOther)() = nullptr;
const void* ServedBlocks() { return StandinBlocksSuite(); }
const void* ServedRuntime() { return StandinRuntimeSuite(); }
const void* ServedDocumentView() { return StandinDocumentViewSuite(); }
const void* ServedArt() { return StandinArtSuite(); }
const void* ServedPath() { return StandinPathSuite(); }
const void* ServedPathStyle() { return StandinPathStyleSuite(); }
const void* ServedFilter() { return StandinFilterSuite(); }
const void* ServedMenu() { return StandinMenuSuite(); }
const void* ServedActionManager() { return StandinActionManagerSuite(); }
const void* ServedUser() { return StandinUserSuite(); }
const void* ServedADMDialog() { return StandinADMDialogSuite(); }
const void* ServedADMItem() { return StandinADMItemSuite(); }
const void* ServedADMList() { return StandinADMListSuite(); }
const void* ServedADMEntry() { return StandinADMEntrySuite(); }
const void* ServedADMDrawer() { return StandinADMDrawerSuite(); }
const void* ServedADMBasic() { return StandinADMBasicSuite(); }

struct ServedSuite {
    const char* name;
    int32_t version;
    SuiteFamily family;
    const void* (*record)();  // the family's record; null for a suite served with traps
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
    // A record of traps for each suite no family serves, each made once.
    static const std::vector<const void*> records = [] {
        std::vector<const void*> made;
        for (const ServedSuite& s : kServed)
            made.push_back(s.record != nullptr ? s.record() : UncalledSuite(s.name, s.version));
        return made;
    }();
    for (size_t i = 0; i < std::size(kServed); ++i)
        RegisterStandinSuite(kServed[i].name, kServed[i].version, records[i]);
}

}  // namespace standin
