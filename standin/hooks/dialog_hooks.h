// The stand-in's test hooks for the dialogs that plug-ins run, kept apart
// from the ADM suites as host_hooks.h is: a test's own code run inside the
// next modal dialog, and per-item counts of what the plug-in did to items
// through the ADM Item suite. The dialog manager and the ADM Item suite
// consult them; tests set and read them. Nothing here is part of the host's
// interface.
#pragma once

#include <cstdint>
#include <functional>

#include "hostapi/adm_types.h"

namespace standin {

// Has the next modal dialog call `during` once with its handle, when the
// dialog is up: after its init procedure and its first paint, before the
// scripted user's steps. A dialog that `during` itself opens does not call
// it again. An empty function takes back one not yet called.
void DuringNextModalDialog(std::function<void(ADMDialogRef)> during);

// For the dialog manager: the function set by DuringNextModalDialog, handed
// over once (empty when none is set).
std::function<void(ADMDialogRef)> TakeModalDialogHook();

// What the plug-in did to one item through the ADM Item suite since
// CountItemCalls(true).
struct ItemCallCounts {
    unsigned textWrites = 0;     // SetText
    unsigned invalidations = 0;  // Invalidate (not the redraws SetText and the like cause)
    int32_t maxTextLength = -1;  // the last SetMaxTextLength; -1 when none was made
};

// Starts counting afresh (or stops, keeping the counts).
void CountItemCalls(bool on);

// The counts of item `itemId` of the dialogs `dialogId` (their resource id).
ItemCallCounts CountedItemCalls(int32_t dialogId, int32_t itemId);

// For the ADM Item suite: counts one call on item `itemId` of a dialog
// `dialogId` while counting is on.
enum class ItemCall { kSetText, kInvalidate, kSetMaxTextLength };
void CountItemCall(ItemCall call, int32_t dialogId, int32_t itemId, int32_t value = 0);

}  // namespace standin
