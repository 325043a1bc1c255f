// Every suite the stand-in host offers, by name and version: the 133 that
// the Orvelk plug-in acquires for each message. Those the stand-in
// implements are served with their working records, laid out as the host's
// tables and with traps in the slots no call reaches (slot_traps.h); the
// others with a record of traps alone, so that acquiring and releasing them
// works and is counted, and any call of them is caught.
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

// Registers every suite: the working records of the host side (basic
// services, Blocks, Runtime, Filter, Menu, Action Manager, User, Document
// View, Art, Path, Path Style) and a record of traps for the rest. The dialog
// manager registers its ADM suites over these. Repeating it does no harm.
void RegisterHostSuites();

}  // namespace standin
