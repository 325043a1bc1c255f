#include "tools/qrtables/lzss_encode.h"

#include <algorithm>
#include <cassert>

namespace qrtables {
namespace {

// A match may start at most this far back. The farthest the ring allows is
// 4096, where the byte read is the one about to be overwritten; stopping one
// short keeps the stream independent of whether a decoder stores a byte
// before or after reading the next.
constexpr int kMaxDistance = kLzssRing - 1;

constexpr int kHashBits = 15;
constexpr int kHashSize = 1 << kHashBits;
// How many earlier places with the same hash are tried at each position.
constexpr int kChainLimit = 64;

// Bits each element costs in the stream, its flag bit included.
constexpr int kLiteralBits = 9;
constexpr int kMatchBits = 17;

int Hash(const uint8_t* p) {
    const uint32_t v = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    return static_cast<int>((v * 2654435761u) >> (32 - kHashBits));
}

// The longest match at every position of the data, found over a text that is
// the decoder's zero fill followed by the data, so that a text index and the
// ring position it lands on agree modulo 4096.
struct MatchTable {
    std::vector<uint8_t> length;     // 0, or 3 to 18
    std::vector<uint16_t> position;  // ring position of the match's first byte
};

MatchTable FindMatches(std::span<const uint8_t> data) {
    const int n = static_cast<int>(data.size());
    const int total = kLzssFirstWrite + n;
    std::vector<uint8_t> text(kLzssFirstWrite, 0);
    text.insert(text.end(), data.begin(), data.end());

    // Raw pointers in the inner loops keep unoptimised builds quick.
    const uint8_t* t = text.data();
    std::vector<int32_t> headTable(kHashSize, -1);
    std::vector<int32_t> previousTable(kLzssRing, -1);
    int32_t* head = headTable.data();
    int32_t* previous = previousTable.data();
    auto insert = [&](int pos) {
        if (pos + kLzssShortestMatch > total) return;
        const int h = Hash(t + pos);
        previous[pos % kLzssRing] = head[h];
        head[h] = pos;
    };
    // The zero fill is in the ring from the start and may be matched like
    // data written before.
    for (int pos = 0; pos < kLzssFirstWrite; ++pos) insert(pos);

    MatchTable table;
    table.length.assign(n, 0);
    table.position.assign(n, 0);
    for (int at = kLzssFirstWrite; at < total; ++at) {
        const int limit = std::min(kLzssLongestMatch, total - at);
        int bestLength = 0;
        int bestSource = 0;
        if (limit >= kLzssShortestMatch) {
            int candidate = head[Hash(t + at)];
            for (int tries = 0;
                 candidate >= 0 && at - candidate <= kMaxDistance && tries < kChainLimit; ++tries) {
                // Bytes past `at` are compared with the data itself: the
                // decoder has written them by the time a match reads them.
                const uint8_t* a = t + candidate;
                const uint8_t* b = t + at;
                int length = 0;
                while (length < limit && a[length] == b[length]) ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestSource = candidate;
                    if (length == limit) break;
                }
                const int next = previous[candidate % kLzssRing];
                if (next >= candidate) break;
                candidate = next;
            }
        }
        if (bestLength >= kLzssShortestMatch) {
            table.length[at - kLzssFirstWrite] = static_cast<uint8_t>(bestLength);
            table.position[at - kLzssFirstWrite] = static_cast<uint16_t>(bestSource % kLzssRing);
        }
        insert(at);
    }
    return table;
}

}  // namespace

std::vector<uint8_t> LzssEncode(std::span<const uint8_t> data) {
    const int n = static_cast<int>(data.size());
    const MatchTable matches = FindMatches(data);

    // Optimal parse from the end: the cheapest way to code the rest of the
    // data from each position, as a literal or as a match of any length the
    // longest match there allows (every shorter prefix of it is a match too).
    std::vector<int64_t> costTable(n + 1, 0);
    std::vector<uint8_t> choice(n, 0);  // 0 = literal, else match length
    int64_t* cost = costTable.data();
    const uint8_t* longest = matches.length.data();
    for (int i = n - 1; i >= 0; --i) {
        cost[i] = kLiteralBits + cost[i + 1];
        for (int length = longest[i]; length >= kLzssShortestMatch; --length) {
            const int64_t c = kMatchBits + cost[i + length];
            if (c < cost[i]) {
                cost[i] = c;
                choice[i] = static_cast<uint8_t>(length);
            }
        }
    }

    std::vector<uint8_t> out;
    out.reserve(n / 2 + 16);
    size_t flagAt = 0;
    int flagBit = 8;
    for (int i = 0; i < n;) {
        if (flagBit == 8) {
            flagAt = out.size();
            out.push_back(0);
            flagBit = 0;
        }
        if (choice[i] == 0) {
            out[flagAt] |= static_cast<uint8_t>(1u << flagBit);
            out.push_back(data[i]);
            ++i;
        } else {
            const int pos = matches.position[i];
            const int length = choice[i];
            assert(length >= kLzssShortestMatch && length <= kLzssLongestMatch);
            out.push_back(static_cast<uint8_t>(pos & 0xFF));
            out.push_back(
                static_cast<uint8_t>(((pos >> 4) & 0xF0) | (length - kLzssShortestMatch)));
            i += length;
        }
        ++flagBit;
    }
    return out;
}

}  // namespace qrtables
