#include "standin/render/display_text.h"

#include <algorithm>

#include "standin/text/cp932.h"

namespace standin {
namespace {

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// The UTF-8 form of the control picture of `c`.
std::string ControlPicture(unsigned char c) {
    const unsigned code = c == 0x7F ? 0x2421 : 0x2400 + c;
    std::string out;
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
    return out;
}

// The length of the UTF-8 sequence that starts with `lead`.
size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

DisplayText LabelText(const std::string& cp932, bool prefixes) {
    const std::string utf8 = Cp932ToUtf8Lossy(cp932);
    DisplayText out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
            out.utf8 += '\n';
        } else if (c == '\t') {
            out.utf8 += '\t';
        } else if (IsControl(c)) {
            out.utf8 += ControlPicture(c);
        } else if (c == '&' && prefixes) {
            if (i + 1 >= utf8.size()) break;
            const auto next = static_cast<unsigned char>(utf8[i + 1]);
            if (next == '&') {
                out.utf8 += '&';
                ++i;
            } else if (!IsControl(next)) {
                const size_t length = std::min(SequenceLength(next), utf8.size() - (i + 1));
                out.underlined.emplace_back(out.utf8.size(), out.utf8.size() + length);
                out.utf8.append(utf8, i + 1, length);
                i += length;
            }
        } else {
            out.utf8 += static_cast<char>(c);
        }
    }
    return out;
}

std::string EditLineText(const std::string& cp932) {
    const std::string utf8 = Cp932ToUtf8Lossy(cp932);
    std::string out;
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsControl(c)) {
            out += ControlPicture(c);
        } else {
            out += ch;
        }
    }
    return out;
}

}  // namespace standin
