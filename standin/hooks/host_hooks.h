// The stand-in's test hooks, kept apart from the suites it serves: a log of
// the host calls that plug-ins make, and the failure of the k-th call of a
// kind. The suites consult them through CountHostCall at each call that can
// fail; tests, benchmarks and commands that sweep failures set and read them.
// Nothing here is part of the host's interface.
//
// A failing call fails the way a host short of memory fails it, and changes
// nothing. A call with an error code returns that code with its results
// null; a call that has none (the ADM calls return void, a handle or a
// number) does what it does for a handle that is not alive: nothing, null,
// 0, -1 for an entry's index, an empty text or rectangle.
//
// Disposals (FreeBlock, DeleteActionParamType, DeleteActionParamValue) and
// ReleaseSuite never fail: a host that cannot take memory back has nothing
// to tell the caller. The platform's own calls have their switches in
// platform/ (file_faults.h, gdi_monitor.h), since they are the system's, not
// the host's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hostapi/host_types.h"

namespace standin {

// The host calls that can be made to fail and are logged, by kind.
enum class HostCall : int {
    kAny,            // any of those below
    kAcquireSuite,   // the basic suite's AcquireSuite; named by the suite
    kAllocateBlock,  // AllocateBlock and ReallocateBlock of the basic and Blocks suites
    kADMItem,        // every call of the ADM Item suite
    kADMList,        // every call of the ADM List and ADM Entry suites
    kActionManager,  // the Action Manager suite but its disposals, and the
                     // host's own start of a playback
    kArt,            // NewArt, SetPathStyle, SetPathClosed, SetPathSegments
    kCount,
};

// Makes the k-th use of `call` from now on (1 = the next one) fail with
// `error`; the uses before and after it succeed. With a `name`, only the
// uses of that name count towards k (a suite's name for kAcquireSuite, the
// stand-in's function for the others, as the call log gives them). 0 stops
// failing. Either way the counts of HostCallCount start again.
void FailHostCall(unsigned k, ASErr error, HostCall call = HostCall::kAny,
                  const std::string& name = std::string());

// The uses of `call` since FailHostCall was last called (or since the start).
unsigned HostCallCount(HostCall call = HostCall::kAny);

// Whether the failure set by FailHostCall has happened.
bool HostCallFailed();

// One logged host call: its kind and name, the error it was made to fail
// with (0 for none), and for an ADM Item, List or Entry call the id of the
// item it concerns (0 for none, or a handle not alive).
struct LoggedHostCall {
    HostCall call;
    std::string name;
    ASErr injected;
    int32_t item = 0;
};

// Starts logging the host calls (or stops it, keeping the log) and empties
// the log when starting.
void LogHostCalls(bool on);

// The calls logged since LogHostCalls(true).
const std::vector<LoggedHostCall>& HostCallLog();

// The names of the logged calls of `call` (kAny: of every kind), in order.
std::vector<std::string> LoggedHostCallNames(HostCall call = HostCall::kAny);

// For the host's suites: counts and logs one use of `call` named `name`
// (by default the function that calls it), about ADM item `item` if any.
// The error it is to fail with when it is the one chosen, else 0.
ASErr CountHostCall(HostCall call, const char* name = __builtin_FUNCTION(), int32_t item = 0);

}  // namespace standin
