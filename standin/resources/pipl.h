// The plug-in property list (PiPL), through which the host learns what a
// module is and which function to call: a 16-bit reserved value of 1, a
// version of 0, a property count, then the properties, each vendor, key, id,
// data length and the data padded to a multiple of 4. Four-character codes
// are little-endian 32-bit values (the first character in the top byte).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "standin/resources/resource_status.h"

// The values a module for this host carries.
inline constexpr uint32_t kPiPLKindHostPlugin = 0x53504541;  // "SPEA"
inline constexpr int32_t kPiPLInterfaceVersion = 2;

struct PiPLInfo {
    uint32_t kind = 0;             // "kind": the kind of plug-in
    int32_t interfaceVersion = 0;  // "ivrs"
    std::string entryPoint;        // "wx86": the exported function's name
    int32_t propertyCount = 0;
};

// Reads the PiPL resource `data`. kUnsupported for a reserved value other
// than 1 or a version other than 0; kDamaged when a property runs past the
// end, a length is negative, the vendor "ADBE" properties "kind", "ivrs" or
// "wx86" are missing or too short, or the entry point's name is empty or
// lacks its terminating zero. Other properties are passed over.
ResourceStatus ParsePiPL(std::span<const uint8_t> data, PiPLInfo* info);
