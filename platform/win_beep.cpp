#include <utility>

#include "platform/beep_monitor.h"
#include "platform/win_user.h"

namespace {

struct Beeps {
    std::function<void(UINT)> listener;
    unsigned count = 0;
};

Beeps& State() {
    static Beeps* beeps = new Beeps;
    return *beeps;
}

}  // namespace

BOOL MessageBeep(UINT type) {
    Beeps& beeps = State();
    ++beeps.count;
    // The listener may replace itself; call a copy.
    if (beeps.listener) {
        const std::function<void(UINT)> listener = beeps.listener;
        listener(type);
    }
    return TRUE;
}

void SetBeepListener(std::function<void(UINT type)> listener) {
    State().listener = std::move(listener);
}

unsigned BeepCount() {
    return State().count;
}

void ResetBeepCount() {
    State().count = 0;
}
