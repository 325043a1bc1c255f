// What the host requires of a module's plug-in property list (PiPL) before it
// loads the module: kind "SPEA" (a plug-in of this host), interface version
// 2, and an entry point named. The list itself is read by the resource
// reader (standin/resources/pipl.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// What the host needs from a plug-in's PiPL.
struct PluginProperties {
    uint32_t kind = 0;             // "SPEA" for a plug-in of this host
    int32_t interfaceVersion = 0;  // 2
    std::string entryName;         // the exported entry point ("PluginMain")
};

// The interface version the host loads.
inline constexpr int32_t kHostInterfaceVersion = 2;

// Reads the PiPL `pipl` and checks that the module is a plug-in of this host.
// Returns false and says why in *error when the list is damaged or of an
// unknown layout, or names another kind or interface version.
bool ReadPluginProperties(const std::vector<uint8_t>& pipl, PluginProperties* properties,
                          std::string* error);

// A four-character code as its four characters, non-printable ones as '?'.
std::string FourCharText(uint32_t code);

}  // namespace standin
