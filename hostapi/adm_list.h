// "ADM List Suite": the entries of list and pop-up items.
//
// The plug-in fills its pop-up items with entries at startup of the settings
// dialog and reads which entry the user chose.
#pragma once

#include "hostapi/adm_types.h"
#include "hostapi/host_types.h"

inline constexpr char kADMListSuite[] = "ADM List Suite";
inline constexpr ASInt32 kADMListSuiteVersion = 1;

extern "C" {

// Inserts a new entry at `index` and returns it.
typedef ADMEntryRef(HOST_CALL* ADMListInsertEntryProc)(ADMListRef list, ASInt32 index);
// The entry at `index`; null if there is none.
typedef ADMEntryRef(HOST_CALL* ADMListIndexEntryProc)(ADMListRef list, ASInt32 index);
// The entry the user chose; null if none is.
typedef ADMEntryRef(HOST_CALL* ADMListGetActiveEntryProc)(ADMListRef list);
// How many entries the list holds.
typedef ASInt32(HOST_CALL* ADMListNumberOfEntriesProc)(ADMListRef list);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 35 entries).
struct ADMListSuite {
    /* 0 */ HostUnusedSlot SetMenuID;
    /* 1 */ HostUnusedSlot GetMenuID;
    /* 2 */ HostUnusedSlot GetItem;
    /* 3 */ HostUnusedSlot SetUserData;
    /* 4 */ HostUnusedSlot GetUserData;
    /* 5 */ HostUnusedSlot SetInitProc;
    /* 6 */ HostUnusedSlot GetInitProc;
    /* 7 */ HostUnusedSlot SetDrawProc;
    /* 8 */ HostUnusedSlot GetDrawProc;
    /* 9 */ HostUnusedSlot SetTrackProc;
    /* 10 */ HostUnusedSlot GetTrackProc;
    /* 11 */ HostUnusedSlot SetNotifyProc;
    /* 12 */ HostUnusedSlot GetNotifyProc;
    /* 13 */ HostUnusedSlot SetDestroyProc;
    /* 14 */ HostUnusedSlot GetDestroyProc;
    /* 15 */ HostUnusedSlot SetEntryWidth;
    /* 16 */ HostUnusedSlot GetEntryWidth;
    /* 17 */ HostUnusedSlot SetEntryHeight;
    /* 18 */ HostUnusedSlot GetEntryHeight;
    /* 19 */ HostUnusedSlot SetEntryTextRect;
    /* 20 */ HostUnusedSlot GetEntryTextRect;
    /* 21 */ ADMListInsertEntryProc InsertEntry;
    /* 22 */ HostUnusedSlot RemoveEntry;
    /* 23 */ HostUnusedSlot GetEntry;
    /* 24 */ ADMListIndexEntryProc IndexEntry;
    /* 25 */ HostUnusedSlot FindEntry;
    /* 26 */ HostUnusedSlot PickEntry;
    /* 27 */ ADMListGetActiveEntryProc GetActiveEntry;
    /* 28 */ HostUnusedSlot IndexSelectedEntry;
    /* 29 */ ADMListNumberOfEntriesProc NumberOfEntries;
};

#include "hostapi/pack_end.h"
