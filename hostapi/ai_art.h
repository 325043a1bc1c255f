// "AI Art Suite": the art objects of the current document.
//
// The plug-in creates one group above all other art, then the paths of the
// symbol inside it, each on top of the ones before.
#pragma once

#include "hostapi/host_types.h"

inline constexpr char kAIArtSuite[] = "AI Art Suite";
inline constexpr ASInt32 kAIArtSuiteVersion = 10;

// An art object of the current document.
typedef struct AIArt* AIArtHandle;

// Kinds of art. The host's enumeration is int-sized, but NewArt takes its
// value as a short.
typedef short AIArtType;
inline constexpr AIArtType kUnknownArt = 0;
inline constexpr AIArtType kGroupArt = 1;
inline constexpr AIArtType kPathArt = 2;

// Where new art goes relative to a reference art object. The host's
// enumeration is int-sized, but NewArt takes its value as a short.
typedef short AIPaintOrder;
inline constexpr AIPaintOrder kPlaceDefault = 0;         // the host's choice
inline constexpr AIPaintOrder kPlaceAbove = 1;           // just above the reference
inline constexpr AIPaintOrder kPlaceBelow = 2;           // just below the reference
inline constexpr AIPaintOrder kPlaceInsideOnTop = 3;     // last child of the reference group
inline constexpr AIPaintOrder kPlaceInsideOnBottom = 4;  // first child of the reference group
inline constexpr AIPaintOrder kPlaceAboveAll = 5;        // above all art; no reference
inline constexpr AIPaintOrder kPlaceBelowAll = 6;        // below all art; no reference

extern "C" {

// Creates art of `type` at `paintOrder` relative to `reference` (null for the
// orders that take none) into *newArt.
typedef ASErr(HOST_CALL* AINewArtProc)(AIArtType type, AIPaintOrder paintOrder, AIArtHandle reference,
                                       AIArtHandle* newArt);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 46 entries).
struct AIArtSuite {
    /*  0 */ AINewArtProc NewArt;
};

#include "hostapi/pack_end.h"
