#include "standin/host/host_faults.h"

#include <cassert>

#include "hostapi/sp_basic.h"

namespace standin {
namespace {

constexpr int kKinds = static_cast<int>(HostCall::kCount);

// The failure switch and the counts since it was set.
struct HostCallFailure {
    unsigned k = 0;  // 0: none fails
    ASErr error = kSPNoError;
    HostCall call = HostCall::kAny;
    bool failed = false;
    unsigned counts[kKinds] = {};  // by HostCall
};

HostCallFailure& Failure() {
    static HostCallFailure failure;
    return failure;
}

}  // namespace

void FailHostCall(unsigned k, ASErr error, HostCall call) {
    assert(call != HostCall::kCount);
    // A failure without an error would not fail.
    assert(k == 0 || error != kSPNoError);
    Failure() = HostCallFailure{k, error, call, false, {}};
}

unsigned HostCallCount(HostCall call) {
    assert(call != HostCall::kCount);
    return Failure().counts[static_cast<int>(call)];
}

bool HostCallFailed() {
    return Failure().failed;
}

ASErr CountHostCall(HostCall call) {
    assert(call != HostCall::kAny && call != HostCall::kCount);
    HostCallFailure& f = Failure();
    const unsigned any = ++f.counts[static_cast<int>(HostCall::kAny)];
    const unsigned own = ++f.counts[static_cast<int>(call)];
    if (f.k == 0) return kSPNoError;
    const unsigned counted = f.call == HostCall::kAny ? any : f.call == call ? own : 0;
    if (counted != f.k) return kSPNoError;
    f.failed = true;
    return f.error;
}

}  // namespace standin
