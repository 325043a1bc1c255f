// The error reporter: the error table's message and the code's text in the
// error dialog.
#include "shell/error_reporter.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/suite_table.h"
#include "tests/support/fake_host.h"

namespace {

const char kMemory[] =
    "The filter cannot complete because there isn't enough memory (RAM) available.";
const char kUnknown[] = "The filter cannot complete because of an unknown error.";

class ErrorReporterTest : public PluginTest {
  protected:
    // Reports `code` with the suites of a message held, as PluginMain does.
    void Report(ASErr code) {
        AcquireSuites(FakeBasicSuite());
        ReportError(&message_, code);
        ReleaseSuites(FakeBasicSuite());
    }
};

struct ShownCase {
    const char* what;
    ASErr code;
    const char* message;
    std::string codeText;
};

TEST_F(ErrorReporterTest, ShowsTheTablesMessageAndTheCode) {
    const ShownCase kCases[] = {
        {"a listed negative number", -108, kMemory, "-108"},
        {"a listed positive number", 271, kMemory, "271"},
        {"a listed code", MakeFourCharError("SEGM"),
         "The filter cannot complete because a layer is locked or invisible.", "SEGM"},
        {"a listed code with a symbol", MakeFourCharError("!sel"),
         "The selection is not valid for this filter.", "!sel"},
        {"the filter's own failure", -1, kUnknown, "-1"},
        {"an unlisted small number", 5, kUnknown, "5"},
        {"the smallest decimal code", -65536, kUnknown, "-65536"},
        {"the largest decimal code", 65535, kUnknown, "65535"},
        {"an unlisted code", MakeFourCharError("Parm"), kUnknown, "Parm"},
        {"an unprintable code", 0x01020304, kUnknown, "\x01\x02\x03\x04"},
        {"a zero byte ends the code text", 0x41420043, kUnknown, "AB"},
        {"a code beginning with a zero byte", 0x00010000, kUnknown, ""},
    };
    for (const ShownCase& c : kCases) {
        host_.modals.clear();
        Report(c.code);
        ASSERT_EQ(host_.modals.size(), 1u) << c.what;
        const RecordedModal& dialog = host_.modals[0];
        EXPECT_EQ(dialog.self, kFakeSelf);
        EXPECT_EQ(dialog.name, "Error Dialog");
        EXPECT_EQ(dialog.dialogID, 16051);
        EXPECT_EQ(dialog.style, kADMModalDialogStyle);
        EXPECT_NE(dialog.userData, nullptr);
        EXPECT_EQ(dialog.options, 0);
        EXPECT_EQ(dialog.itemTexts.at(2), c.message) << c.what;
        EXPECT_EQ(dialog.itemTexts.at(3), c.codeText) << c.what;
        EXPECT_EQ(dialog.itemTexts.size(), 2u) << c.what;  // item 4 left alone
        EXPECT_TRUE(dialog.okHasNotifyProc);
        EXPECT_EQ(dialog.defaultNotifies, 1);
    }
    for (int32_t list : host_.stringListIDs) EXPECT_EQ(list, 16050);
}

TEST_F(ErrorReporterTest, ShowsNothingForSuccessOrCancel) {
    Report(kSPNoError);
    Report(kCanceledErr);
    EXPECT_TRUE(host_.modals.empty());
    EXPECT_TRUE(host_.stringListIDs.empty());
}

TEST_F(ErrorReporterTest, ShowsNothingWithoutTheADMSuites) {
    for (const char* missing : {kADMBasicSuite, kADMDialogSuite}) {
        host_.acquireFailures = {{missing, kSPSuiteNotFoundError}};
        Report(-108);
        EXPECT_TRUE(host_.modals.empty()) << missing;
    }
}

TEST_F(ErrorReporterTest, ShowsNothingWhenTheMessageCannotBeRead) {
    host_.errorTable.erase(2);  // the message of -108
    Report(-108);
    EXPECT_TRUE(host_.modals.empty());

    // With no table at all, the marker at index 0 is no message.
    host_.errorTable = {{0, "<Mac strings begin at index 1>"}};
    Report(-108);
    EXPECT_TRUE(host_.modals.empty());
}

TEST_F(ErrorReporterTest, TheFallbackIsTheMessageOfTheLastPairBeforeTheEnd) {
    // The list ends at the first empty code string.
    host_.errorTable[5] = "";
    Report(MakeFourCharError("SEGM"));
    ASSERT_EQ(host_.modals.size(), 1u);
    EXPECT_EQ(host_.modals[0].itemTexts.at(2), kMemory);
    EXPECT_EQ(host_.modals[0].itemTexts.at(3), "SEGM");
}

TEST_F(ErrorReporterTest, NumbersInTheTableCompareByTheirLow16Bits) {
    host_.errorTable[11] = "65535.9";  // truncated, then -1 as 16 bits
    Report(-1);
    ASSERT_EQ(host_.modals.size(), 1u);
    EXPECT_EQ(host_.modals[0].itemTexts.at(2), kUnknown);  // the message after it
    EXPECT_EQ(host_.modals[0].itemTexts.at(3), "-1");

    // A code whose high bits are set is not that number.
    host_.modals.clear();
    Report(0x0001FF94);  // low 16 bits are -108
    ASSERT_EQ(host_.modals.size(), 1u);
    EXPECT_EQ(host_.modals[0].itemTexts.at(2), kUnknown);
}

TEST_F(ErrorReporterTest, WithoutTheUserSuiteNumbersAreStillReadAndWritten) {
    host_.acquireFailures = {{kAIUserSuite, kSPSuiteNotFoundError}};
    Report(271);
    ASSERT_EQ(host_.modals.size(), 1u);
    EXPECT_EQ(host_.modals[0].itemTexts.at(2), kMemory);
    EXPECT_EQ(host_.modals[0].itemTexts.at(3), "271");
}

TEST_F(ErrorReporterTest, ALongMessageIsCutToTheRecord) {
    host_.errorTable[2] = std::string(400, 'm');
    Report(-108);
    ASSERT_EQ(host_.modals.size(), 1u);
    EXPECT_EQ(host_.modals[0].itemTexts.at(2), std::string(255, 'm'));
}

}  // namespace
