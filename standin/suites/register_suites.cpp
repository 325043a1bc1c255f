#include "standin/host/suite_catalog.h"

#include <iterator>
#include <vector>

#include "standin/host/action_manager.h"
#include "standin/host/documents.h"
#include "standin/host/filters.h"
#include "standin/host/standin_suites.h"
#include "standin/host/slot_traps.h"
#include "standin/host/suite_registry.h"
#include "standin/host/user_suite.h"

namespace standin {
namespace {

constexpr SuiteName kSuites[] = {
    {"SP Blocks Suite", 2},
    {"SP Access Suite", 3},
    {"AI Plugin Suite", 3},
    {"AI MdMemory Suite", 1},
    {"AI Real Math Suite", 1},
    {"AI Fixed Math Suite", 2},
    {"AI Layer Suite", 9},
    {"AI Art Suite", 10},
    {"AI User Suite", 6},
    {"AI Path Suite", 5},
    {"AI Path Style Suite", 5},
    {"AI Matching Art Suite", 5},
    {"AI Document Suite", 8},
    {"AI Document List Suite", 2},
    {"AI Document View Suite", 7},
    {"AI Undo Suite", 4},
    {"AI Context Suite", 3},
    {"AI Preference Suite", 2},
    {"AI Runtime Suite", 7},
    {"AI Draw Art Suite", 6},
    {"AI Raster Suite", 5},
    {"AI Gradient Suite", 5},
    {"AI Custom Color Suite", 5},
    {"AI Group Suite", 3},
    {"AI Pattern Suite", 7},
    {"AI Transform Art Suite", 1},
    {"AI Hard Soft Suite", 2},
    {"AI Mesh Suite", 3},
    {"AI Mesh Patch Suite", 1},
    {"AI Mesh Vertex Suite", 1},
    {"AI Mesh Segment Suite", 1},
    {"AI Plugin Group Suite", 3},
    {"AI TabletData Suite", 1},
    {"AI Text Frame Suite", 1},
    {"AI Font Suite", 1},
    {"AI Foreign Object Suite", 1},
    {"AIATE Paint Suite", 1},
    // The text engine's suites.
    {"ATE ApplicationPaint Suite", 1},
    {"ATE CompFont Suite", 1},
    {"ATE CompFontClass Suite", 1},
    {"ATE CompFontClassSet Suite", 1},
    {"ATE CompFontComponent Suite", 1},
    {"ATE CompFontSet Suite", 1},
    {"ATE GlyphRun Suite", 1},
    {"ATE GlyphRunsIterator Suite", 1},
    {"ATE MojiKumi Suite", 1},
    {"ATE MojiKumiSet Suite", 1},
    {"ATE TextFrame Suite", 1},
    {"ATE TextFramesIterator Suite", 1},
    {"ATE TextLine Suite", 1},
    {"ATE TextLinesIterator Suite", 1},
    {"ATE TextResources Suite", 1},
    {"ATE ApplicationTextResources Suite", 1},
    {"ATE DocumentTextResources Suite", 1},
    {"ATE ArrayApplicationPaintRef Suite", 1},
    {"ATE ArrayReal Suite", 1},
    {"ATE ArrayBool Suite", 1},
    {"ATE ArrayInteger Suite", 1},
    {"ATE ArrayLineCapType Suite", 1},
    {"ATE ArrayFigureStyle Suite", 1},
    {"ATE ArrayLineJoinType Suite", 1},
    {"ATE ArrayWariChuJustification Suite", 1},
    {"ATE ArrayStyleRunAlignment Suite", 1},
    {"ATE ArrayAutoKernType Suite", 1},
    {"ATE ArrayBaselineDirection Suite", 1},
    {"ATE ArrayLanguage Suite", 1},
    {"ATE ArrayFontCapsOption Suite", 1},
    {"ATE ArrayFontBaselineOption Suite", 1},
    {"ATE ArrayParagraphJustification Suite", 1},
    {"ATE ArrayArrayReal Suite", 1},
    {"ATE ArrayBurasagariType Suite", 1},
    {"ATE ArrayPreferredKinsokuOrder Suite", 1},
    {"ATE ArrayKinsokuRef Suite", 1},
    {"ATE ArrayMojiKumiRef Suite", 1},
    {"ATE ArrayMojiKumiSetRef Suite", 1},
    {"ATE ArrayTabStopsRef Suite", 1},
    {"ATE ArrayLeadingType Suite", 1},
    {"ATE ArrayFontRef Suite", 1},
    {"ATE ArrayGlyphID Suite", 1},
    {"ATE ArrayRealPoint Suite", 1},
    {"ATE ArrayRealMatrix Suite", 1},
    {"ATE CharFeatures Suite", 1},
    {"ATE CharInspector Suite", 1},
    {"ATE CharStyle Suite", 1},
    {"ATE CharStyles Suite", 1},
    {"ATE CharStylesIterator Suite", 1},
    {"ATE Find Suite", 1},
    {"ATE Font Suite", 1},
    {"ATE Glyph Suite", 1},
    {"ATE Glyphs Suite", 1},
    {"ATE GlyphsIterator Suite", 1},
    {"ATE Kinsoku Suite", 1},
    {"ATE KinsokuSet Suite", 1},
    {"ATE ParaFeatures Suite", 1},
    {"ATE Paragraph Suite", 1},
    {"ATE ParagraphsIterator Suite", 1},
    {"ATE ParaInspector Suite", 1},
    {"ATE ParaStyle Suite", 1},
    {"ATE ParaStyles Suite", 1},
    {"ATE ParaStylesIterator Suite", 1},
    {"ATE Spell Suite", 1},
    {"ATE Stories Suite", 1},
    {"ATE Story Suite", 1},
    {"ATE TabStop Suite", 1},
    {"ATE TabStops Suite", 1},
    {"ATE TabStopsIterator Suite", 1},
    {"ATE TextRange Suite", 1},
    {"ATE TextRanges Suite", 1},
    {"ATE TextRangesIterator Suite", 1},
    {"ATE TextRunsIterator Suite", 1},
    {"ATE WordsIterator Suite", 1},
    // The rest of the application's suites, then the dialog manager's.
    {"AI Mask Suite", 3},
    {"AI Blend Style Suite", 3},
    {"AI Dictionary Suite", 5},
    {"AI Dictionary Iterator Suite", 1},
    {"AI Art Style Suite", 3},
    {"AI Application Suite", 1},
    {"AI Rasterize Suite", 5},
    {"AI Art Set Suite", 6},
    {"AI Menu Suite", 7},
    {"AI Filter Suite", 2},
    {"AI Action Manager Suite", 2},
    {"ADM Dialog Suite", 5},
    {"ADM Item Suite", 7},
    {"ADM Notifier Suite", 2},
    {"ADM Basic Suite", 2},
    {"ADM Icon Suite", 1},
    {"ADM Drawer Suite", 3},
    {"ADM Entry Suite", 2},
    {"ADM List Suite", 1},
    {"ADM Dialog Group Suite", 1},
    {"ADM Tracker Suite", 1},
    {"ADM Image Suite", 1},
};

}  // namespace

const SuiteName* HostSuiteNames() {
    return kSuites;
}

size_t HostSuiteCount() {
    return std::size(kSuites);
}

void RegisterHostSuites() {
    // Every suite first as one whose calls all trap, each record made once.
    static const std::vector<const void*> uncalled = [] {
        std::vector<const void*> records;
        for (const SuiteName& s : kSuites) records.push_back(UncalledSuite(s.name, s.version));
        return records;
    }();
    for (size_t i = 0; i < std::size(kSuites); ++i)
        RegisterStandinSuite(kSuites[i].name, kSuites[i].version, uncalled[i]);
    RegisterStandinSuites();  // Runtime and Blocks
    RegisterStandinSuite(kAIFilterSuite, kAIFilterSuiteVersion, StandinFilterSuite());
    RegisterStandinSuite(kAIMenuSuite, kAIMenuSuiteVersion, StandinMenuSuite());
    RegisterStandinSuite(kAIActionManagerSuite, kAIActionManagerSuiteVersion,
                         StandinActionManagerSuite());
    RegisterStandinSuite(kAIUserSuite, kAIUserSuiteVersion, StandinUserSuite());
    RegisterStandinSuite(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion,
                         StandinDocumentViewSuite());
    RegisterStandinSuite(kAIArtSuite, kAIArtSuiteVersion, StandinArtSuite());
    RegisterStandinSuite(kAIPathSuite, kAIPathSuiteVersion, StandinPathSuite());
    RegisterStandinSuite(kAIPathStyleSuite, kAIPathStyleSuiteVersion, StandinPathStyleSuite());
}

}  // namespace standin
