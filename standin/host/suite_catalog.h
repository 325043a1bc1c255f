// Every suite the stand-in host offers, by name and version: the 133 that
// the Orvelk plug-in acquires for each message. Those the stand-in
// implements are served with their working records; the others with an empty
// record, so that acquiring and releasing them works and is counted.
#pragma once

#include <cstddef>
#include <cstdint>

namespace standin {

struct SuiteName {
    const char* name;
    int32_t version;
};

// The suites, in the order the plug-in acquires them.
const SuiteName* HostSuiteNames();
size_t HostSuiteCount();

// The record served for suites the stand-in does not implement. Its single
// member is never meant to be called.
struct EmptySuite {
    void* reserved;
};
const EmptySuite* StandinEmptySuite();

// Registers every suite: the working records of the host side (basic
// services, Blocks, Runtime, Filter, Menu, Action Manager, User, Document
// View, Art, Path, Path Style) and the empty record for the rest. The dialog
// manager registers its ADM suites over these. Repeating it does no harm.
void RegisterHostSuites();

}  // namespace standin
