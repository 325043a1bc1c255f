// Fault injection of the host's own calls, for tests: the k-th use of a call
// fails with an error the test chooses, the way a host short of memory fails
// it, and changes nothing. A call with an error code returns that code with
// its results null; a call that has none (the ADM calls return void, a
// handle or a number) does what it does for a handle that is not alive:
// nothing, null, 0, -1 for an entry's index, an empty text or rectangle.
//
// Disposals (FreeBlock, DeleteActionParamType, DeleteActionParamValue) and
// ReleaseSuite never fail: a host that cannot take memory back has nothing
// to tell the caller. The art calls have their own switch (FailArtCall in
// documents.h), the platform's file calls theirs (platform/file_faults.h).
#pragma once

#include "hostapi/host_types.h"

namespace standin {

// The host calls that can be made to fail, by kind.
enum class HostCall : int {
    kAny,            // any of those below
    kAcquireSuite,   // the basic suite's AcquireSuite
    kAllocateBlock,  // AllocateBlock and ReallocateBlock of the basic and Blocks suites
    kADMItem,        // every call of the ADM Item suite
    kADMList,        // every call of the ADM List and ADM Entry suites
    kActionManager,  // the Action Manager suite but its disposals, and the
                     // host's own start of a playback
    kCount,
};

// Makes the k-th use of `call` from now on (1 = the next one) fail with
// `error`; the uses before and after it succeed. 0 stops failing. Either way
// the counts of HostCallCount start again.
void FailHostCall(unsigned k, ASErr error, HostCall call = HostCall::kAny);

// The uses of `call` since FailHostCall was last called (or since the start).
unsigned HostCallCount(HostCall call = HostCall::kAny);

// Whether the failure set by FailHostCall has happened.
bool HostCallFailed();

// For the host's suites: counts one use of `call`. The error it is to fail
// with when it is the one chosen, else 0.
ASErr CountHostCall(HostCall call);

}  // namespace standin
