// "ADM Entry Suite": single entries of lists and pop-ups.
//
// The plug-in gives each pop-up entry its text (or makes it a disabled
// separator when its string cannot be read), selects the entry of a stored
// setting, and reads the index of the entry the user chose.
#pragma once

#include "hostapi/adm_types.h"
#include "hostapi/host_types.h"

inline constexpr char kADMEntrySuite[] = "ADM Entry Suite";
inline constexpr int32_t kADMEntrySuiteVersion = 2;

extern "C" {

// The entry's index in its list.
typedef int32_t(HOST_CALL* ADMEntryGetIndexProc)(ADMEntryRef entry);
// Selects or deselects the entry; selecting a pop-up entry makes it active.
typedef void(HOST_CALL* ADMEntrySelectProc)(ADMEntryRef entry, ASBoolean select);
// Whether the entry is selected.
typedef ASBoolean(HOST_CALL* ADMEntryIsSelectedProc)(ADMEntryRef entry);
// Sets the entry's text (NUL-terminated, code page 932).
typedef void(HOST_CALL* ADMEntrySetTextProc)(ADMEntryRef entry, const char* text);
// Enables or disables the entry.
typedef void(HOST_CALL* ADMEntryEnableProc)(ADMEntryRef entry, ASBoolean enable);
// Makes the entry a separator line, or a normal entry again.
typedef void(HOST_CALL* ADMEntryMakeSeparatorProc)(ADMEntryRef entry, ASBoolean separator);

}  // extern "C"

struct ADMEntrySuite {
    ADMEntryGetIndexProc GetIndex;
    ADMEntrySelectProc Select;
    ADMEntryIsSelectedProc IsSelected;
    ADMEntrySetTextProc SetText;
    ADMEntryEnableProc Enable;
    ADMEntryMakeSeparatorProc MakeSeparator;
};
