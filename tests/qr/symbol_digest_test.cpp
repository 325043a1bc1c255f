// Thousands of symbols, every version at every level in every mode under
// several mask settings, folded into one digest: any change to a module, a
// side or a return code anywhere changes it. The digest was taken from the
// engine as it stood before its speed work (when every record was copied into
// full-size buffers and every table read opened the file), whose symbols the
// decoder tests read back; the faster engine must make the same symbols.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "qr/symbol_encoder.h"
#include "qr/version_tables.h"
#include "tests/qr/fake_engine_host.h"

namespace {

// FNV-1a, 64 bits.
struct Digest {
    uint64_t h = 0xCBF29CE484222325ull;
    void Add(const void* p, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            h ^= static_cast<const uint8_t*>(p)[i];
            h *= 0x100000001B3ull;
        }
    }
    void Add(int32_t v) { Add(&v, sizeof v); }
};

// A text of `mode` that fills about three quarters of `version` at `level`,
// its characters varied by `seed`. Each mode's header (mode and count) takes
// at most 20 bits.
std::string Text(char mode, int version, char level, unsigned seed) {
    const int32_t bits = DataCapacityBits(LevelCodeFromChar(level), version) * 3 / 4 - 20;
    std::string s;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    auto kanji = [&] {
        s += static_cast<char>(0x88 + next() % 0x18);
        s += static_cast<char>(0x40 + next() % 0x3F);
    };
    switch (mode) {
        case 'N':
            for (int32_t i = 0; i < bits * 3 / 10; ++i) s += static_cast<char>('0' + next() % 10);
            break;
        case 'A':
            for (int32_t i = 0; i < bits * 2 / 11; ++i)
                s += "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:"[next() % 45];
            break;
        case 'B':
            for (int32_t i = 0; i < bits / 8; ++i) s += static_cast<char>(1 + next() % 255);
            break;
        case 'K':
            for (int32_t i = 0; i < bits / 13; ++i) kanji();
            break;
        default: {  // mixed: one Kanji, then byte runs of three and Kanji runs of four
            kanji();
            constexpr int32_t kUnit = 20 + 3 * 8 + 20 + 4 * 13;
            for (int32_t used = 13; used + kUnit <= bits; used += kUnit) {
                for (int k = 0; k < 3; ++k) s += static_cast<char>('a' + next() % 26);
                for (int k = 0; k < 4; ++k) kanji();
            }
            break;
        }
    }
    return s;
}

TEST(SymbolDigest, EveryVersionLevelModeAndMaskMakesTheSameSymbolsAsBefore) {
    SetFakeAppFolder(ORVELK_TEST_APP_DIR);
    auto m = std::make_unique<ModuleMatrix>();
    Digest digest;
    int32_t symbols = 0;
    for (int32_t setting : {0, 1, 4, 8}) {
        SetFakeMaskSetting(setting);
        for (int version = 1; version <= kMaxVersion; ++version) {
            for (char level : {'L', 'M', 'Q', 'H'}) {
                for (char mode : {'N', 'A', 'B', 'K', 'M'}) {
                    const std::string text = Text(mode, version, level, version * 31u + mode);
                    std::memset(m.get(), 0, sizeof(ModuleMatrix));
                    const int32_t rc = EncodeQRSymbol(text.c_str(), level, mode, version, m.get());
                    ASSERT_EQ(rc, kQROk) << version << level << mode;
                    ASSERT_EQ(m->side, 4 * version + 17) << version << level << mode;
                    digest.Add(rc);
                    digest.Add(m->side);
                    for (int x = 0; x < m->side; ++x) digest.Add(m->modules + x * kMaxSide, m->side);
                    ++symbols;
                }
            }
        }
    }
    SetFakeMaskSetting(0);
    EXPECT_EQ(symbols, 4 * 40 * 4 * 5);
    EXPECT_EQ(digest.h, 0x1320F9D1ADBDBA4Cull) << std::hex << digest.h;
}

}  // namespace
