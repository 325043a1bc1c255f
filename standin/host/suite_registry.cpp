#include "standin/host/suite_registry.h"

#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

#include "standin/hooks/host_hooks.h"
#include "standin/host/host_transcript.h"
#include "standin/host/host_blocks.h"
#include "standin/host/slot_traps.h"
// The stand-in serves only the host's documented layout.
#include "hostapi/layout_checks.h"

namespace {

struct SuiteEntry {
    std::string name;
    int32_t version;
    const void* suite;
    int32_t useCount;
};

// The entries, which never move, and an index of them by name: every
// message of a plug-in acquires and releases each of its suites, so a
// lookup must not walk the whole list.
struct Registry {
    std::deque<SuiteEntry> entries;
    std::unordered_multimap<std::string_view, SuiteEntry*> byName;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

std::deque<SuiteEntry>& Entries() {
    return TheRegistry().entries;
}

SuiteEntry* Find(const char* name, int32_t version) {
    if (name == nullptr) return nullptr;
    const auto [first, last] = TheRegistry().byName.equal_range(std::string_view(name));
    for (auto it = first; it != last; ++it)
        if (it->second->version == version) return it->second;
    return nullptr;
}

SuiteEntry& FindOrAdd(const char* name, int32_t version) {
    if (SuiteEntry* e = Find(name, version)) return *e;
    Registry& registry = TheRegistry();
    SuiteEntry& added =
        registry.entries.emplace_back(SuiteEntry{name, version, nullptr, 0});
    registry.byName.emplace(std::string_view(added.name), &added);
    return added;
}

ASErr HOST_CALL BasicAcquireSuite(const char* name, ASInt32 version, const void** suite) {
    if (const ASErr injected = standin::CountHostCall(standin::HostCall::kAcquireSuite, name)) {
        if (suite != nullptr) *suite = nullptr;
        return injected;
    }
    return AcquireStandinSuite(name, version, suite);
}

ASErr HOST_CALL BasicReleaseSuite(const char* name, ASInt32 version) {
    return ReleaseStandinSuite(name, version);
}

ASBoolean HOST_CALL BasicIsEqual(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) return a == b ? kASTrue : kASFalse;
    return std::strcmp(a, b) == 0 ? kASTrue : kASFalse;
}

ASErr HOST_CALL BasicAllocateBlock(ASInt32 size, void** block) {
    if (size < 0) {
        if (block != nullptr) *block = nullptr;
        return kSPBadParameterError;
    }
    return AllocateCountedBlock(static_cast<size_t>(size), block);
}

ASErr HOST_CALL BasicFreeBlock(void* block) {
    return FreeHostBlock(block);
}

ASErr HOST_CALL BasicReallocateBlock(void* block, ASInt32 newSize, void** newBlock) {
    if (newSize < 0) {
        if (newBlock != nullptr) *newBlock = nullptr;
        return kSPBadParameterError;
    }
    return ReallocateCountedBlock(block, static_cast<size_t>(newSize), newBlock);
}

constexpr SPBasicSuite kBasicSuite = {
    .AcquireSuite = BasicAcquireSuite,
    .ReleaseSuite = BasicReleaseSuite,
    .IsEqual = BasicIsEqual,
    .AllocateBlock = BasicAllocateBlock,
    .FreeBlock = BasicFreeBlock,
    .ReallocateBlock = BasicReallocateBlock,
};

}  // namespace

void RegisterStandinSuite(const char* name, int32_t version, const void* suite) {
    if (name == nullptr) return;
    FindOrAdd(name, version).suite = suite;
}

ASErr AcquireStandinSuite(const char* name, int32_t version, const void** suite) {
    if (suite == nullptr) return kSPBadParameterError;
    *suite = nullptr;
    SuiteEntry* e = Find(name, version);
    if (e == nullptr) return kSPSuiteNotFoundError;
    if (e->suite == nullptr) return kSPSuiteNotFoundError;
    ++e->useCount;
    *suite = e->suite;
    return kSPNoError;
}

ASErr ReleaseStandinSuite(const char* name, int32_t version) {
    SuiteEntry* e = Find(name, version);
    if (e == nullptr || e->suite == nullptr) return kSPSuiteNotFoundError;
    if (e->useCount == 0) {
        standin::AddHostNote("", std::string("a plug-in released \"") + name +
                            "\", which it did not hold; the release was refused");
        return kSPBadParameterError;
    }
    --e->useCount;
    return kSPNoError;
}

int32_t StandinSuiteUseCount(const char* name, int32_t version) {
    const SuiteEntry* e = Find(name, version);
    return e == nullptr ? 0 : e->useCount;
}

int32_t StandinSuitesInUse() {
    int32_t inUse = 0;
    for (const SuiteEntry& e : Entries()) inUse += e.useCount;
    return inUse;
}

void ResetStandinSuiteUse() {
    for (SuiteEntry& e : Entries()) e.useCount = 0;
}

const SPBasicSuite* StandinBasicSuite() {
    // The host's table (version 4) has a slot more than the stand-in
    // implements.
    static const auto* padded = static_cast<const SPBasicSuite*>(
        standin::PaddedSuite(&kBasicSuite, sizeof kBasicSuite, "SP Basic Suite", 4));
    return padded;
}
