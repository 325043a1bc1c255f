// The host interface's codes, as the host and stored actions know them.
#include <gtest/gtest.h>

#include <cstddef>

#include "hostapi/adm_dialog.h"
#include "hostapi/adm_item.h"
#include "hostapi/ai_action_manager.h"
#include "hostapi/ai_document_view.h"
#include "hostapi/ai_menu.h"
#include "hostapi/ai_path_style.h"
#include "hostapi/layout_checks.h"
#include "hostapi/ai_runtime.h"
#include "hostapi/sp_basic.h"

namespace {

TEST(FourCharCode, FirstCharacterIsTheMostSignificantByte) {
    EXPECT_EQ(MakeFourCharCode("STOP"), 0x53544F50u);
    EXPECT_EQ(kCanceledErr, 0x53544F50);
    // The architecture's own cancel code is the lower-case one.
    EXPECT_EQ(kSPUserCanceledError, 0x73746F70);
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

// The slots and, with 4-byte pointers, the records are held at compile time
// (hostapi/layout_checks.h); here what a 64-bit build can see at run time.
TEST(HostLayout, BooleansAndEnumerationsAreFourBytesEverywhere) {
    EXPECT_EQ(sizeof(ASBoolean), 4u);
    EXPECT_EQ(sizeof(AIColorKind), 4u);
    EXPECT_EQ(sizeof(AILineCap), 4u);
    EXPECT_EQ(sizeof(ActionDialogStatus), 4u);
    EXPECT_EQ(sizeof(ADMDialogStyle), 4u);
    EXPECT_EQ(sizeof(ASReal), 4u);
    EXPECT_EQ(offsetof(AIActionManagerSuite, GetString), 45 * sizeof(void*));
    EXPECT_EQ(offsetof(ADMItemSuite, GetIntValue), 95 * sizeof(void*));
    EXPECT_EQ(offsetof(AIDocumentViewSuite, GetDocumentViewCenter), sizeof(void*));
    // The style record's floats and booleans in the host's order: the note
    // comes last, after the resolution.
    EXPECT_LT(offsetof(AIPathStyle, resolution), offsetof(AIPathStyle, note));
    EXPECT_EQ(sizeof(AIPathStyle{}.note), 256u);
}

TEST(HostLayout, TheCodesAndValuesTheHostDocuments) {
    EXPECT_EQ(kDialogOff, 3);
    EXPECT_EQ(kThreeColor, 5);
    EXPECT_EQ(kADMDefaultItemID, -3);
    EXPECT_EQ(kADMCancelItemID, -4);
    EXPECT_EQ(kSPOutOfMemoryError, -148);
    EXPECT_EQ(kIfOpenDocument, 0x40);
}

}  // namespace
