// "ADM List Suite": the entries of list and pop-up items.
//
// The plug-in fills its pop-ups entry by entry, picks the entry of a stored
// setting by index, and reads which entry the user chose.
#pragma once

#include "hostapi/adm_types.h"
#include "hostapi/host_types.h"

inline constexpr char kADMListSuite[] = "ADM List Suite";
inline constexpr int32_t kADMListSuiteVersion = 1;

extern "C" {

// Inserts a new, empty entry at `index` (entries from there on move down one).
typedef ADMEntryRef(HOST_CALL* ADMListInsertEntryProc)(ADMListRef list, int32_t index);
// The entry at `index`; null outside 0 to NumberOfEntries - 1.
typedef ADMEntryRef(HOST_CALL* ADMListIndexEntryProc)(ADMListRef list, int32_t index);
// The selected entry of a pop-up; null if none is.
typedef ADMEntryRef(HOST_CALL* ADMListGetActiveEntryProc)(ADMListRef list);
// How many entries the list holds.
typedef int32_t(HOST_CALL* ADMListNumberOfEntriesProc)(ADMListRef list);

}  // extern "C"

struct ADMListSuite {
    ADMListInsertEntryProc InsertEntry;
    ADMListIndexEntryProc IndexEntry;
    ADMListGetActiveEntryProc GetActiveEntry;
    ADMListNumberOfEntriesProc NumberOfEntries;
};
