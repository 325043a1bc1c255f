#include "standin/host/host_errors.h"

namespace standin {

std::string ErrorText(ASErr error) {
    const uint32_t code = static_cast<uint32_t>(error);
    std::string chars;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) return std::to_string(error);
        chars += c;
    }
    return "'" + chars + "'";
}

}  // namespace standin
