// The plug-in's filter: its menu item "ＱＲコード..." in the category "Orvelk"
// of the host's filter menu, enabled by the host while a document is open.
#pragma once

#include "hostapi/sp_basic.h"

// The filter's name (the action event has the same one).
inline constexpr char kQRFilterName[] = "Orvelk_QRCode";
// Category and title of the menu item, code page 932 ("ＱＲコード...").
inline constexpr char kQRFilterCategory[] = "Orvelk";
inline constexpr char kQRFilterTitle[] = "\x82\x70\x82\x71\x83\x52\x81\x5B\x83\x68...";

// Adds the filter with its category and title as length-prefixed strings,
// keeps the filter's handle in the globals record, and lets the host enable
// its menu item while a document is open. Returns the first host error, "S!Fd"
// when the filter or menu suite is not held, or 0.
ASErr AddQRFilter(SPMessageData* message);
