// The plug-in's state: what the plug-in holds while its module is loaded. The
// host's basic suite is taken from every message; the other suite pointers
// are set for the length of a message and null while not acquired; the
// globals pointer lives from startup to shutdown (and across an unload, in
// the host's keeping).
#pragma once

#include <cstdint>

#include "globals/plugin_globals.h"
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
#include "hostapi/sp_basic.h"
#include "hostapi/sp_blocks.h"

// Entries of the suite table (shell/suite_table.h) that the plug-in acquires but
// never calls: each has an untyped pointer in `otherSuites`.
inline constexpr int32_t kOtherSuiteCount = 117;

struct PluginState {
    const SPBasicSuite* basic;  // from the message being handled

    // The suites the plug-in calls, acquired around each message.
    const SPBlocksSuite* blocks;
    const AIFilterSuite* filter;
    const AIMenuSuite* menu;
    const AIActionManagerSuite* actionManager;
    const AIDocumentViewSuite* documentView;
    const AIArtSuite* art;
    const AIPathSuite* path;
    const AIPathStyleSuite* pathStyle;
    const AIRuntimeSuite* runtime;
    const AIUserSuite* user;
    const ADMDialogSuite* admDialog;
    const ADMItemSuite* admItem;
    const ADMListSuite* admList;
    const ADMEntrySuite* admEntry;
    const ADMDrawerSuite* admDrawer;
    const ADMBasicSuite* admBasic;
    // The acquired suites the plug-in never calls, in suite-table order.
    const void* otherSuites[kOtherSuiteCount];

    PluginGlobals* globals;  // null before startup and after shutdown
    int16_t acquireDepth;    // nesting of messages holding the suites; 0 while none are held
};

// The one state of the plug-in, all null and 0 when the module loads.
extern PluginState gPluginState;

// Puts the state back to all null and depth 0, as at load.
void ResetPluginState();
