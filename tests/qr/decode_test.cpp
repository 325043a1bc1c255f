// Symbols made by the engine, read back by a real decoder (zxing-cpp): the
// decoded bytes must be the text the mode's filter kept.
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "qr/data_codewords.h"
#include "qr/symbol_encoder.h"
#include "qr/text_filter.h"
#include "tests/qr/fake_engine_host.h"

namespace {

constexpr int kScale = 2;
constexpr int kQuiet = 4;

// Renders the symbol with its quiet zone into grey pixels and decodes it.
// Returns the decoded bytes, or "<unreadable>".
std::string Decode(const ModuleMatrix& m) {
    const int n = (m.side + 2 * kQuiet) * kScale;
    std::vector<uint8_t> pixels(static_cast<size_t>(n) * n, 255);
    for (int x = 0; x < m.side; ++x)
        for (int y = 0; y < m.side; ++y)
            if (m.modules[x * kMaxSide + y])
                for (int dy = 0; dy < kScale; ++dy)
                    std::memset(&pixels[((y + kQuiet) * kScale + dy) * n + (x + kQuiet) * kScale],
                                0, kScale);
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setIsPure(true);
    hints.setTryHarder(false);
    const ZXing::Result r =
        ZXing::ReadBarcode(ZXing::ImageView(pixels.data(), n, n, ZXing::ImageFormat::Lum), hints);
    if (!r.isValid()) return "<unreadable>";
    const ZXing::ByteArray& bytes = r.bytes();
    return std::string(bytes.begin(), bytes.end());
}

// What a reader gets back from `text` in `mode`: the filtered text, with
// lower-case letters read as upper case in alphanumeric mode.
std::string Expected(const std::string& text, char mode) {
    std::string kept(text.size() + 1, '\0');
    kept.resize(FilterText(text.c_str(), mode, kept.data()));
    if (mode == 'A')
        for (char& c : kept)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return kept;
}

class DecodeTest : public testing::Test {
protected:
    void SetUp() override {
        SetFakeAppFolder(ORVELK_TEST_APP_DIR);
        SetFakeMaskSetting(0);
    }
    void TearDown() override { SetFakeMaskSetting(0); }

    // Encodes, decodes, and compares; returns the version used.
    int RoundTrip(const std::string& text, char level, char mode, int version = 0) {
        auto m = std::make_unique<ModuleMatrix>();
        EXPECT_EQ(EncodeQRSymbol(text.c_str(), level, mode, version, m.get()), kQROk);
        EXPECT_NE(m->side, 0);
        if (m->side == 0) return 0;
        EXPECT_EQ(Decode(*m), Expected(text, mode))
            << "level " << level << " mode " << mode << " version " << (m->side - 17) / 4;
        return (m->side - 17) / 4;
    }
};

// Varied bytes, high ones included, `n` of them.
std::string VariedBytes(size_t n, unsigned seed) {
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        s += static_cast<char>(1 + (seed >> 16) % 255);  // never NUL
    }
    return s;
}

TEST_F(DecodeTest, EveryVersionAtEveryLevel) {
    auto data = std::make_unique<DataCodewords>();
    for (int version = 1; version <= 40; ++version) {
        for (char level : {'L', 'M', 'Q', 'H'}) {
            // The most bytes that fit the version: the fullest symbol it makes.
            size_t n = 1;
            while (BuildDataCodewords(VariedBytes(n + 1, version).c_str(), level, 'B', version,
                                      data.get()) == kQROk)
                n += 1 + (version > 4 ? version / 2 : 0);
            while (BuildDataCodewords(VariedBytes(n, version).c_str(), level, 'B', version,
                                      data.get()) != kQROk)
                --n;
            EXPECT_EQ(RoundTrip(VariedBytes(n, version), level, 'B', version), version);
        }
    }
}

TEST_F(DecodeTest, EveryModeWithEveryMask) {
    const std::string mixedText =
        "Orvelk \x95\x5C\x8E\xA6 a\x88\x9F" "b\x88\x81" "c \x83\x52\x81\x5B\x83\x68 123";
    const std::pair<char, std::string> cases[] = {
        {'N', "3141592653589793238462643383279 and 50288"},
        {'A', "HTTP://ORVELK.EXAMPLE/qr-code $42 %*+-./:"},
        {'B', "Hello, \x95\x5C world \xB1\xB2 \x01\x7F\xFF"},
        {'K', "\x95\x5C\x8E\xA6\x88\x81\x8A\xBF\x8E\x9A\xE4\xAA\x93\x5F"},
        {'M', mixedText},
    };
    for (const auto& [mode, text] : cases) {
        for (int setting = 0; setting <= 8; ++setting) {
            SetFakeMaskSetting(setting);
            RoundTrip(text, 'M', mode);
            RoundTrip(text, 'H', mode);
        }
    }
}

TEST_F(DecodeTest, KanjiWithAwkwardSecondBytesAndAlternatingMixedText) {
    // Second bytes 0x5C (a backslash in ASCII) and 0x81 (a lead byte value).
    RoundTrip("\x95\x5C\x97\x5C\x88\x81\x88\x81", 'L', 'K');
    RoundTrip("\x95\x5C\\\x88\x81\x81", 'L', 'M');  // the last 0x81 ends the text: dropped
    std::string alternating;
    for (int i = 0; i < 40; ++i) alternating += std::string(1, static_cast<char>('A' + i % 26)) + "\x88\x9F";
    EXPECT_GT(RoundTrip(alternating, 'M', 'M'), 1);
    // Characters outside the Kanji ranges travel as bytes in mixed mode.
    RoundTrip("\xF0\x40\x88\x9F\xEB\xC0x", 'M', 'M');
}

TEST_F(DecodeTest, TextsAtTheCapacityBoundaries) {
    struct Boundary {
        char level, mode;
        int count, version;
    };
    for (const Boundary& b : {Boundary{'L', 'N', 41, 1}, {'L', 'N', 42, 2}, {'H', 'A', 1852, 40},
                              {'M', 'B', 180, 9}, {'M', 'B', 181, 10}, {'Q', 'K', 462, 26},
                              {'Q', 'K', 463, 27}, {'L', 'B', 2953, 40}, {'H', 'N', 3057, 40}}) {
        std::string text;
        for (int i = 0; i < b.count; ++i) {
            switch (b.mode) {
                case 'N': text += static_cast<char>('0' + i % 10); break;
                case 'A': text += "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:"[i % 45]; break;
                case 'B': text += static_cast<char>(0x20 + i % 200); break;
                default: text += (i % 2) ? "\x8A\xBF" : "\xE4\xAA"; break;
            }
        }
        EXPECT_EQ(RoundTrip(text, b.level, b.mode), b.version) << b.count << " of " << b.mode;
    }
}

}  // namespace
