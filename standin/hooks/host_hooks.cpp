#include "standin/hooks/host_hooks.h"

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
    std::string name;  // empty: any name
    bool failed = false;
    unsigned counts[kKinds] = {};  // by HostCall
    unsigned named = 0;            // the uses of `call` named `name`
};

HostCallFailure& Failure() {
    static HostCallFailure failure;
    return failure;
}

struct CallLog {
    bool on = false;
    std::vector<LoggedHostCall> calls;
};

CallLog& Log() {
    static CallLog log;
    return log;
}

}  // namespace

void FailHostCall(unsigned k, ASErr error, HostCall call, const std::string& name) {
    assert(call != HostCall::kCount);
    // A failure without an error would not fail.
    assert(k == 0 || error != kSPNoError);
    Failure() = HostCallFailure{k, error, call, name, false, {}, 0};
}

unsigned HostCallCount(HostCall call) {
    assert(call != HostCall::kCount);
    return Failure().counts[static_cast<int>(call)];
}

bool HostCallFailed() {
    return Failure().failed;
}

void LogHostCalls(bool on) {
    CallLog& log = Log();
    if (on) log.calls.clear();
    log.on = on;
}

const std::vector<LoggedHostCall>& HostCallLog() {
    return Log().calls;
}

std::vector<std::string> LoggedHostCallNames(HostCall call) {
    std::vector<std::string> names;
    for (const LoggedHostCall& c : Log().calls)
        if (call == HostCall::kAny || c.call == call) names.push_back(c.name);
    return names;
}

ASErr CountHostCall(HostCall call, const char* name, int32_t item) {
    assert(call != HostCall::kAny && call != HostCall::kCount);
    HostCallFailure& f = Failure();
    const unsigned any = ++f.counts[static_cast<int>(HostCall::kAny)];
    const unsigned own = ++f.counts[static_cast<int>(call)];
    ASErr injected = kSPNoError;
    if (f.k != 0) {
        const bool kind = f.call == HostCall::kAny || f.call == call;
        unsigned counted = f.call == HostCall::kAny ? any : own;
        if (kind && !f.name.empty()) counted = name != nullptr && f.name == name ? ++f.named : 0;
        if (kind && counted == f.k) {
            f.failed = true;
            injected = f.error;
        }
    }
    CallLog& log = Log();
    if (log.on) log.calls.push_back({call, name != nullptr ? name : "", injected, item});
    return injected;
}

}  // namespace standin
