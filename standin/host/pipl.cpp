#include "standin/host/pipl.h"

#include "hostapi/host_types.h"
#include "standin/resources/pipl.h"

namespace standin {

std::string FourCharText(uint32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        text += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return text;
}

bool ReadPluginProperties(const std::vector<uint8_t>& pipl, PluginProperties* properties,
                          std::string* error) {
    PiPLInfo info;
    const ResourceStatus status = ParsePiPL(pipl, &info);
    if (status == ResourceStatus::kUnsupported) {
        *error = "its PiPL has a layout this host does not know";
        return false;
    }
    if (status != ResourceStatus::kOk) {
        *error = std::string("its PiPL is ") + ResourceStatusText(status) +
                 " (it must name a kind, an interface version and an entry point)";
        return false;
    }
    if (info.kind != kPiPLKindHostPlugin) {
        *error = "it is of kind '" + FourCharText(info.kind) + "', not 'SPEA'";
        return false;
    }
    if (info.interfaceVersion != kHostInterfaceVersion) {
        *error = "it is written for interface version " + std::to_string(info.interfaceVersion) +
                 ", not " + std::to_string(kHostInterfaceVersion);
        return false;
    }
    properties->kind = info.kind;
    properties->interfaceVersion = info.interfaceVersion;
    properties->entryName = info.entryPoint;
    return true;
}

}  // namespace standin
