// The host interface's codes, as the host and stored actions know them.
#include <gtest/gtest.h>

#include "hostapi/ai_action_manager.h"
#include "hostapi/ai_runtime.h"
#include "hostapi/sp_basic.h"

namespace {

TEST(FourCharCode, FirstCharacterIsTheMostSignificantByte) {
    EXPECT_EQ(MakeFourCharCode("STOP"), 0x53544F50u);
    EXPECT_EQ(kSPUserCanceledError, 0x53544F50);
    EXPECT_EQ(kSPSuiteNotFoundError, 0x53214664);
    EXPECT_EQ(kActionRealType, 0x7265616Cu);
    EXPECT_EQ(kActionIntegerType, 0x6C6F6E67u);
    EXPECT_EQ(kActionStringType, 0x7374726Eu);
    EXPECT_EQ(MakeFourCharCode("plcx"), 0x706C6378u);
}

TEST(FourCharCode, HighBytesAreNotSignExtended) {
    EXPECT_EQ(MakeFourCharCode("\xFF\x80\x01\x7F"), 0xFF80017Fu);
    EXPECT_EQ(MakeFourCharError("\x80\0\0\0"), static_cast<ASErr>(0x80000000u));
}

TEST(HostFilePath, HoldsThreeHundredBytes) {
    EXPECT_EQ(sizeof(SPPlatformFileSpecification), 300u);
}

}  // namespace
