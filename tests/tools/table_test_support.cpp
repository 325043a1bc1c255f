#include "tests/tools/table_test_support.h"

#include <algorithm>
#include <cstdlib>

#include "qr/store/lzss_decode.h"

namespace tabletest {

bool StrictLzssDecode(std::span<const uint8_t> in, std::vector<uint8_t>* out, std::string* why) {
    uint8_t ring[4096] = {};
    bool written[4096] = {};
    for (int p = 0; p < 4078; ++p) written[p] = true;
    int r = 4078;
    out->clear();
    auto put = [&](uint8_t c) {
        out->push_back(c);
        ring[r] = c;
        written[r] = true;
        r = (r + 1) & 4095;
    };
    size_t i = 0;
    while (i < in.size()) {
        const uint8_t flags = in[i++];
        for (int bit = 0; bit < 8 && i < in.size(); ++bit) {
            if (flags & (1u << bit)) {
                put(in[i++]);
                continue;
            }
            if (i + 1 >= in.size()) {
                *why = "stream ends inside a match at byte " + std::to_string(i);
                return false;
            }
            const int b1 = in[i];
            const int b2 = in[i + 1];
            i += 2;
            int pos = b1 | ((b2 & 0xF0) << 4);
            const int length = (b2 & 0x0F) + 3;
            for (int k = 0; k < length; ++k) {
                if (!written[pos]) {
                    *why = "match at output byte " + std::to_string(out->size()) +
                           " reads unwritten ring position " + std::to_string(pos);
                    return false;
                }
                put(ring[pos]);
                pos = (pos + 1) & 4095;
            }
        }
    }
    return true;
}

std::vector<uint8_t> EngineDecode(std::span<const uint8_t> in) {
    uint8_t* bytes = nullptr;
    int32_t length = 0;
    if (LzssDecode(&bytes, &length, in.data(), static_cast<int32_t>(in.size())) != 0) return {};
    std::vector<uint8_t> out(bytes, bytes + length);
    std::free(bytes);
    return out;
}

namespace {

uint32_t Hex8(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (size_t k = at; k < at + 8; ++k) {
        const char c = s[k];
        v = v * 16 + static_cast<uint32_t>(c < 'A' ? c - 0x30 : c - 0x37);
    }
    return v;
}

}  // namespace

std::vector<DirectoryEntry> ParseDirectory(std::span<const uint8_t> file) {
    std::vector<DirectoryEntry> entries;
    std::string line;
    const size_t end = std::min<size_t>(file.size(), 8192);
    for (size_t i = 0; i < end && file[i] != 0; ++i) {
        const char c = static_cast<char>(file[i]);
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (line.size() >= 19 && line[8] == ':' && line[17] == ':')
            entries.push_back({Hex8(line, 0), Hex8(line, 9), line.substr(18)});
        line.clear();
    }
    return entries;
}

}  // namespace tabletest
