// PluginMain: dispatch, the suite table's acquisition and release around each
// message, nesting, the life cycle of the globals record.
#include "shell/plugin_main.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "globals/plugin_state.h"
#include "shell/filter_run.h"
#include "shell/suite_table.h"
#include "tests/support/fake_host.h"

namespace {

// The suites the plug-in acquires, with their versions, in its order.
std::vector<std::string> ExpectedSuiteTable() {
    std::vector<std::string> table = {
        "SP Blocks Suite 2",       "SP Access Suite 3",        "AI Plugin Suite 3",
        "AI MdMemory Suite 1",     "AI Real Math Suite 1",     "AI Fixed Math Suite 2",
        "AI Layer Suite 9",        "AI Art Suite 10",          "AI User Suite 6",
        "AI Path Suite 5",         "AI Path Style Suite 5",    "AI Matching Art Suite 5",
        "AI Document Suite 8",     "AI Document List Suite 2", "AI Document View Suite 7",
        "AI Undo Suite 4",         "AI Context Suite 3",       "AI Preference Suite 2",
        "AI Runtime Suite 7",      "AI Draw Art Suite 6",      "AI Raster Suite 5",
        "AI Gradient Suite 5",     "AI Custom Color Suite 5",  "AI Group Suite 3",
        "AI Pattern Suite 7",      "AI Transform Art Suite 1", "AI Hard Soft Suite 2",
        "AI Mesh Suite 3",         "AI Mesh Patch Suite 1",    "AI Mesh Vertex Suite 1",
        "AI Mesh Segment Suite 1", "AI Plugin Group Suite 3",  "AI TabletData Suite 1",
        "AI Text Frame Suite 1",   "AI Font Suite 1",          "AI Foreign Object Suite 1",
        "AIATE Paint Suite 1",
    };
    const char* const kTextEngine[] = {
        "ApplicationPaint",
        "CompFont",
        "CompFontClass",
        "CompFontClassSet",
        "CompFontComponent",
        "CompFontSet",
        "GlyphRun",
        "GlyphRunsIterator",
        "MojiKumi",
        "MojiKumiSet",
        "TextFrame",
        "TextFramesIterator",
        "TextLine",
        "TextLinesIterator",
        "TextResources",
        "ApplicationTextResources",
        "DocumentTextResources",
        "ArrayApplicationPaintRef",
        "ArrayReal",
        "ArrayBool",
        "ArrayInteger",
        "ArrayLineCapType",
        "ArrayFigureStyle",
        "ArrayLineJoinType",
        "ArrayWariChuJustification",
        "ArrayStyleRunAlignment",
        "ArrayAutoKernType",
        "ArrayBaselineDirection",
        "ArrayLanguage",
        "ArrayFontCapsOption",
        "ArrayFontBaselineOption",
        "ArrayParagraphJustification",
        "ArrayArrayReal",
        "ArrayBurasagariType",
        "ArrayPreferredKinsokuOrder",
        "ArrayKinsokuRef",
        "ArrayMojiKumiRef",
        "ArrayMojiKumiSetRef",
        "ArrayTabStopsRef",
        "ArrayLeadingType",
        "ArrayFontRef",
        "ArrayGlyphID",
        "ArrayRealPoint",
        "ArrayRealMatrix",
        "CharFeatures",
        "CharInspector",
        "CharStyle",
        "CharStyles",
        "CharStylesIterator",
        "Find",
        "Font",
        "Glyph",
        "Glyphs",
        "GlyphsIterator",
        "Kinsoku",
        "KinsokuSet",
        "ParaFeatures",
        "Paragraph",
        "ParagraphsIterator",
        "ParaInspector",
        "ParaStyle",
        "ParaStyles",
        "ParaStylesIterator",
        "Spell",
        "Stories",
        "Story",
        "TabStop",
        "TabStops",
        "TabStopsIterator",
        "TextRange",
        "TextRanges",
        "TextRangesIterator",
        "TextRunsIterator",
        "WordsIterator",
    };
    for (const char* name : kTextEngine) table.push_back(std::string("ATE ") + name + " Suite 1");
    const std::vector<std::string> last = {
        "AI Mask Suite 3",           "AI Blend Style Suite 3",
        "AI Dictionary Suite 5",     "AI Dictionary Iterator Suite 1",
        "AI Art Style Suite 3",      "AI Application Suite 1",
        "AI Rasterize Suite 5",      "AI Art Set Suite 6",
        "AI Menu Suite 7",           "AI Filter Suite 2",
        "AI Action Manager Suite 2", "ADM Dialog Suite 5",
        "ADM Item Suite 7",          "ADM Notifier Suite 2",
        "ADM Basic Suite 2",         "ADM Icon Suite 1",
        "ADM Drawer Suite 3",        "ADM Entry Suite 2",
        "ADM List Suite 1",          "ADM Dialog Group Suite 1",
        "ADM Tracker Suite 1",       "ADM Image Suite 1",
    };
    table.insert(table.end(), last.begin(), last.end());
    return table;
}

// The S!Fd code as the alert prints it.
const std::string kSuiteNotFoundDecimal = std::to_string(kSPSuiteNotFoundError);

using PluginMainTest = PluginTest;

TEST_F(PluginMainTest, AcquiresAndReleasesTheWholeTableInOrderAroundAMessage) {
    const std::vector<std::string> expected = ExpectedSuiteTable();
    ASSERT_EQ(expected.size(), 133u);
    EXPECT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    EXPECT_EQ(host_.acquired, expected);
    EXPECT_EQ(host_.released, expected);
    EXPECT_TRUE(host_.held.empty());
    EXPECT_EQ(gPluginState.acquireDepth, 0);
    for (const SuiteTableEntry& entry : kSuiteTable) {
        EXPECT_EQ(SuitePointer(entry), nullptr) << entry.name;
    }
    // The ADM Basic suite is the 126th entry.
    EXPECT_STREQ(kSuiteTable[125].name, "ADM Basic Suite");
}

TEST_F(PluginMainTest, UnknownCallersAndSelectorsGiveZeroAfterAcquiringAndReleasing) {
    const char* const kMessages[][2] = {
        {"SP Interface", "Purge"},
        {"AI Filter", "AI Filter Options"},
        {"Action Manager", "Undo"},
        {"AI Notifier", "AI Go"},
        {"", ""},
    };
    for (const auto& m : kMessages) {
        host_.acquired.clear();
        host_.released.clear();
        EXPECT_EQ(Send(m[0], m[1]), kSPNoError) << m[0] << " / " << m[1];
        EXPECT_EQ(host_.acquired.size(), 133u) << m[0];
        EXPECT_EQ(host_.released.size(), 133u) << m[0];
    }
    EXPECT_TRUE(host_.held.empty());
    EXPECT_TRUE(host_.modals.empty());
    EXPECT_TRUE(host_.allocatedNames.empty());
}

TEST_F(PluginMainTest, SPAccessMessagesAcquireNothingAndReportNothing) {
    for (const char* selector : {"Unload", "Reload", "Flush", ""}) {
        EXPECT_EQ(Send("SP Access", selector), kSPNoError) << selector;
    }
    EXPECT_TRUE(host_.acquired.empty());
    EXPECT_TRUE(host_.released.empty());
    EXPECT_TRUE(host_.modals.empty());
    EXPECT_TRUE(host_.alerts.empty());
}

TEST_F(PluginMainTest, ComparesThroughTheBasicSuiteInTheTableOrder) {
    // A host whose string equality ignores case: the plug-in's own comparison
    // would not start up.
    host_.caseInsensitiveIsEqual = true;
    EXPECT_EQ(Send("sp interface", "STARTUP"), kSPNoError);
    EXPECT_EQ(host_.allocatedNames, std::vector<std::string>{"globals"});

    host_.comparisons.clear();
    InstallTableFile();
    EXPECT_EQ(Send("AI Filter", "AI Go"), kSPNoError);
    std::vector<std::string> tested;
    for (const auto& [a, b] : host_.comparisons) tested.push_back(b);
    const std::vector<std::string> expected = {"SP Access", "SP Interface", "AI Filter",
                                               "AI Get Parameters", "AI Go"};
    EXPECT_EQ(tested, expected);

    host_.comparisons.clear();
    EXPECT_EQ(Send("SP Interface", "Shutdown"), kSPNoError);
    tested.clear();
    for (const auto& [a, b] : host_.comparisons) tested.push_back(b);
    EXPECT_EQ(tested, (std::vector<std::string>{"SP Access", "SP Interface", "Startup", "About",
                                                "Shutdown"}));
}

TEST_F(PluginMainTest, StartupSetsEveryDefaultOverAFreshBlockAndAddsTheFilter) {
    EXPECT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    const PluginGlobals* globals = gPluginState.globals;
    ASSERT_NE(globals, nullptr);
    EXPECT_EQ(host_.allocatedNames, std::vector<std::string>{"globals"});
    // The fake block came filled with 0xA5 bytes.
    EXPECT_EQ(globals->filter, kFakeFilter);
    EXPECT_EQ(globals->level, 1);
    EXPECT_EQ(globals->version, 0);
    EXPECT_EQ(globals->mode, 2);
    EXPECT_EQ(globals->maskSetting, 0);
    EXPECT_EQ(globals->moduleSize, 3);
    EXPECT_EQ(globals->infoLine[0], '\0');
    EXPECT_EQ(globals->previewMatrix, nullptr);
    EXPECT_STREQ(globals->text, "*SAMPLE TEXT*");
    EXPECT_EQ(host_.registerCalls, 1);
}

TEST_F(PluginMainTest, StartupLoadsThePreferencesFileOverTheDefaults) {
    WritePrefsFile("qr_version = 7\r\nbarcode_text00 = \"from the file\"\r\n");
    EXPECT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    ASSERT_NE(gPluginState.globals, nullptr);
    EXPECT_EQ(gPluginState.globals->version, 7);
    EXPECT_EQ(gPluginState.globals->level, 1);
    EXPECT_STREQ(gPluginState.globals->text, "from the file");
}

TEST_F(PluginMainTest, StartupWithoutABlockReportsTheHostsError) {
    host_.allocateError = kPluginOutOfMemoryError;
    EXPECT_EQ(Send("SP Interface", "Startup"), kPluginOutOfMemoryError);
    EXPECT_EQ(gPluginState.globals, nullptr);
    EXPECT_EQ(host_.addFilterCalls, 0);
    ASSERT_EQ(host_.modals.size(), 1u);
    EXPECT_EQ(host_.modals[0].dialogID, 16051);
    EXPECT_EQ(host_.modals[0].itemTexts[3], "-108");

    // A host that gives no block and no error.
    host_.allocateError = kSPNoError;
    host_.allocateGivesNull = true;
    EXPECT_EQ(Send("SP Interface", "Startup"), kPluginOutOfMemoryError);
    EXPECT_EQ(gPluginState.globals, nullptr);
    EXPECT_EQ(host_.addFilterCalls, 0);
}

TEST_F(PluginMainTest, ShutdownFreesTheRecordAndNullsBothPointers) {
    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    void* record = gPluginState.globals;
    message_.globals = record;
    host_.acquired.clear();
    EXPECT_EQ(Send("SP Interface", "Shutdown"), kSPNoError);
    EXPECT_EQ(host_.freedBlocks, std::vector<void*>{record});
    EXPECT_EQ(host_.liveBlocks, 0);
    EXPECT_EQ(gPluginState.globals, nullptr);
    EXPECT_EQ(message_.globals, nullptr);
    // The block suite once more, on its own, after the table.
    EXPECT_EQ(host_.acquired.size(), 134u);
    EXPECT_EQ(host_.acquired.back(), "SP Blocks Suite 2");
    EXPECT_TRUE(host_.held.empty());
    // Shutdown writes no preferences.
    EXPECT_FALSE(PrefsFileExists());
}

TEST_F(PluginMainTest, ShutdownWithoutTheBlockSuiteKeepsTheRecordAndNullsTheMessages) {
    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    PluginGlobals* record = gPluginState.globals;
    message_.globals = record;
    host_.acquireFailures[kSPBlocksSuite] = kSPSuiteNotFoundError;
    EXPECT_EQ(Send("SP Interface", "Shutdown"), kSPSuiteNotFoundError);
    EXPECT_EQ(gPluginState.globals, record);
    EXPECT_EQ(message_.globals, nullptr);
    EXPECT_TRUE(host_.freedBlocks.empty());
    EXPECT_TRUE(host_.modals.empty());
}

TEST_F(PluginMainTest, ASecondStartupBeginsAgainFromDefaultsAndTheFile) {
    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    gPluginState.globals->level = 3;
    gPluginState.globals->maskSetting = 5;
    std::strcpy(gPluginState.globals->text, "changed");
    ASSERT_EQ(Send("SP Interface", "Shutdown"), kSPNoError);

    WritePrefsFile("qr_cellsize = 10\r\n");
    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    const PluginGlobals* globals = gPluginState.globals;
    ASSERT_NE(globals, nullptr);
    EXPECT_EQ(globals->level, 1);
    EXPECT_EQ(globals->maskSetting, 0);
    EXPECT_EQ(globals->moduleSize, 10);
    EXPECT_STREQ(globals->text, "*SAMPLE TEXT*");
    EXPECT_EQ(host_.allocatedNames.size(), 2u);
}

TEST_F(PluginMainTest, UnloadAndReloadKeepTheRecordAndResetTheDepth) {
    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    PluginGlobals* record = gPluginState.globals;
    record->level = 2;
    record->version = 12;
    record->mode = 4;
    record->maskSetting = 8;
    record->moduleSize = 0;
    std::strcpy(record->text, "kept across the unload");

    EXPECT_EQ(Send("SP Access", "Unload"), kSPNoError);
    EXPECT_EQ(message_.globals, record);

    // The module is unloaded: its state is gone; a message left a depth behind.
    ResetPluginState();
    gPluginState.acquireDepth = 3;
    EXPECT_EQ(Send("SP Access", "Reload"), kSPNoError);
    EXPECT_EQ(gPluginState.globals, record);
    EXPECT_EQ(gPluginState.acquireDepth, 0);
    EXPECT_EQ(record->level, 2);
    EXPECT_EQ(record->version, 12);
    EXPECT_EQ(record->mode, 4);
    EXPECT_EQ(record->maskSetting, 8);
    EXPECT_EQ(record->moduleSize, 0);
    EXPECT_STREQ(record->text, "kept across the unload");

    // With the depth back at 0 the next message acquires again.
    host_.acquired.clear();
    EXPECT_EQ(Send("SP Interface", "About"), kSPNoError);
    EXPECT_EQ(host_.acquired.size(), 133u);
    EXPECT_TRUE(host_.held.empty());
}

TEST_F(PluginMainTest, AboutRunsItsDialogWhoseOkUsesTheDefaultNotification) {
    EXPECT_EQ(Send("SP Interface", "About"), kSPNoError);
    ASSERT_EQ(host_.modals.size(), 1u);
    const RecordedModal& about = host_.modals[0];
    EXPECT_EQ(about.self, kFakeSelf);
    EXPECT_FALSE(about.hasName);
    EXPECT_EQ(about.dialogID, 16050);
    EXPECT_EQ(about.style, kADMModalDialogStyle);
    EXPECT_EQ(about.userData, nullptr);
    EXPECT_EQ(about.options, 0);
    EXPECT_TRUE(about.okHasNotifyProc);
    EXPECT_EQ(about.defaultNotifies, 1);
}

TEST_F(PluginMainTest, MessagesInsideADialogShareTheOuterSuites) {
    InstallTableFile();
    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    host_.acquired.clear();
    host_.released.clear();
    ASErr nested = -1;
    int16_t depthInside = 0;
    size_t acquiredInside = 0;
    host_.duringModal = [&] {
        depthInside = gPluginState.acquireDepth;
        nested = Send("AI Filter", "AI Go");
        acquiredInside = host_.acquired.size();
        // The nested message gave nothing back.
        EXPECT_TRUE(host_.released.empty());
        EXPECT_NE(gPluginState.admItem, nullptr);
        EXPECT_NE(gPluginState.blocks, nullptr);
        EXPECT_EQ(gPluginState.acquireDepth, 1);
    };
    EXPECT_EQ(Send("SP Interface", "About"), kSPNoError);
    EXPECT_EQ(nested, kSPNoError);
    EXPECT_EQ(depthInside, 1);
    EXPECT_EQ(acquiredInside, 133u);
    EXPECT_EQ(host_.released.size(), 133u);
    EXPECT_EQ(gPluginState.acquireDepth, 0);
    EXPECT_TRUE(host_.held.empty());
}

TEST_F(PluginMainTest, CancelAndTheUnreportedCodesReachTheHostSilently) {
    for (ASErr code : {kCanceledErr, ASErr{1}, kSPSuiteNotFoundError}) {
        host_.addFilterError = code;
        EXPECT_EQ(Send("SP Interface", "Startup"), code);
        EXPECT_EQ(host_.registerCalls, 0);
        EXPECT_EQ(Send("SP Interface", "Shutdown"), kSPNoError);
    }
    EXPECT_TRUE(host_.modals.empty());
    EXPECT_TRUE(host_.alerts.empty());
}

TEST_F(PluginMainTest, FailuresBeforeTheADMBasicSuiteAreSilentAndThePassGoesOn) {
    host_.acquireFailures["AI Layer Suite"] = kSPSuiteNotFoundError;
    host_.acquireFailures["AI Preference Suite"] = -1;
    EXPECT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    EXPECT_EQ(host_.acquired.size(), 133u);
    EXPECT_TRUE(host_.alerts.empty());
    EXPECT_TRUE(host_.modals.empty());
    EXPECT_NE(gPluginState.globals, nullptr);  // the handler ran
    // What was not acquired is not released.
    EXPECT_EQ(host_.released.size(), 131u);
    EXPECT_TRUE(host_.held.empty());
}

TEST_F(PluginMainTest, ASuiteAHandlerNeedsThatWasNotAcquiredFailsTheMessage) {
    auto shutdown = [this] {
        host_.acquireFailures.clear();
        EXPECT_EQ(Send("SP Interface", "Shutdown"), kSPNoError);
    };
    // The host leaves a bad pointer behind each failed acquisition.
    host_.acquireFailures[kAIFilterSuite] = kSPSuiteNotFoundError;
    EXPECT_EQ(Send("SP Interface", "Startup"), kSPSuiteNotFoundError);
    EXPECT_EQ(host_.addFilterCalls, 0);
    EXPECT_EQ(host_.registerCalls, 0);
    EXPECT_TRUE(host_.modals.empty());
    shutdown();

    host_.acquireFailures = {{kSPBlocksSuite, kSPSuiteNotFoundError}};
    EXPECT_EQ(Send("SP Interface", "Startup"), kSPSuiteNotFoundError);
    EXPECT_EQ(host_.allocatedNames.size(), 1u);  // only the first startup's
    EXPECT_EQ(gPluginState.globals, nullptr);

    host_.acquireFailures = {{kAIActionManagerSuite, kSPSuiteNotFoundError}};
    EXPECT_EQ(Send("SP Interface", "Startup"), kSPSuiteNotFoundError);
    EXPECT_EQ(host_.addFilterCalls, 1);
    EXPECT_EQ(host_.registerCalls, 0);
    shutdown();

    host_.acquireFailures = {{kADMDialogSuite, kSPSuiteNotFoundError}};
    EXPECT_EQ(Send("SP Interface", "About"), kSPSuiteNotFoundError);
    EXPECT_TRUE(host_.modals.empty());

    // Without the Runtime suite the preferences are not found: the defaults stay.
    WritePrefsFile("qr_version = 9\r\n");
    host_.acquireFailures = {{kAIRuntimeSuite, kSPSuiteNotFoundError}};
    EXPECT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    EXPECT_EQ(gPluginState.globals->version, 0);
    EXPECT_TRUE(host_.held.empty());
}

TEST_F(PluginMainTest, AFailureWhileTheADMBasicSuiteIsHeldIsShownAndStopsThePass) {
    host_.acquireFailures["ADM Drawer Suite"] = kSPSuiteNotFoundError;
    EXPECT_EQ(Send("SP Interface", "Startup"), kSPSuiteNotFoundError);
    EXPECT_EQ(host_.alerts, std::vector<std::string>{"Error: " + kSuiteNotFoundDecimal +
                                                     ", suite: ADM Drawer Suite, version: 3!"});
    EXPECT_EQ(host_.acquired.back(), "ADM Drawer Suite 3");
    EXPECT_EQ(host_.acquired.size(), 128u);
    EXPECT_TRUE(host_.allocatedNames.empty());  // no handler ran
    EXPECT_TRUE(host_.modals.empty());          // "S!Fd" is not reported
    EXPECT_EQ(host_.released.size(), 127u);
    EXPECT_TRUE(host_.held.empty());
    EXPECT_EQ(gPluginState.acquireDepth, 0);
}

TEST_F(PluginMainTest, AnAcquisitionErrorOtherThanNotFoundIsAlsoReported) {
    host_.acquireFailures["ADM Image Suite"] = kPluginOutOfMemoryError;
    EXPECT_EQ(Send("SP Interface", "About"), kPluginOutOfMemoryError);
    EXPECT_EQ(host_.alerts,
              std::vector<std::string>{"Error: -108, suite: ADM Image Suite, version: 1!"});
    ASSERT_EQ(host_.modals.size(), 1u);  // the error dialog, not the About box
    EXPECT_EQ(host_.modals[0].dialogID, 16051);
    EXPECT_EQ(host_.modals[0].itemTexts[3], "-108");
}

TEST_F(PluginMainTest, WithoutTheADMBasicSuiteOnlyTheLastEntryFailsThePass) {
    host_.acquireFailures[kADMBasicSuite] = kSPSuiteNotFoundError;
    EXPECT_EQ(Send("SP Interface", "About"), kSPNoError);
    EXPECT_TRUE(host_.alerts.empty());

    host_.acquireFailures["ADM Image Suite"] = kPluginOutOfMemoryError;
    host_.modals.clear();
    EXPECT_EQ(Send("SP Interface", "About"), kPluginOutOfMemoryError);
    EXPECT_TRUE(host_.alerts.empty());
    EXPECT_TRUE(host_.modals.empty());  // neither the About box nor an error dialog
    EXPECT_TRUE(host_.held.empty());
}

TEST_F(PluginMainTest, AFailedReleaseStopsTheReleasePass) {
    host_.releaseFailures["AI Layer Suite"] = -1;
    EXPECT_EQ(Send("SP Interface", "About"), kSPNoError);
    EXPECT_EQ(host_.released.back(), "AI Layer Suite 9");
    EXPECT_EQ(host_.released.size(), 7u);
    EXPECT_EQ(gPluginState.blocks, nullptr);  // released before it
    EXPECT_NE(gPluginState.art, nullptr);     // kept after it
    EXPECT_EQ(gPluginState.acquireDepth, 0);
}

TEST_F(PluginMainTest, AMessageWithoutItsRecordOrBasicSuiteIsRefused) {
    EXPECT_EQ(PluginMain("SP Interface", "Startup", nullptr), kSPBadParameterError);
    SPMessageData noBasic = FakeMessage();
    noBasic.basic = nullptr;
    EXPECT_EQ(PluginMain("SP Interface", "Startup", &noBasic), kSPBadParameterError);
    EXPECT_TRUE(host_.acquired.empty());
}

TEST_F(PluginMainTest, FilterAndActionMessagesAreMatchedToTheirOwners) {
    AIFilterMessage filter = {FakeMessage(), kFakeFilter, nullptr};
    AIActionDoActionMessage action = FakeDoAction(nullptr, 1000);
    // Before startup: no filter of this plug-in exists, and none is drawn.
    EXPECT_EQ(Send("AI Filter", "AI Get Parameters", &filter), kSPNoError);
    EXPECT_EQ(Send("AI Filter", "AI Go", &filter), kSPBadParameterError);
    EXPECT_EQ(Send("Action Manager", "Do Action", &action), kSPNoError);

    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    host_.modals.clear();
    filter.filter = reinterpret_cast<AIFilterHandle>(0x0DD);
    EXPECT_EQ(Send("AI Filter", "AI Get Parameters", &filter), kSPNoError);
    EXPECT_TRUE(host_.modals.empty());  // another plug-in's filter: no dialog
    filter.filter = kFakeFilter;
    EXPECT_EQ(Send("AI Filter", "AI Get Parameters", &filter), kSPNoError);
    ASSERT_EQ(host_.modals.size(), 1u);  // the settings dialog, closed with OK
    EXPECT_EQ(host_.modals[0].dialogID, 16052);
    host_.modals.clear();
    InstallTableFile();
    EXPECT_EQ(Send("AI Filter", "AI Go", &filter), kSPNoError);
    EXPECT_GT(host_.artCalls, 0);
    EXPECT_TRUE(host_.modals.empty());
    // The action's own user data is played: this action holds no values.
    action.userData = reinterpret_cast<ActionUserData>(1001);
    EXPECT_EQ(Send("Action Manager", "Do Action", &action), kQRActionBadParameters);
    ASSERT_EQ(host_.modals.size(), 1u);
    EXPECT_EQ(host_.modals[0].itemTexts[3], "!Prm");
    EXPECT_TRUE(host_.held.empty());
}

}  // namespace
