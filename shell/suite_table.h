// The host suites the plug-in holds for the length of each message: the table
// of all 133 of them by name and version, in the order in which they are
// acquired and released, and the acquisition and release passes over it.
#pragma once

#include <array>
#include <cstdint>

#include "hostapi/sp_basic.h"

// Entries of the suite table: the suites of hostapi/suite_catalog.h.
inline constexpr int32_t kSuiteTableSize = 133;

// The suites the plug-in calls, each with its typed pointer in the plug-in
// state: X(slot, member) for SuiteSlot::k<slot> and PluginState::<member>.
// The catalog's `held` column names them by `slot`.
#define ORVELK_HELD_SUITES(X)            \
    X(Blocks, blocks)                    \
    X(Filter, filter)                    \
    X(Menu, menu)                        \
    X(ActionManager, actionManager)      \
    X(DocumentView, documentView)        \
    X(Art, art)                          \
    X(Path, path)                        \
    X(PathStyle, pathStyle)              \
    X(Runtime, runtime)                  \
    X(User, user)                        \
    X(ADMDialog, admDialog)              \
    X(ADMItem, admItem)                  \
    X(ADMList, admList)                  \
    X(ADMEntry, admEntry)                \
    X(ADMDrawer, admDrawer)              \
    X(ADMBasic, admBasic)

// Where an entry's suite pointer lives in the plug-in state: one of the typed
// pointers of the suites the plug-in calls, or an untyped slot.
#define ORVELK_SUITE_SLOT_ENUMERATOR(slot, member) k##slot,
enum class SuiteSlot : int16_t {
    kOther,  // PluginState::otherSuites[otherIndex]
    ORVELK_HELD_SUITES(ORVELK_SUITE_SLOT_ENUMERATOR)
};
#undef ORVELK_SUITE_SLOT_ENUMERATOR

struct SuiteTableEntry {
    const char* name;    // the suite's name, as the host knows it
    int32_t version;     // the exact version asked for
    SuiteSlot slot;      // the plug-in state pointer that receives the suite
    int16_t otherIndex;  // index into PluginState::otherSuites for kOther; else -1
};

// The suite table, in acquisition order: the catalog's.
extern const std::array<SuiteTableEntry, kSuiteTableSize> kSuiteTable;

// The plug-in state pointer of `entry`: the suite it holds, null while the
// suite is not acquired.
const void* SuitePointer(const SuiteTableEntry& entry);

// Stores `suite` (may be null) into the plug-in state pointer of `entry`.
void SetSuitePointer(const SuiteTableEntry& entry, const void* suite);

// The acquisition pass of a message. At depth 0 acquires every table entry in
// order through `basic`; a failed entry keeps a null pointer. A failure while
// the ADM Basic suite is held shows the alert "Error: %d, suite: %s,
// version: %d!" and stops the pass; an earlier failure is silent and the pass
// goes on. Adds 1 to the depth in any case. Returns the result of the last
// entry tried, or 0 when the depth was already above 0.
ASErr AcquireSuites(const SPBasicSuite* basic);

// The release pass of a message. At depth 1 releases, in table order, every
// entry whose pointer is set, nulling each pointer; the first failed release
// stops the pass and leaves the later pointers as they are. Subtracts 1 from
// the depth. Returns the last release's result (0 when none was made).
ASErr ReleaseSuites(const SPBasicSuite* basic);
