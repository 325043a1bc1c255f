// The engine's one question without drawing (PlanQRSymbol, QRModeCapacity,
// QRSymbolMask): its answers are those of the encoding itself.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "qr/symbol_encoder.h"
#include "tests/qr/fake_engine_host.h"

namespace {

class SymbolPlanTest : public ::testing::Test {
  protected:
    void SetUp() override { SetFakeAppFolder(ORVELK_TEST_APP_DIR); }
    void TearDown() override { SetFakeMaskSetting(0); }

    int32_t Plan(const std::string& text, char mode, char level = 'M', int32_t version = 0) {
        return PlanQRSymbol(text.c_str(), level, mode, version, plan.get());
    }
    std::string Segments() const {
        std::string s;
        for (int32_t i = 0; i < plan->segmentCount; ++i)
            s += std::string(s.empty() ? "" : " ") + plan->segments[i].mode +
                 std::to_string(plan->segments[i].characters);
        return s;
    }

    std::unique_ptr<QRSymbolPlan> plan = std::make_unique<QRSymbolPlan>();
};

TEST_F(SymbolPlanTest, TellsTheStreamOfASmallNumericSymbol) {
    ASSERT_EQ(Plan("12345", 'N'), kQROk);
    EXPECT_EQ(plan->version, 1);
    EXPECT_EQ(plan->capacityBits, 128);
    EXPECT_EQ(plan->streamBits, 4 + 10 + 10 + 7);  // mode, count, 123, 45
    EXPECT_EQ(Segments(), "N5");
    EXPECT_EQ(plan->characters, 5);
    EXPECT_EQ(plan->dropped, 0);
}

TEST_F(SymbolPlanTest, TellsWhatTheFilterDropsAndChanges) {
    // "ab" and a two-byte digit "１" (0x82 0x50) in alphanumeric mode: the
    // letters are kept and read back in upper case, the digit is dropped.
    ASSERT_EQ(Plan("ab\x82\x50", 'A'), kQROk);
    EXPECT_EQ(plan->characters, 3);
    EXPECT_EQ(plan->dropped, 1);
    EXPECT_EQ(plan->changed, 2);
    EXPECT_EQ(plan->keptBytes, 2);
    // Nothing kept: no version and no segment, as EncodeQRSymbol gives side 0.
    ASSERT_EQ(Plan("abc", 'N'), kQROk);
    EXPECT_EQ(plan->version, 0);
    EXPECT_EQ(plan->segmentCount, 0);
    EXPECT_EQ(plan->dropped, 3);
}

TEST_F(SymbolPlanTest, CutsAMixedTextAsTheEncodingDoes) {
    // "漢字" (0x8ABF 0x8E9A), "abc", "字".
    ASSERT_EQ(Plan("\x8A\xBF\x8E\x9A" "abc\x8E\x9A", 'M'), kQROk);
    EXPECT_EQ(Segments(), "K2 B3 K1");
    EXPECT_EQ(plan->streamBits, (4 + 8 + 26) + (4 + 8 + 24) + (4 + 8 + 13));
}

TEST_F(SymbolPlanTest, AGivenVersionTooSmallDoesNotFitButStillTellsTheText) {
    const std::string text(40, '7');
    ASSERT_EQ(Plan(text, 'B', 'H', 1), kQRDoesNotFit);
    EXPECT_EQ(plan->version, 0);
    EXPECT_EQ(Segments(), "B40");
    EXPECT_EQ(plan->characters, 40);
    EXPECT_EQ(PlanQRSymbol(nullptr, 'M', 'B', 0, plan.get()), kQRBadArgument);
    EXPECT_EQ(PlanQRSymbol("x", 'M', 'B', 41, plan.get()), kQRBadArgument);
}

// The plan's version and result are the encoding's, over texts that cross
// version boundaries in every mode and level.
TEST_F(SymbolPlanTest, AgreesWithTheEncodingOnVersionAndResult) {
    auto matrix = std::make_unique<ModuleMatrix>();
    for (char level : {'L', 'M', 'Q', 'H'}) {
        for (char mode : {'N', 'A', 'B', 'K', 'M'}) {
            for (int length : {0, 1, 17, 150, 900, 3000, 7100}) {
                std::string text;
                for (int i = 0; i < length; ++i)
                    text += mode == 'K' || (mode == 'M' && i % 5 < 2) ? std::string("\x88\x9F")
                                                                      : std::string(1, '0' + i % 10);
                const int32_t rc = Plan(text, mode, level);
                ASSERT_EQ(rc, EncodeQRSymbol(text.c_str(), level, mode, 0, matrix.get()))
                    << level << mode << length;
                EXPECT_EQ(plan->version, matrix->side == 0 ? 0 : (matrix->side - 17) / 4)
                    << level << mode << length;
                if (plan->version != 0) {
                    EXPECT_LE(plan->streamBits, plan->capacityBits);
                }
            }
        }
    }
}

TEST(QRModeCapacity, CountsPartialGroupsAndWholeGroupsApart) {
    EXPECT_EQ(QRModeCapacity('M', 'N', 1).characters, 34);  // 114 bits: 11 groups and a digit
    EXPECT_EQ(QRModeCapacity('M', 'N', 1).wholeGroups, 33);
    EXPECT_EQ(QRModeCapacity('H', 'B', 1).characters, 7);
    EXPECT_EQ(QRModeCapacity('L', 'N', 40).characters, 7089);
    EXPECT_EQ(QRModeCapacity('L', 'A', 40).characters, 4296);
    EXPECT_EQ(QRModeCapacity('L', 'K', 40).characters, 1817);
    EXPECT_EQ(QRModeCapacity('M', 'M', 1).characters, 0);  // not a single mode
    EXPECT_EQ(QRModeCapacity('M', 'B', 0).characters, 0);
}

TEST_F(SymbolPlanTest, TheMaskIsReadBackFromTheSymbol) {
    auto matrix = std::make_unique<ModuleMatrix>();
    for (int32_t setting = 1; setting <= 8; ++setting) {
        SetFakeMaskSetting(setting);
        ASSERT_EQ(EncodeQRSymbol("MASK", 'Q', 'A', 3, matrix.get()), kQROk);
        EXPECT_EQ(QRSymbolMask(matrix.get(), 'Q'), setting - 1);
        EXPECT_EQ(QRSymbolMask(matrix.get(), 'L'), -1);  // another level's strings
    }
    matrix->side = 0;
    EXPECT_EQ(QRSymbolMask(matrix.get(), 'Q'), -1);
}

}  // namespace
