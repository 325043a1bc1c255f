// The engine's entry point: arguments, result record and return codes.
#include "qr/symbol_encoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

std::unique_ptr<ModuleMatrix> Filled(uint8_t fill) {
    auto m = std::make_unique<ModuleMatrix>();
    m->side = 99;
    std::memset(m->modules, fill, sizeof m->modules);
    return m;
}

TEST(EncodeQRSymbol, NothingLeftAfterTheFilterIsSuccessWithoutASymbol) {
    auto m = Filled(0xAA);
    EXPECT_EQ(EncodeQRSymbol("abc", 'M', 'N', 0, m.get()), kQROk);
    EXPECT_EQ(m->side, 0);
    EXPECT_EQ(EncodeQRSymbol("", 'M', 'B', 0, m.get()), kQROk);
    EXPECT_EQ(m->side, 0);
    EXPECT_EQ(m->modules[0], 0xAA);  // nothing written
}

TEST(EncodeQRSymbol, FullWidthTextLeavesNothingInAlphanumericOrNumericMode) {
    // "ＱＲ１２" in code page 932: no byte of it is a letter or a digit.
    const char* fullWidth = "\x82\x70\x82\x71\x82\x50\x82\x51";
    auto m = Filled(0xAA);
    EXPECT_EQ(EncodeQRSymbol(fullWidth, 'M', 'A', 0, m.get()), kQROk);
    EXPECT_EQ(m->side, 0);
    EXPECT_EQ(EncodeQRSymbol(fullWidth, 'M', 'N', 0, m.get()), kQROk);
    EXPECT_EQ(m->side, 0);
}

TEST(EncodeQRSymbol, DataThatDoesNotFitLeavesNoSymbol) {
    auto m = Filled(0);
    EXPECT_EQ(EncodeQRSymbol(std::string(3000, 'x').c_str(), 'L', 'B', 0, m.get()), kQRDoesNotFit);
    EXPECT_EQ(m->side, 0);
    m->side = 5;
    EXPECT_EQ(EncodeQRSymbol(std::string(30, '1').c_str(), 'H', 'N', 1, m.get()), kQRDoesNotFit);
    EXPECT_EQ(m->side, 0);
}

TEST(EncodeQRSymbol, BadArgumentsAreRefused) {
    auto m = Filled(0);
    EXPECT_EQ(EncodeQRSymbol(nullptr, 'M', 'B', 0, m.get()), kQRBadArgument);
    EXPECT_EQ(m->side, 0);
    EXPECT_EQ(EncodeQRSymbol("1", 'M', 'B', 0, nullptr), kQRBadArgument);
    EXPECT_EQ(EncodeQRSymbol("1", 'M', 'B', 41, m.get()), kQRBadArgument);
    EXPECT_EQ(EncodeQRSymbol("1", 'M', 'B', -1, m.get()), kQRBadArgument);
    // Nothing kept is no symbol before the version is looked at.
    m->side = 7;
    EXPECT_EQ(EncodeQRSymbol("", 'M', 'B', 41, m.get()), kQROk);
    EXPECT_EQ(m->side, 0);
    EXPECT_EQ(EncodeQRSymbol("abc", 'M', 'N', -1, m.get()), kQROk);
    EXPECT_EQ(m->side, 0);
}

}  // namespace
