// The host suites the plug-in holds for the length of each message: the table
// of all 133 of them by name and version, in the order in which they are
// acquired and released, and the acquisition and release passes over it.
#pragma once

#include <cstdint>

#include "hostapi/sp_basic.h"

// Entries of the suite table.
inline constexpr int32_t kSuiteTableSize = 133;

// Where an entry's suite pointer lives in the plug-in state: one of the typed
// pointers of the suites the plug-in calls, or an untyped slot.
enum class SuiteSlot : int16_t {
    kOther,  // PluginState::otherSuites[otherIndex]
    kBlocks,
    kFilter,
    kMenu,
    kActionManager,
    kDocumentView,
    kArt,
    kPath,
    kPathStyle,
    kRuntime,
    kUser,
    kADMDialog,
    kADMItem,
    kADMList,
    kADMEntry,
    kADMDrawer,
    kADMBasic,
};

struct SuiteTableEntry {
    const char* name;    // the suite's name, as the host knows it
    int32_t version;     // the exact version asked for
    SuiteSlot slot;      // the plug-in state pointer that receives the suite
    int16_t otherIndex;  // index into PluginState::otherSuites for kOther; else -1
};

// The suite table, in acquisition order.
extern const SuiteTableEntry kSuiteTable[kSuiteTableSize];

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
