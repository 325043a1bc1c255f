#include "shell/suite_table.h"

#include <cassert>
#include <cstdio>

#include "globals/plugin_state.h"

// clang-format off
const SuiteTableEntry kSuiteTable[kSuiteTableSize] = {
    {kSPBlocksSuite, kSPBlocksSuiteVersion, SuiteSlot::kBlocks, -1},
    {"SP Access Suite", 3, SuiteSlot::kOther, 0},
    {"AI Plugin Suite", 3, SuiteSlot::kOther, 1},
    {"AI MdMemory Suite", 1, SuiteSlot::kOther, 2},
    {"AI Real Math Suite", 1, SuiteSlot::kOther, 3},
    {"AI Fixed Math Suite", 2, SuiteSlot::kOther, 4},
    {"AI Layer Suite", 9, SuiteSlot::kOther, 5},
    {kAIArtSuite, kAIArtSuiteVersion, SuiteSlot::kArt, -1},
    {kAIUserSuite, kAIUserSuiteVersion, SuiteSlot::kUser, -1},
    {kAIPathSuite, kAIPathSuiteVersion, SuiteSlot::kPath, -1},
    {kAIPathStyleSuite, kAIPathStyleSuiteVersion, SuiteSlot::kPathStyle, -1},
    {"AI Matching Art Suite", 5, SuiteSlot::kOther, 6},
    {"AI Document Suite", 8, SuiteSlot::kOther, 7},
    {"AI Document List Suite", 2, SuiteSlot::kOther, 8},
    {kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, SuiteSlot::kDocumentView, -1},
    {"AI Undo Suite", 4, SuiteSlot::kOther, 9},
    {"AI Context Suite", 3, SuiteSlot::kOther, 10},
    {"AI Preference Suite", 2, SuiteSlot::kOther, 11},
    {kAIRuntimeSuite, kAIRuntimeSuiteVersion, SuiteSlot::kRuntime, -1},
    {"AI Draw Art Suite", 6, SuiteSlot::kOther, 12},
    {"AI Raster Suite", 5, SuiteSlot::kOther, 13},
    {"AI Gradient Suite", 5, SuiteSlot::kOther, 14},
    {"AI Custom Color Suite", 5, SuiteSlot::kOther, 15},
    {"AI Group Suite", 3, SuiteSlot::kOther, 16},
    {"AI Pattern Suite", 7, SuiteSlot::kOther, 17},
    {"AI Transform Art Suite", 1, SuiteSlot::kOther, 18},
    {"AI Hard Soft Suite", 2, SuiteSlot::kOther, 19},
    {"AI Mesh Suite", 3, SuiteSlot::kOther, 20},
    {"AI Mesh Patch Suite", 1, SuiteSlot::kOther, 21},
    {"AI Mesh Vertex Suite", 1, SuiteSlot::kOther, 22},
    {"AI Mesh Segment Suite", 1, SuiteSlot::kOther, 23},
    {"AI Plugin Group Suite", 3, SuiteSlot::kOther, 24},
    {"AI TabletData Suite", 1, SuiteSlot::kOther, 25},
    {"AI Text Frame Suite", 1, SuiteSlot::kOther, 26},
    {"AI Font Suite", 1, SuiteSlot::kOther, 27},
    {"AI Foreign Object Suite", 1, SuiteSlot::kOther, 28},
    {"AIATE Paint Suite", 1, SuiteSlot::kOther, 29},
    {"ATE ApplicationPaint Suite", 1, SuiteSlot::kOther, 30},
    {"ATE CompFont Suite", 1, SuiteSlot::kOther, 31},
    {"ATE CompFontClass Suite", 1, SuiteSlot::kOther, 32},
    {"ATE CompFontClassSet Suite", 1, SuiteSlot::kOther, 33},
    {"ATE CompFontComponent Suite", 1, SuiteSlot::kOther, 34},
    {"ATE CompFontSet Suite", 1, SuiteSlot::kOther, 35},
    {"ATE GlyphRun Suite", 1, SuiteSlot::kOther, 36},
    {"ATE GlyphRunsIterator Suite", 1, SuiteSlot::kOther, 37},
    {"ATE MojiKumi Suite", 1, SuiteSlot::kOther, 38},
    {"ATE MojiKumiSet Suite", 1, SuiteSlot::kOther, 39},
    {"ATE TextFrame Suite", 1, SuiteSlot::kOther, 40},
    {"ATE TextFramesIterator Suite", 1, SuiteSlot::kOther, 41},
    {"ATE TextLine Suite", 1, SuiteSlot::kOther, 42},
    {"ATE TextLinesIterator Suite", 1, SuiteSlot::kOther, 43},
    {"ATE TextResources Suite", 1, SuiteSlot::kOther, 44},
    {"ATE ApplicationTextResources Suite", 1, SuiteSlot::kOther, 45},
    {"ATE DocumentTextResources Suite", 1, SuiteSlot::kOther, 46},
    {"ATE ArrayApplicationPaintRef Suite", 1, SuiteSlot::kOther, 47},
    {"ATE ArrayReal Suite", 1, SuiteSlot::kOther, 48},
    {"ATE ArrayBool Suite", 1, SuiteSlot::kOther, 49},
    {"ATE ArrayInteger Suite", 1, SuiteSlot::kOther, 50},
    {"ATE ArrayLineCapType Suite", 1, SuiteSlot::kOther, 51},
    {"ATE ArrayFigureStyle Suite", 1, SuiteSlot::kOther, 52},
    {"ATE ArrayLineJoinType Suite", 1, SuiteSlot::kOther, 53},
    {"ATE ArrayWariChuJustification Suite", 1, SuiteSlot::kOther, 54},
    {"ATE ArrayStyleRunAlignment Suite", 1, SuiteSlot::kOther, 55},
    {"ATE ArrayAutoKernType Suite", 1, SuiteSlot::kOther, 56},
    {"ATE ArrayBaselineDirection Suite", 1, SuiteSlot::kOther, 57},
    {"ATE ArrayLanguage Suite", 1, SuiteSlot::kOther, 58},
    {"ATE ArrayFontCapsOption Suite", 1, SuiteSlot::kOther, 59},
    {"ATE ArrayFontBaselineOption Suite", 1, SuiteSlot::kOther, 60},
    {"ATE ArrayParagraphJustification Suite", 1, SuiteSlot::kOther, 61},
    {"ATE ArrayArrayReal Suite", 1, SuiteSlot::kOther, 62},
    {"ATE ArrayBurasagariType Suite", 1, SuiteSlot::kOther, 63},
    {"ATE ArrayPreferredKinsokuOrder Suite", 1, SuiteSlot::kOther, 64},
    {"ATE ArrayKinsokuRef Suite", 1, SuiteSlot::kOther, 65},
    {"ATE ArrayMojiKumiRef Suite", 1, SuiteSlot::kOther, 66},
    {"ATE ArrayMojiKumiSetRef Suite", 1, SuiteSlot::kOther, 67},
    {"ATE ArrayTabStopsRef Suite", 1, SuiteSlot::kOther, 68},
    {"ATE ArrayLeadingType Suite", 1, SuiteSlot::kOther, 69},
    {"ATE ArrayFontRef Suite", 1, SuiteSlot::kOther, 70},
    {"ATE ArrayGlyphID Suite", 1, SuiteSlot::kOther, 71},
    {"ATE ArrayRealPoint Suite", 1, SuiteSlot::kOther, 72},
    {"ATE ArrayRealMatrix Suite", 1, SuiteSlot::kOther, 73},
    {"ATE CharFeatures Suite", 1, SuiteSlot::kOther, 74},
    {"ATE CharInspector Suite", 1, SuiteSlot::kOther, 75},
    {"ATE CharStyle Suite", 1, SuiteSlot::kOther, 76},
    {"ATE CharStyles Suite", 1, SuiteSlot::kOther, 77},
    {"ATE CharStylesIterator Suite", 1, SuiteSlot::kOther, 78},
    {"ATE Find Suite", 1, SuiteSlot::kOther, 79},
    {"ATE Font Suite", 1, SuiteSlot::kOther, 80},
    {"ATE Glyph Suite", 1, SuiteSlot::kOther, 81},
    {"ATE Glyphs Suite", 1, SuiteSlot::kOther, 82},
    {"ATE GlyphsIterator Suite", 1, SuiteSlot::kOther, 83},
    {"ATE Kinsoku Suite", 1, SuiteSlot::kOther, 84},
    {"ATE KinsokuSet Suite", 1, SuiteSlot::kOther, 85},
    {"ATE ParaFeatures Suite", 1, SuiteSlot::kOther, 86},
    {"ATE Paragraph Suite", 1, SuiteSlot::kOther, 87},
    {"ATE ParagraphsIterator Suite", 1, SuiteSlot::kOther, 88},
    {"ATE ParaInspector Suite", 1, SuiteSlot::kOther, 89},
    {"ATE ParaStyle Suite", 1, SuiteSlot::kOther, 90},
    {"ATE ParaStyles Suite", 1, SuiteSlot::kOther, 91},
    {"ATE ParaStylesIterator Suite", 1, SuiteSlot::kOther, 92},
    {"ATE Spell Suite", 1, SuiteSlot::kOther, 93},
    {"ATE Stories Suite", 1, SuiteSlot::kOther, 94},
    {"ATE Story Suite", 1, SuiteSlot::kOther, 95},
    {"ATE TabStop Suite", 1, SuiteSlot::kOther, 96},
    {"ATE TabStops Suite", 1, SuiteSlot::kOther, 97},
    {"ATE TabStopsIterator Suite", 1, SuiteSlot::kOther, 98},
    {"ATE TextRange Suite", 1, SuiteSlot::kOther, 99},
    {"ATE TextRanges Suite", 1, SuiteSlot::kOther, 100},
    {"ATE TextRangesIterator Suite", 1, SuiteSlot::kOther, 101},
    {"ATE TextRunsIterator Suite", 1, SuiteSlot::kOther, 102},
    {"ATE WordsIterator Suite", 1, SuiteSlot::kOther, 103},
    {"AI Mask Suite", 3, SuiteSlot::kOther, 104},
    {"AI Blend Style Suite", 3, SuiteSlot::kOther, 105},
    {"AI Dictionary Suite", 5, SuiteSlot::kOther, 106},
    {"AI Dictionary Iterator Suite", 1, SuiteSlot::kOther, 107},
    {"AI Art Style Suite", 3, SuiteSlot::kOther, 108},
    {"AI Application Suite", 1, SuiteSlot::kOther, 109},
    {"AI Rasterize Suite", 5, SuiteSlot::kOther, 110},
    {"AI Art Set Suite", 6, SuiteSlot::kOther, 111},
    {kAIMenuSuite, kAIMenuSuiteVersion, SuiteSlot::kMenu, -1},
    {kAIFilterSuite, kAIFilterSuiteVersion, SuiteSlot::kFilter, -1},
    {kAIActionManagerSuite, kAIActionManagerSuiteVersion, SuiteSlot::kActionManager, -1},
    {kADMDialogSuite, kADMDialogSuiteVersion, SuiteSlot::kADMDialog, -1},
    {kADMItemSuite, kADMItemSuiteVersion, SuiteSlot::kADMItem, -1},
    {"ADM Notifier Suite", 2, SuiteSlot::kOther, 112},
    {kADMBasicSuite, kADMBasicSuiteVersion, SuiteSlot::kADMBasic, -1},
    {"ADM Icon Suite", 1, SuiteSlot::kOther, 113},
    {kADMDrawerSuite, kADMDrawerSuiteVersion, SuiteSlot::kADMDrawer, -1},
    {kADMEntrySuite, kADMEntrySuiteVersion, SuiteSlot::kADMEntry, -1},
    {kADMListSuite, kADMListSuiteVersion, SuiteSlot::kADMList, -1},
    {"ADM Dialog Group Suite", 1, SuiteSlot::kOther, 114},
    {"ADM Tracker Suite", 1, SuiteSlot::kOther, 115},
    {"ADM Image Suite", 1, SuiteSlot::kOther, 116},
};
// clang-format on

namespace {

// Bytes of the alert text of a failed acquisition.
constexpr int32_t kAlertBufferSize = 256;

// Shows the failed acquisition of `entry` through the ADM Basic suite.
void AlertAcquisitionFailure(const ADMBasicSuite* admBasic, ASErr error,
                             const SuiteTableEntry& entry) {
    char alert[kAlertBufferSize];
    std::snprintf(alert, sizeof alert, "Error: %d, suite: %s, version: %d!",
                  static_cast<int>(error), entry.name, static_cast<int>(entry.version));
    if (admBasic->MessageAlert != nullptr) admBasic->MessageAlert(alert);
}

}  // namespace

const void* SuitePointer(const SuiteTableEntry& entry) {
    switch (entry.slot) {
        case SuiteSlot::kOther:
            assert(entry.otherIndex >= 0 && entry.otherIndex < kOtherSuiteCount);
            return gPluginState.otherSuites[entry.otherIndex];
        case SuiteSlot::kBlocks:
            return gPluginState.blocks;
        case SuiteSlot::kFilter:
            return gPluginState.filter;
        case SuiteSlot::kMenu:
            return gPluginState.menu;
        case SuiteSlot::kActionManager:
            return gPluginState.actionManager;
        case SuiteSlot::kDocumentView:
            return gPluginState.documentView;
        case SuiteSlot::kArt:
            return gPluginState.art;
        case SuiteSlot::kPath:
            return gPluginState.path;
        case SuiteSlot::kPathStyle:
            return gPluginState.pathStyle;
        case SuiteSlot::kRuntime:
            return gPluginState.runtime;
        case SuiteSlot::kUser:
            return gPluginState.user;
        case SuiteSlot::kADMDialog:
            return gPluginState.admDialog;
        case SuiteSlot::kADMItem:
            return gPluginState.admItem;
        case SuiteSlot::kADMList:
            return gPluginState.admList;
        case SuiteSlot::kADMEntry:
            return gPluginState.admEntry;
        case SuiteSlot::kADMDrawer:
            return gPluginState.admDrawer;
        case SuiteSlot::kADMBasic:
            return gPluginState.admBasic;
    }
    return nullptr;
}

void SetSuitePointer(const SuiteTableEntry& entry, const void* suite) {
    PluginState& s = gPluginState;
    switch (entry.slot) {
        case SuiteSlot::kOther:
            assert(entry.otherIndex >= 0 && entry.otherIndex < kOtherSuiteCount);
            s.otherSuites[entry.otherIndex] = suite;
            return;
        case SuiteSlot::kBlocks:
            s.blocks = static_cast<const SPBlocksSuite*>(suite);
            return;
        case SuiteSlot::kFilter:
            s.filter = static_cast<const AIFilterSuite*>(suite);
            return;
        case SuiteSlot::kMenu:
            s.menu = static_cast<const AIMenuSuite*>(suite);
            return;
        case SuiteSlot::kActionManager:
            s.actionManager = static_cast<const AIActionManagerSuite*>(suite);
            return;
        case SuiteSlot::kDocumentView:
            s.documentView = static_cast<const AIDocumentViewSuite*>(suite);
            return;
        case SuiteSlot::kArt:
            s.art = static_cast<const AIArtSuite*>(suite);
            return;
        case SuiteSlot::kPath:
            s.path = static_cast<const AIPathSuite*>(suite);
            return;
        case SuiteSlot::kPathStyle:
            s.pathStyle = static_cast<const AIPathStyleSuite*>(suite);
            return;
        case SuiteSlot::kRuntime:
            s.runtime = static_cast<const AIRuntimeSuite*>(suite);
            return;
        case SuiteSlot::kUser:
            s.user = static_cast<const AIUserSuite*>(suite);
            return;
        case SuiteSlot::kADMDialog:
            s.admDialog = static_cast<const ADMDialogSuite*>(suite);
            return;
        case SuiteSlot::kADMItem:
            s.admItem = static_cast<const ADMItemSuite*>(suite);
            return;
        case SuiteSlot::kADMList:
            s.admList = static_cast<const ADMListSuite*>(suite);
            return;
        case SuiteSlot::kADMEntry:
            s.admEntry = static_cast<const ADMEntrySuite*>(suite);
            return;
        case SuiteSlot::kADMDrawer:
            s.admDrawer = static_cast<const ADMDrawerSuite*>(suite);
            return;
        case SuiteSlot::kADMBasic:
            s.admBasic = static_cast<const ADMBasicSuite*>(suite);
            return;
    }
}

ASErr AcquireSuites(const SPBasicSuite* basic) {
    assert(basic != nullptr);
    ASErr result = kSPNoError;
    if (gPluginState.acquireDepth == 0) {
        for (const SuiteTableEntry& entry : kSuiteTable) {
            const void* suite = nullptr;
            result = basic->AcquireSuite(entry.name, entry.version, &suite);
            // A failed acquisition holds nothing, whatever the host left behind.
            SetSuitePointer(entry, result == kSPNoError ? suite : nullptr);
            if (result != kSPNoError && gPluginState.admBasic != nullptr) {
                AlertAcquisitionFailure(gPluginState.admBasic, result, entry);
                break;
            }
        }
    }
    ++gPluginState.acquireDepth;
    return result;
}

ASErr ReleaseSuites(const SPBasicSuite* basic) {
    assert(basic != nullptr);
    ASErr result = kSPNoError;
    if (gPluginState.acquireDepth == 1) {
        for (const SuiteTableEntry& entry : kSuiteTable) {
            // What was never acquired is not given back.
            if (SuitePointer(entry) == nullptr) continue;
            result = basic->ReleaseSuite(entry.name, entry.version);
            if (result != kSPNoError) break;
            SetSuitePointer(entry, nullptr);
        }
    }
    // A reload inside a message may have set the depth to 0 already.
    if (gPluginState.acquireDepth > 0) --gPluginState.acquireDepth;
    return result;
}
