// Writes the reference symbols of tests/qr/reference/ with qrcodegen, a QR
// Code encoder of its own (Debian's libqrcodegencpp-dev), at fixed versions,
// levels, modes and masks: one text file per symbol. Run once by hand
// (README.md); the files are checked in and the engine is compared with them
// module by module (reference_symbols_test.cpp).
//
//   make_reference_symbols OUTPUT_FOLDER
//
// The texts are code page 932 bytes made from a fixed seed; each symbol's
// segments are given to qrcodegen explicitly, so that its bit stream is
// the one the standard prescribes for them: numeric, alphanumeric and byte
// segments through qrcodegen's own makers, Kanji segments compacted to 13
// bits here (ISO/IEC 18004 clause 7.4.6), as qrcodegen has no Kanji maker.
#include <qrcodegen/qrcodegen.hpp>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

using qrcodegen::QrCode;
using qrcodegen::QrSegment;

namespace {

// A small fixed generator, so that the texts never change between runs.
struct Lcg {
    uint32_t state;
    uint32_t Next(uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

// One segment: its mode letter (N, A, B, K) and its bytes.
struct Piece {
    char mode;
    std::string bytes;
};

std::string Digits(Lcg* r, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>('0' + r->Next(10));
    return s;
}

std::string Alphanumerics(Lcg* r, int n) {
    static const char kSet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    std::string s;
    for (int i = 0; i < n; ++i) s += kSet[r->Next(45)];
    return s;
}

// Bytes 0x01 to 0xFF (no NUL: the engine takes NUL-terminated texts).
std::string Bytes(Lcg* r, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>(1 + r->Next(255));
    return s;
}

// Printable ASCII: the byte runs of a mixed text, which no lead byte starts.
std::string Ascii(Lcg* r, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>(0x20 + r->Next(0x5F));
    return s;
}

// Two-byte characters of both Kanji ranges: 0x889F to 0x9FFC and 0xE040 to
// 0xEAA4, second bytes 0x40 to 0xFC but 0x7F.
std::string Kanji(Lcg* r, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        const uint32_t pick = r->Next(10);
        const int lead = pick < 8 ? 0x89 + static_cast<int>(r->Next(0x9F - 0x89 + 1))
                                  : 0xE0 + static_cast<int>(r->Next(0xEA - 0xE0));
        int trail = 0x40 + static_cast<int>(r->Next(0xFC - 0x40 + 1));
        if (trail == 0x7F) trail = 0x80;
        s += static_cast<char>(lead);
        s += static_cast<char>(trail);
    }
    return s;
}

// Clause 7.4.6: subtract 0x8140 or 0xC140, then high byte x 0xC0 + low byte.
QrSegment MakeKanji(const std::string& bytes) {
    std::vector<bool> bits;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        int code = (static_cast<uint8_t>(bytes[i]) << 8) | static_cast<uint8_t>(bytes[i + 1]);
        code -= code <= 0x9FFC ? 0x8140 : 0xC140;
        const int value = (code >> 8) * 0xC0 + (code & 0xFF);
        for (int b = 12; b >= 0; --b) bits.push_back(((value >> b) & 1) != 0);
    }
    return QrSegment(QrSegment::Mode::KANJI, static_cast<int>(bytes.size() / 2), bits);
}

QrSegment MakeSegment(const Piece& p) {
    switch (p.mode) {
        case 'N':
            return QrSegment::makeNumeric(p.bytes.c_str());
        case 'A':
            return QrSegment::makeAlphanumeric(p.bytes.c_str());
        case 'K':
            return MakeKanji(p.bytes);
        default:
            return QrSegment::makeBytes(std::vector<uint8_t>(p.bytes.begin(), p.bytes.end()));
    }
}

// The segments of `mode` with `units` characters (mixed: alternating runs).
std::vector<Piece> MakePieces(char mode, int units, Lcg* r) {
    switch (mode) {
        case 'N':
            return {{'N', Digits(r, units)}};
        case 'A':
            return {{'A', Alphanumerics(r, units)}};
        case 'B':
            return {{'B', Bytes(r, units)}};
        case 'K':
            return {{'K', Kanji(r, units)}};
        default: {
            std::vector<Piece> pieces;
            for (int left = units; left > 0;) {
                const int run = std::min(left, 3 + static_cast<int>(r->Next(12)));
                const bool kanji = pieces.size() % 2 == 0;
                pieces.push_back({kanji ? 'K' : 'B', kanji ? Kanji(r, run) : Ascii(r, run)});
                left -= run;
            }
            return pieces;
        }
    }
}

QrCode::Ecc EccOf(char level) {
    switch (level) {
        case 'L':
            return QrCode::Ecc::LOW;
        case 'Q':
            return QrCode::Ecc::QUARTILE;
        case 'H':
            return QrCode::Ecc::HIGH;
        default:
            return QrCode::Ecc::MEDIUM;
    }
}

std::string Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string s;
    for (unsigned char c : bytes) {
        s += kDigits[c >> 4];
        s += kDigits[c & 15];
    }
    return s;
}

// Writes one symbol: the longest text of a fixed share of the version's
// capacity that qrcodegen fits at exactly `version`, `level` and `mask`.
bool WriteSymbol(const std::string& folder, int version, char level, char mode, int mask) {
    Lcg r{static_cast<uint32_t>(version * 1000 + mode * 10 + mask)};
    const uint32_t seed = r.state;
    // Characters to start from: more than version 40 at level L holds.
    for (int units = 8000; units > 0; units = units * 9 / 10) {
        r.state = seed;
        const std::vector<Piece> pieces = MakePieces(mode, units, &r);
        std::vector<QrSegment> segments;
        std::string text;
        for (const Piece& p : pieces) {
            segments.push_back(MakeSegment(p));
            text += p.bytes;
        }
        try {
            const QrCode code =
                QrCode::encodeSegments(segments, EccOf(level), version, version, mask, false);
            char name[64];
            std::snprintf(name, sizeof name, "v%02d-%c-%c-mask%d.txt", version, level, mode, mask);
            const std::string path = folder + "/" + name;
            FILE* f = std::fopen(path.c_str(), "w");
            if (f == nullptr) return false;
            std::fprintf(f, "# qrcodegen %s: version, level, mode and mask fixed; rows top first\n",
                         "1.8.0");
            std::fprintf(f, "version %d\nlevel %c\nmode %c\nmask %d\ntext %s\n", version, level,
                         mode, mask, Hex(text).c_str());
            for (int y = 0; y < code.getSize(); ++y) {
                for (int x = 0; x < code.getSize(); ++x)
                    std::fputc(code.getModule(x, y) ? '1' : '0', f);
                std::fputc('\n', f);
            }
            return std::fclose(f) == 0;
        } catch (const qrcodegen::data_too_long&) {
            // Fewer characters.
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_reference_symbols OUTPUT_FOLDER\n");
        return 2;
    }
    const int versions[] = {1, 2, 7, 10, 27, 40};
    const char modes[] = {'N', 'A', 'B', 'K', 'M'};
    int index = 0;
    for (int v : versions) {
        for (char mode : modes) {
            const char level = "LMQH"[index % 4];
            const int mask = (index * 3) % 8;
            ++index;
            if (!WriteSymbol(argv[1], v, level, mode, mask)) {
                std::fprintf(stderr, "make_reference_symbols: version %d %c %c failed\n", v, level,
                             mode);
                return 1;
            }
        }
    }
    return 0;
}
