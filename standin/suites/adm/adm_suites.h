// The stand-in's ADM suites: "ADM Dialog Suite", "ADM Item Suite", "ADM List
// Suite", "ADM Entry Suite", "ADM Drawer Suite" and "ADM Basic Suite", over
// the dialog manager of dialog_manager.h.
//
// Calls with a handle that is not alive (a closed dialog's, one never given
// out) do nothing and return null, 0 or an empty text; so do the calls of
// the Item, List and Entry suites that host_hooks.h makes fail. ADM Basic's
// GetIndexString reads string resource list + index of the calling plug-in in
// code page 932, cut to the buffer without splitting a two-byte character;
// an empty string counts as missing, as Windows cannot tell them apart.
#pragma once

#include "hostapi/adm_basic.h"
#include "hostapi/adm_dialog.h"
#include "hostapi/adm_drawer.h"
#include "hostapi/adm_entry.h"
#include "hostapi/adm_item.h"
#include "hostapi/adm_list.h"

namespace standin {

const ADMDialogSuite* StandinADMDialogSuite();
const ADMItemSuite* StandinADMItemSuite();
const ADMListSuite* StandinADMListSuite();
const ADMEntrySuite* StandinADMEntrySuite();
const ADMDrawerSuite* StandinADMDrawerSuite();
const ADMBasicSuite* StandinADMBasicSuite();

}  // namespace standin
