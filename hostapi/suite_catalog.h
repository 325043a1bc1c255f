// The suites the Orvelk plug-in acquires for each message, written once: by
// name and version as the host knows them, in the order the plug-in acquires
// and releases them (an order the plug-in keeps on purpose: the host sees the
// same sequence at every message). The plug-in's acquisition table
// (shell/suite_table.cpp) and the stand-in's registry
// (standin/suites/register_suites.cpp) are both built from this list.
//
// ORVELK_SUITE_CATALOG(X) expands X(name, version, held, family) once per
// suite, in order:
//   name, version  the suite's name and the exact version asked for; the
//                  suite header's constants for the suites the plug-in calls
//   held           which pointer of the plug-in's state receives the suite:
//                  the suite the plug-in calls it as (Blocks, Art, ADMItem,
//                  ...), or Other for a suite acquired and never called
//   family         the stand-in's folder that serves it, as SuiteFamily
//                  names it (BlocksRuntime: standin/suites/blocks_runtime/,
//                  ...), or None: served as a record of traps alone
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "hostapi/adm_basic.h"
#include "hostapi/adm_dialog.h"
#include "hostapi/adm_drawer.h"
#include "hostapi/adm_entry.h"
#include "hostapi/adm_item.h"
#include "hostapi/adm_list.h"
#include "hostapi/ai_action_manager.h"
#include "hostapi/ai_art.h"
#include "hostapi/ai_document_view.h"
#include "hostapi/ai_filter.h"
#include "hostapi/ai_menu.h"
#include "hostapi/ai_path.h"
#include "hostapi/ai_path_style.h"
#include "hostapi/ai_runtime.h"
#include "hostapi/ai_user.h"
#include "hostapi/sp_blocks.h"

// clang-format off
#define ORVELK_SUITE_CATALOG(X) \
    X(kSPBlocksSuite, kSPBlocksSuiteVersion, Blocks, BlocksRuntime) \
    X("SP Access Suite", 3, Other, None) \
    X("AI Plugin Suite", 3, Other, None) \
    X("AI MdMemory Suite", 1, Other, None) \
    X("AI Real Math Suite", 1, Other, None) \
    X("AI Fixed Math Suite", 2, Other, None) \
    X("AI Layer Suite", 9, Other, None) \
    X(kAIArtSuite, kAIArtSuiteVersion, Art, Document) \
    X(kAIUserSuite, kAIUserSuiteVersion, User, User) \
    X(kAIPathSuite, kAIPathSuiteVersion, Path, Document) \
    X(kAIPathStyleSuite, kAIPathStyleSuiteVersion, PathStyle, Document) \
    X("AI Matching Art Suite", 5, Other, None) \
    X("AI Document Suite", 8, Other, None) \
    X("AI Document List Suite", 2, Other, None) \
    X(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, DocumentView, Document) \
    X("AI Undo Suite", 4, Other, None) \
    X("AI Context Suite", 3, Other, None) \
    X("AI Preference Suite", 2, Other, None) \
    X(kAIRuntimeSuite, kAIRuntimeSuiteVersion, Runtime, BlocksRuntime) \
    X("AI Draw Art Suite", 6, Other, None) \
    X("AI Raster Suite", 5, Other, None) \
    X("AI Gradient Suite", 5, Other, None) \
    X("AI Custom Color Suite", 5, Other, None) \
    X("AI Group Suite", 3, Other, None) \
    X("AI Pattern Suite", 7, Other, None) \
    X("AI Transform Art Suite", 1, Other, None) \
    X("AI Hard Soft Suite", 2, Other, None) \
    X("AI Mesh Suite", 3, Other, None) \
    X("AI Mesh Patch Suite", 1, Other, None) \
    X("AI Mesh Vertex Suite", 1, Other, None) \
    X("AI Mesh Segment Suite", 1, Other, None) \
    X("AI Plugin Group Suite", 3, Other, None) \
    X("AI TabletData Suite", 1, Other, None) \
    X("AI Text Frame Suite", 1, Other, None) \
    X("AI Font Suite", 1, Other, None) \
    X("AI Foreign Object Suite", 1, Other, None) \
    X("AIATE Paint Suite", 1, Other, None) \
    /* The text engine's suites. */ \
    X("ATE ApplicationPaint Suite", 1, Other, None) \
    X("ATE CompFont Suite", 1, Other, None) \
    X("ATE CompFontClass Suite", 1, Other, None) \
    X("ATE CompFontClassSet Suite", 1, Other, None) \
    X("ATE CompFontComponent Suite", 1, Other, None) \
    X("ATE CompFontSet Suite", 1, Other, None) \
    X("ATE GlyphRun Suite", 1, Other, None) \
    X("ATE GlyphRunsIterator Suite", 1, Other, None) \
    X("ATE MojiKumi Suite", 1, Other, None) \
    X("ATE MojiKumiSet Suite", 1, Other, None) \
    X("ATE TextFrame Suite", 1, Other, None) \
    X("ATE TextFramesIterator Suite", 1, Other, None) \
    X("ATE TextLine Suite", 1, Other, None) \
    X("ATE TextLinesIterator Suite", 1, Other, None) \
    X("ATE TextResources Suite", 1, Other, None) \
    X("ATE ApplicationTextResources Suite", 1, Other, None) \
    X("ATE DocumentTextResources Suite", 1, Other, None) \
    X("ATE ArrayApplicationPaintRef Suite", 1, Other, None) \
    X("ATE ArrayReal Suite", 1, Other, None) \
    X("ATE ArrayBool Suite", 1, Other, None) \
    X("ATE ArrayInteger Suite", 1, Other, None) \
    X("ATE ArrayLineCapType Suite", 1, Other, None) \
    X("ATE ArrayFigureStyle Suite", 1, Other, None) \
    X("ATE ArrayLineJoinType Suite", 1, Other, None) \
    X("ATE ArrayWariChuJustification Suite", 1, Other, None) \
    X("ATE ArrayStyleRunAlignment Suite", 1, Other, None) \
    X("ATE ArrayAutoKernType Suite", 1, Other, None) \
    X("ATE ArrayBaselineDirection Suite", 1, Other, None) \
    X("ATE ArrayLanguage Suite", 1, Other, None) \
    X("ATE ArrayFontCapsOption Suite", 1, Other, None) \
    X("ATE ArrayFontBaselineOption Suite", 1, Other, None) \
    X("ATE ArrayParagraphJustification Suite", 1, Other, None) \
    X("ATE ArrayArrayReal Suite", 1, Other, None) \
    X("ATE ArrayBurasagariType Suite", 1, Other, None) \
    X("ATE ArrayPreferredKinsokuOrder Suite", 1, Other, None) \
    X("ATE ArrayKinsokuRef Suite", 1, Other, None) \
    X("ATE ArrayMojiKumiRef Suite", 1, Other, None) \
    X("ATE ArrayMojiKumiSetRef Suite", 1, Other, None) \
    X("ATE ArrayTabStopsRef Suite", 1, Other, None) \
    X("ATE ArrayLeadingType Suite", 1, Other, None) \
    X("ATE ArrayFontRef Suite", 1, Other, None) \
    X("ATE ArrayGlyphID Suite", 1, Other, None) \
    X("ATE ArrayRealPoint Suite", 1, Other, None) \
    X("ATE ArrayRealMatrix Suite", 1, Other, None) \
    X("ATE CharFeatures Suite", 1, Other, None) \
    X("ATE CharInspector Suite", 1, Other, None) \
    X("ATE CharStyle Suite", 1, Other, None) \
    X("ATE CharStyles Suite", 1, Other, None) \
    X("ATE CharStylesIterator Suite", 1, Other, None) \
    X("ATE Find Suite", 1, Other, None) \
    X("ATE Font Suite", 1, Other, None) \
    X("ATE Glyph Suite", 1, Other, None) \
    X("ATE Glyphs Suite", 1, Other, None) \
    X("ATE GlyphsIterator Suite", 1, Other, None) \
    X("ATE Kinsoku Suite", 1, Other, None) \
    X("ATE KinsokuSet Suite", 1, Other, None) \
    X("ATE ParaFeatures Suite", 1, Other, None) \
    X("ATE Paragraph Suite", 1, Other, None) \
    X("ATE ParagraphsIterator Suite", 1, Other, None) \
    X("ATE ParaInspector Suite", 1, Other, None) \
    X("ATE ParaStyle Suite", 1, Other, None) \
    X("ATE ParaStyles Suite", 1, Other, None) \
    X("ATE ParaStylesIterator Suite", 1, Other, None) \
    X("ATE Spell Suite", 1, Other, None) \
    X("ATE Stories Suite", 1, Other, None) \
    X("ATE Story Suite", 1, Other, None) \
    X("ATE TabStop Suite", 1, Other, None) \
    X("ATE TabStops Suite", 1, Other, None) \
    X("ATE TabStopsIterator Suite", 1, Other, None) \
    X("ATE TextRange Suite", 1, Other, None) \
    X("ATE TextRanges Suite", 1, Other, None) \
    X("ATE TextRangesIterator Suite", 1, Other, None) \
    X("ATE TextRunsIterator Suite", 1, Other, None) \
    X("ATE WordsIterator Suite", 1, Other, None) \
    /* The rest of the application's suites, then the dialog manager's. */ \
    X("AI Mask Suite", 3, Other, None) \
    X("AI Blend Style Suite", 3, Other, None) \
    X("AI Dictionary Suite", 5, Other, None) \
    X("AI Dictionary Iterator Suite", 1, Other, None) \
    X("AI Art Style Suite", 3, Other, None) \
    X("AI Application Suite", 1, Other, None) \
    X("AI Rasterize Suite", 5, Other, None) \
    X("AI Art Set Suite", 6, Other, None) \
    X(kAIMenuSuite, kAIMenuSuiteVersion, Menu, FilterMenu) \
    X(kAIFilterSuite, kAIFilterSuiteVersion, Filter, FilterMenu) \
    X(kAIActionManagerSuite, kAIActionManagerSuiteVersion, ActionManager, ActionManager) \
    X(kADMDialogSuite, kADMDialogSuiteVersion, ADMDialog, Adm) \
    X(kADMItemSuite, kADMItemSuiteVersion, ADMItem, Adm) \
    X("ADM Notifier Suite", 2, Other, None) \
    X(kADMBasicSuite, kADMBasicSuiteVersion, ADMBasic, Adm) \
    X("ADM Icon Suite", 1, Other, None) \
    X(kADMDrawerSuite, kADMDrawerSuiteVersion, ADMDrawer, Adm) \
    X(kADMEntrySuite, kADMEntrySuiteVersion, ADMEntry, Adm) \
    X(kADMListSuite, kADMListSuiteVersion, ADMList, Adm) \
    X("ADM Dialog Group Suite", 1, Other, None) \
    X("ADM Tracker Suite", 1, Other, None) \
    X("ADM Image Suite", 1, Other, None)
// clang-format on

// The stand-in's folders that serve suites (standin/suites/<folder>/).
enum class SuiteFamily : int8_t {
    kNone,           // none: acquired, released, never called
    kBlocksRuntime,  // blocks_runtime/
    kDocument,       // document/
    kFilterMenu,     // filter_menu/
    kActionManager,  // action_manager/
    kUser,           // user/
    kAdm,            // adm/
};

// One suite of the catalog.
struct CatalogSuite {
    const char* name;
    int32_t version;
    bool called;         // the plug-in calls it (held is not Other)
    SuiteFamily family;  // the stand-in's folder that serves it
};

#define ORVELK_CATALOG_ROW(name, version, held, family) \
    CatalogSuite{name, version, !CatalogHeldIsOther(#held), SuiteFamily::k##family},

// Whether a `held` column, as text, is Other.
constexpr bool CatalogHeldIsOther(const char* held) {
    const char other[] = "Other";
    for (size_t i = 0; i < sizeof other; ++i)
        if (held[i] != other[i]) return false;
    return true;
}

// The catalog as data, in acquisition order.
inline constexpr CatalogSuite kSuiteCatalog[] = {ORVELK_SUITE_CATALOG(ORVELK_CATALOG_ROW)};
#undef ORVELK_CATALOG_ROW

inline constexpr size_t kSuiteCatalogSize = std::size(kSuiteCatalog);

// Whether every suite the plug-in calls is served by a folder of the
// stand-in, and every suite it never calls is served with traps alone.
constexpr bool CatalogFamiliesMatchCalls() {
    for (const CatalogSuite& s : kSuiteCatalog)
        if (s.called != (s.family != SuiteFamily::kNone)) return false;
    return true;
}
static_assert(CatalogFamiliesMatchCalls(),
              "a suite the plug-in calls needs a family of the stand-in, and only such a suite");
