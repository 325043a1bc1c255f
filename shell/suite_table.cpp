#include "shell/suite_table.h"

#include <cassert>
#include <cstdio>
#include <iterator>

#include "globals/plugin_state.h"
#include "hostapi/suite_catalog.h"

namespace {

// The catalog's rows as table entries, every otherIndex still -1.
#define ORVELK_SUITE_TABLE_ROW(name, version, held, family) \
    SuiteTableEntry{name, version, SuiteSlot::k##held, -1},
constexpr SuiteTableEntry kCatalogRows[] = {ORVELK_SUITE_CATALOG(ORVELK_SUITE_TABLE_ROW)};
#undef ORVELK_SUITE_TABLE_ROW
static_assert(std::size(kCatalogRows) == kSuiteTableSize);

// The table: the catalog's rows, the suites never called numbered in order
// into PluginState::otherSuites.
constexpr std::array<SuiteTableEntry, kSuiteTableSize> MakeSuiteTable() {
    std::array<SuiteTableEntry, kSuiteTableSize> table{};
    int16_t other = 0;
    for (size_t i = 0; i < table.size(); ++i) {
        table[i] = kCatalogRows[i];
        if (table[i].slot == SuiteSlot::kOther) table[i].otherIndex = other++;
    }
    return table;
}

constexpr int32_t CountOther() {
    int32_t n = 0;
    for (const SuiteTableEntry& e : kCatalogRows) n += e.slot == SuiteSlot::kOther ? 1 : 0;
    return n;
}
static_assert(CountOther() == kOtherSuiteCount);

}  // namespace

constinit const std::array<SuiteTableEntry, kSuiteTableSize> kSuiteTable = MakeSuiteTable();

namespace {

// Bytes of the alert text of a failed acquisition.
constexpr int32_t kAlertBufferSize = 256;

// Shows the failed acquisition of `entry` through the ADM Basic suite.
void AlertAcquisitionFailure(const ADMBasicSuite* admBasic, ASErr error,
                             const SuiteTableEntry& entry) {
    char alert[kAlertBufferSize];
    std::snprintf(alert, sizeof alert, "Error: %d, suite: %s, version: %d!",
                  static_cast<int>(error), entry.name, static_cast<int>(entry.version));
    if (admBasic->MessageAlert != nullptr) admBasic->MessageAlert(alert);
}

}  // namespace

const void* SuitePointer(const SuiteTableEntry& entry) {
#define ORVELK_GET_SUITE(slot, member) \
    case SuiteSlot::k##slot:           \
        return gPluginState.member;
    switch (entry.slot) {
        case SuiteSlot::kOther:
            assert(entry.otherIndex >= 0 && entry.otherIndex < kOtherSuiteCount);
            return gPluginState.otherSuites[entry.otherIndex];
        ORVELK_HELD_SUITES(ORVELK_GET_SUITE)
    }
#undef ORVELK_GET_SUITE
    return nullptr;
}

void SetSuitePointer(const SuiteTableEntry& entry, const void* suite) {
    PluginState& s = gPluginState;
#define ORVELK_SET_SUITE(slot, member)                        \
    case SuiteSlot::k##slot:                                  \
        s.member = static_cast<decltype(s.member)>(suite);    \
        return;
    switch (entry.slot) {
        case SuiteSlot::kOther:
            assert(entry.otherIndex >= 0 && entry.otherIndex < kOtherSuiteCount);
            s.otherSuites[entry.otherIndex] = suite;
            return;
        ORVELK_HELD_SUITES(ORVELK_SET_SUITE)
    }
#undef ORVELK_SET_SUITE
}

ASErr AcquireSuites(const SPBasicSuite* basic) {
    assert(basic != nullptr);
    ASErr result = kSPNoError;
    if (gPluginState.acquireDepth == 0) {
        for (const SuiteTableEntry& entry : kSuiteTable) {
            const void* suite = nullptr;
            result = basic->AcquireSuite(entry.name, entry.version, &suite);
            // A failed acquisition holds nothing, whatever the host left behind.
            SetSuitePointer(entry, result == kSPNoError ? suite : nullptr);
            if (result != kSPNoError && gPluginState.admBasic != nullptr) {
                AlertAcquisitionFailure(gPluginState.admBasic, result, entry);
                break;
            }
        }
    }
    ++gPluginState.acquireDepth;
    return result;
}

ASErr ReleaseSuites(const SPBasicSuite* basic) {
    assert(basic != nullptr);
    ASErr result = kSPNoError;
    if (gPluginState.acquireDepth == 1) {
        for (const SuiteTableEntry& entry : kSuiteTable) {
            // What was never acquired is not given back.
            if (SuitePointer(entry) == nullptr) continue;
            result = basic->ReleaseSuite(entry.name, entry.version);
            if (result != kSPNoError) break;
            SetSuitePointer(entry, nullptr);
        }
    }
    // A reload inside a message may have set the depth to 0 already.
    if (gPluginState.acquireDepth > 0) --gPluginState.acquireDepth;
    return result;
}
