// The table-driven stages of the engine on the table file the build lays out:
// records, error correction, placement, format information, mask choice.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "qr/data_codewords.h"
#include "qr/engine_host.h"
#include "qr/format_information.h"
#include "qr/mask_selection.h"
#include "qr/module_placement.h"
#include "qr/penalty_planes.h"
#include "qr/store/symbol_records.h"
#include "qr/symbol_encoder.h"
#include "tests/qr/fake_engine_host.h"
#include "tests/qr/penalty_reference.h"

namespace {

class TableEngineTest : public testing::Test {
protected:
    void SetUp() override {
        SetFakeAppFolder(ORVELK_TEST_APP_DIR);
        SetFakeMaskSetting(0);
    }
    void TearDown() override { SetFakeMaskSetting(0); }

    std::unique_ptr<ModuleMatrix> Encode(const char* text, char level, char mode, int version = 0,
                                         int32_t* rc = nullptr) {
        auto m = std::make_unique<ModuleMatrix>();
        std::memset(m->modules, 0xAA, sizeof m->modules);
        const int32_t r = EncodeQRSymbol(text, level, mode, version, m.get());
        if (rc) *rc = r;
        else EXPECT_EQ(r, kQROk);
        return m;
    }

    // The 15 format characters read back from copy 1 or 2 of a symbol.
    static std::string FormatCopy(const ModuleMatrix& m, int copy) {
        std::string s;
        const int side = m.side;
        for (int x = 0; x < kFormatBits; ++x) {
            int col, row;
            if (copy == 1) {
                col = kFormatFirstCopyColumns[x], row = kFormatFirstCopyRows[x];
            } else if (x < 7) {
                col = 8, row = side - 1 - x;
            } else {
                col = side - 15 + x, row = 8;
            }
            s += m.modules[col * kMaxSide + row] ? '1' : '0';
        }
        return s;
    }
};

int RemainderBitsOf(int version) {
    return (version >= 2 && version <= 6) ? 7 : (version >= 14 && version <= 20) ? 3
         : (version >= 21 && version <= 27) ? 4 : (version >= 28 && version <= 34) ? 3 : 0;
}

std::string Hex(const uint8_t* p, int n) {
    std::string s;
    char b[4];
    for (int i = 0; i < n; ++i) {
        std::snprintf(b, sizeof b, i ? " %02X" : "%02X", p[i]);
        s += b;
    }
    return s;
}

TEST_F(TableEngineTest, WorkedExampleErrorCorrectionAndMaskScores) {
    auto c = std::make_unique<QRCodewords>();
    ASSERT_EQ(EncodeQRCodewords("01234567", 'M', 'N', 0, c.get()), kQROk);
    EXPECT_EQ(c->eccCount, 10);
    EXPECT_EQ(Hex(c->bytes + 16, 10), "A5 24 D4 C1 ED 36 C7 87 2C 55");

    // Place the codewords as the engine does and score all eight masks.
    auto records = std::make_unique<SymbolRecords>();
    ASSERT_EQ(ReadSymbolRecords(HostTableFilePath().c_str(), 1, 'M', 16, 26, 0, records.get()),
              kQROk);
    auto working = std::make_unique<WorkingMatrix>();
    auto candidate = std::make_unique<ModuleMatrix>();
    auto planes = std::make_unique<MaskPlanes>();
    PlaceCodewords(c->bytes, 26, 0, records.get(), 21, working.get());
    int32_t scores[8];
    EXPECT_EQ(ChooseMask(working.get(), 0, records.get(), planes.get(), scores), 2);
    EXPECT_EQ(std::vector<int32_t>(scores, scores + 8),
              (std::vector<int32_t>{283, 255, 101, 123, 164, 181, 127, 119}));
    WriteFormatInformation(0, 2, records.get(), working.get());
    ComposeSymbol(working.get(), 2, records->pattern, candidate.get());
    const PenaltyRules rules = ScorePenaltyRules(candidate.get());
    EXPECT_EQ(rules.rowRuns, 33);
    EXPECT_EQ(rules.columnRuns, 29);
    EXPECT_EQ(rules.blocks, 39);
    EXPECT_EQ(rules.rowFinders + rules.columnFinders, 0);
    EXPECT_EQ(rules.balance, 0);

    auto m = Encode("01234567", 'M', 'N');
    EXPECT_EQ(FormatCopy(*m, 1), FormatString(0, 2));
    EXPECT_EQ(FormatCopy(*m, 2), FormatString(0, 2));
}

TEST_F(TableEngineTest, OnlyTheSideSquareIsWritten) {
    auto v1 = Encode("12345", 'M', 'N');
    EXPECT_EQ(v1->side, 21);
    int outside = 0;
    for (int x = 0; x < kMaxSide; ++x)
        for (int y = 0; y < kMaxSide; ++y) {
            const uint8_t v = v1->modules[x * kMaxSide + y];
            if (x < 21 && y < 21) EXPECT_LE(v, 1);
            else outside += v == 0xAA;
        }
    EXPECT_EQ(outside, kMaxSide * kMaxSide - 21 * 21);
    auto v40 = Encode("1", 'H', 'N', 40);
    EXPECT_EQ(v40->side, 177);
    for (int i = 0; i < kMaxSide * kMaxSide; ++i) ASSERT_LE(v40->modules[i], 1);
}

TEST_F(TableEngineTest, MaskSettingFixesTheMaskAndItsFormatString) {
    SetFakeMaskSetting(1);
    auto mask0 = Encode("HELLO", 'Q', 'A');
    EXPECT_EQ(FormatCopy(*mask0, 1), FormatString(3, 0));  // Q's level code is 3
    EXPECT_EQ(FormatCopy(*mask0, 2), "011010101011111");
    SetFakeMaskSetting(8);
    auto mask7 = Encode("HELLO", 'Q', 'A');
    EXPECT_EQ(FormatCopy(*mask7, 1), FormatString(3, 7));
    EXPECT_EQ(FormatCopy(*mask7, 2), FormatString(3, 7));
    SetFakeMaskSetting(9);  // outside the setting's range: automatic
    auto automatic = Encode("HELLO", 'Q', 'A');
    EXPECT_EQ(automatic->side, 21);
}

TEST_F(TableEngineTest, AHostWithoutAMaskSettingChoosesTheMask) {
    SetFakeMaskSetting(0);
    auto chosen = Encode("HELLO", 'Q', 'A');
    const QREngineHost folderOnly = {FindFakeAppFolder, nullptr};
    SetQREngineHost(&folderOnly);
    auto unset = Encode("HELLO", 'Q', 'A');
    EXPECT_EQ(std::memcmp(chosen.get(), unset.get(), sizeof(ModuleMatrix)), 0);
}

TEST_F(TableEngineTest, WithoutAHostNoTableIsReadAndNoSymbolMade) {
    SetQREngineHost(nullptr);
    auto m = std::make_unique<ModuleMatrix>();
    EXPECT_EQ(EncodeQRSymbol("HELLO", 'Q', 'A', 0, m.get()), kQRTableFileDamaged);
    EXPECT_EQ(m->side, 0);
    EXPECT_EQ(HostFixedMask(), -1);
    // The data stages need no host: a text that fits no version still says so.
    EXPECT_EQ(EncodeQRSymbol(std::string(7090, '1').c_str(), 'L', 'N', 0, m.get()),
              kQRDoesNotFit);
}

TEST_F(TableEngineTest, RemainderModulesShowTheChosenMasksCondition) {
    // Version 2 has 7 remainder bits; they sit at the end of the record's
    // lists. The records are views into the table cache, which the next
    // encoding may drop: take what the test needs first.
    auto records = std::make_unique<SymbolRecords>();
    ASSERT_EQ(ReadSymbolRecords(HostTableFilePath().c_str(), 2, 'M', 28, 44, 7, records.get()),
              kQROk);
    std::vector<std::pair<int, uint8_t>> remainder;  // module index, mask byte
    for (int k = 8 * 44; k < 8 * 44 + 7; ++k)
        remainder.emplace_back(records->columns[k] * kMaxSide + records->rows[k],
                               records->maskBits[k]);
    for (int mask = 0; mask < 8; ++mask) {
        SetFakeMaskSetting(mask + 1);
        auto m = Encode("12345678901234567890123456789012345", 'M', 'N', 2);
        for (const auto& [at, maskBits] : remainder)
            EXPECT_EQ(m->modules[at], (maskBits >> mask) & 1) << "mask " << mask;
    }
}

TEST_F(TableEngineTest, TemplateAndWorkingBitsBothMakeModulesDark) {
    WorkingMatrix working{};
    working.side = 21;
    auto pattern = std::make_unique<uint8_t[]>(kTemplateSize);
    std::memset(pattern.get(), '0', kTemplateSize);
    pattern[3 * 22 + 5] = '1';                       // row 3, column 5: template dark
    working.masked[7 * kMaxSide + 9] = 1 << 4;      // column 7, row 9: dark under mask 4
    working.masked[2 * kMaxSide + 2] = 0xEF;        // dark under every mask but 4
    auto out = std::make_unique<ModuleMatrix>();
    ComposeSymbol(&working, 4, pattern.get(), out.get());
    EXPECT_EQ(out->modules[5 * kMaxSide + 3], 1);
    EXPECT_EQ(out->modules[7 * kMaxSide + 9], 1);
    EXPECT_EQ(out->modules[2 * kMaxSide + 2], 0);
    ComposeSymbol(&working, 3, pattern.get(), out.get());
    EXPECT_EQ(out->modules[7 * kMaxSide + 9], 0);
    EXPECT_EQ(out->modules[2 * kMaxSide + 2], 1);
}

TEST_F(TableEngineTest, BlocksOfTwoLengthsAreCorrectedShortestFirst) {
    // Version 5 at level Q: blocks of 33, 33, 34 and 34 codewords, E = 18.
    auto records = std::make_unique<SymbolRecords>();
    ASSERT_EQ(ReadSymbolRecords(HostTableFilePath().c_str(), 5, 'Q', 62, 134, 7, records.get()),
              kQROk);
    EXPECT_EQ(records->eccPerBlock, 18);
    EXPECT_EQ(records->blockCount, 4);
    EXPECT_EQ(std::vector<uint8_t>(records->blockList, records->blockList + 5),
              (std::vector<uint8_t>{33, 33, 34, 34, 0}));
}

// The bit-plane scorer the engine uses against the module-by-module rules,
// on real symbols of many versions under every mask.
TEST_F(TableEngineTest, PlaneScoresEqualTheRulesModuleByModule) {
    auto records = std::make_unique<SymbolRecords>();
    auto working = std::make_unique<WorkingMatrix>();
    auto candidate = std::make_unique<ModuleMatrix>();
    auto planes = std::make_unique<MaskPlanes>();
    auto c = std::make_unique<QRCodewords>();
    for (int version : {1, 2, 7, 14, 21, 27, 32, 40}) {
        for (char level : {'L', 'H'}) {
            const std::string text = "pc" + std::to_string(version);
            ASSERT_EQ(EncodeQRCodewords(text.c_str(), level, 'B', version, c.get()), kQROk);
            const int total = c->dataCount + c->eccCount;
            const int levelCode = level == 'L' ? 1 : 2;
            std::memset(records.get(), 0, sizeof(SymbolRecords));
            ASSERT_EQ(ReadSymbolRecords(HostTableFilePath().c_str(), version, level, c->dataCount,
                                        total, RemainderBitsOf(version), records.get()),
                      kQROk);
            PlaceCodewords(c->bytes, total, RemainderBitsOf(version), records.get(),
                           4 * version + 17, working.get());
            int32_t fast[8];
            ChooseMask(working.get(), levelCode, records.get(), planes.get(), fast);
            for (int m = 0; m < 8; ++m) {
                WriteFormatInformation(levelCode, m, records.get(), working.get());
                ComposeSymbol(working.get(), m, records->pattern, candidate.get());
                EXPECT_EQ(fast[m], PenaltyScore(candidate.get()))
                    << "version " << version << level << " mask " << m;
            }
        }
    }
}

}  // namespace
