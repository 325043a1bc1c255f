// The traps in the slots of the suites the stand-in serves that no plug-in of
// this project calls. The host fills every slot of its tables; a plug-in
// built against another layout than the host's calls one of them thinking it
// is another. Here such a call reaches a trap, which names the suite and the
// slot on standard error and in the transcript, counts itself and returns an
// error, so that the fault shows at once instead of doing something else.
//
// A suite record is built with every slot trapped; the stand-in then sets the
// slots it implements:
//
//     AIDocumentViewSuite suite = TrappedSuite<AIDocumentViewSuite>(version);
//     suite.GetDocumentViewCenter = GetDocumentViewCenter;
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "hostapi/host_types.h"
#include "standin/host/suite_slots.h"

// What a trapped slot returns to its caller (whatever the slot's own result).
inline constexpr ASErr kStandinUnusedSlotError = MakeFourCharError("Slot");

namespace standin {

// Fills the `slotCount` slots of the suite record at `record` with traps
// naming `suiteName` at `version` and each slot's name of `slots`.
void FillWithTraps(void* record, size_t slotCount, const char* suiteName, int32_t version,
                   const SuiteSlot* slots);

// A record of `Suite` (version `version`) whose every slot is a trap.
template <class Suite>
Suite TrappedSuite(int32_t version) {
    constexpr size_t kCount = std::size(SuiteSlots<Suite>::kSlots);
    static_assert(kCount * sizeof(HostUnusedSlot) == sizeof(Suite));
    Suite suite;
    FillWithTraps(&suite, kCount, SuiteSlots<Suite>::kName, version, SuiteSlots<Suite>::kSlots);
    return suite;
}

// Slots of the record served for a suite the stand-in does not implement:
// more than any suite of the host's tables that the plug-in acquires holds.
inline constexpr size_t kUncalledSuiteSlots = 160;

// A record of kUncalledSuiteSlots traps for the suite `suiteName` at
// `version`, which the stand-in serves so that the suite can be acquired and
// released but none of its functions called. Lives as long as the process.
const void* UncalledSuite(const char* suiteName, int32_t version);

// A copy of the suite record at `record`, `recordSize` bytes (whole slots,
// at most kUncalledSuiteSlots of them), followed by traps up to
// kUncalledSuiteSlots slots, one shared trap naming `suiteName` at
// `version`. The host fills every slot of its tables, more than the slots
// the stand-in implements: a call past them reaches a trap, not whatever
// memory follows the record. Lives as long as the process.
const void* PaddedSuite(const void* record, size_t recordSize, const char* suiteName,
                        int32_t version);

// The name of the slot whose trap `slot` is ("" for a slot of a suite the
// stand-in does not implement); null when `slot` is no trap.
const char* TrapSlotName(HostUnusedSlot slot);

// How many calls reached a trap since the start or the last ResetSlotTraps.
unsigned SlotTrapCalls();

// The last trapped call, as said on standard error ("" when there was none).
const char* LastSlotTrap();

// Forgets the calls (the traps stay in place).
void ResetSlotTraps();

}  // namespace standin
