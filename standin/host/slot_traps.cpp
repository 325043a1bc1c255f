#include "standin/host/slot_traps.h"

#include <array>
#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "standin/host/host_transcript.h"

namespace standin {
namespace {

// Every slot that holds a trap has a function of its own, so that the trap
// knows which slot was called: one of a pool, handed out as suites are built.
// The suites the stand-in implements hold fewer slots than the pool, beside
// one trap for each suite it serves without implementing it.
constexpr size_t kTrapPoolSize = 640;

// The index of a slot that the trap does not know: every slot of a suite the
// stand-in does not implement shares one trap.
constexpr size_t kAnySlot = static_cast<size_t>(-1);

struct TrapSite {
    const char* suite;
    int32_t version;
    const char* slot;
    size_t index;
};

struct TrapState {
    std::vector<TrapSite> sites;  // by trap number
    unsigned calls = 0;
    std::string last;
};

TrapState& State() {
    static TrapState state;
    return state;
}

ASErr Fire(size_t number) {
    TrapState& state = State();
    assert(number < state.sites.size());
    const TrapSite& site = state.sites[number];
    ++state.calls;
    const std::string slot = site.index == kAnySlot
                                 ? std::string("a slot")
                                 : "slot " + std::to_string(site.index) + " (" + site.slot + ")";
    state.last = "the plug-in called " + slot + " of \"" + site.suite + "\" version " +
                 std::to_string(site.version) +
                 ", which no call of its interface reaches: it was built against another "
                 "layout of the suite";
    std::fprintf(stderr, "orvelk: %s\n", state.last.c_str());
    AddHostNote("", state.last);
    return kStandinUnusedSlotError;
}

template <size_t N>
ASErr HOST_CALL TrapNumber() {
    return Fire(N);
}

template <size_t... N>
constexpr std::array<HostUnusedSlot, sizeof...(N)> MakePool(std::index_sequence<N...>) {
    // Each trap is called through the slot's own type; cdecl leaves the
    // arguments to the caller, so a trap may ignore them.
    return {reinterpret_cast<HostUnusedSlot>(&TrapNumber<N>)...};
}

const std::array<HostUnusedSlot, kTrapPoolSize>& Pool() {
    static const auto pool = MakePool(std::make_index_sequence<kTrapPoolSize>());
    return pool;
}

// The next trap of the pool, for `site`.
HostUnusedSlot NewTrap(const TrapSite& site) {
    TrapState& state = State();
    if (state.sites.size() == kTrapPoolSize) {
        std::fprintf(stderr, "orvelk: internal error: more trapped slots than %zu\n",
                     kTrapPoolSize);
        std::abort();
    }
    state.sites.push_back(site);
    return Pool()[state.sites.size() - 1];
}

}  // namespace

void FillWithTraps(void* record, size_t slotCount, const char* suiteName, int32_t version,
                   const SuiteSlot* slots) {
    auto* out = static_cast<unsigned char*>(record);
    for (size_t i = 0; i < slotCount; ++i) {
        const HostUnusedSlot trap =
            NewTrap(TrapSite{suiteName, version, slots[i].name, slots[i].index});
        std::memcpy(out + i * sizeof trap, &trap, sizeof trap);
    }
}

namespace {

using FullRecord = std::array<HostUnusedSlot, kUncalledSuiteSlots>;

// A new record whose every slot is one trap naming `suiteName`.
FullRecord& NewTrappedRecord(const char* suiteName, int32_t version) {
    static std::deque<FullRecord> records;  // never moved, never freed
    FullRecord& record = records.emplace_back();
    record.fill(NewTrap(TrapSite{suiteName, version, "", kAnySlot}));
    return record;
}

}  // namespace

const void* UncalledSuite(const char* suiteName, int32_t version) {
    return NewTrappedRecord(suiteName, version).data();
}

const void* PaddedSuite(const void* record, size_t recordSize, const char* suiteName,
                        int32_t version) {
    assert(recordSize % sizeof(HostUnusedSlot) == 0 &&
           recordSize <= kUncalledSuiteSlots * sizeof(HostUnusedSlot));
    FullRecord& padded = NewTrappedRecord(suiteName, version);
    std::memcpy(padded.data(), record, recordSize);
    return padded.data();
}

const char* TrapSlotName(HostUnusedSlot slot) {
    const TrapState& state = State();
    for (size_t i = 0; i < state.sites.size(); ++i)
        if (Pool()[i] == slot) return state.sites[i].slot;
    return nullptr;
}

unsigned SlotTrapCalls() {
    return State().calls;
}

const char* LastSlotTrap() {
    return State().last.c_str();
}

void ResetSlotTraps() {
    State().calls = 0;
    State().last.clear();
}

}  // namespace standin
