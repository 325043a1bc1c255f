// "AI Path Style Suite": fill and stroke of path art.
//
// The plug-in fills each module square black with no stroke, and leaves the
// quiet-zone rectangle unpainted. It hands the host the whole style record
// (472 bytes on 32-bit Windows), which the host reads in full.
#pragma once

#include "hostapi/ai_art.h"
#include "hostapi/host_types.h"

inline constexpr char kAIPathStyleSuite[] = "AI Path Style Suite";
inline constexpr ASInt32 kAIPathStyleSuiteVersion = 5;

// Kinds of colour (an int-sized enumeration). A zero-filled colour is gray.
typedef int32_t AIColorKind;
inline constexpr AIColorKind kGrayColor = 0;
inline constexpr AIColorKind kFourColor = 1;    // cyan, magenta, yellow, black
inline constexpr AIColorKind kPattern = 2;      // a pattern fill
inline constexpr AIColorKind kCustomColor = 3;  // a named colour
inline constexpr AIColorKind kGradient = 4;     // a gradient fill
inline constexpr AIColorKind kThreeColor = 5;   // red, green, blue
inline constexpr AIColorKind kNoneColor = 6;    // no paint

// Line caps and joins (int-sized enumerations). Zero is butt cap, miter join.
typedef int32_t AILineCap;
inline constexpr AILineCap kButtCap = 0;
inline constexpr AILineCap kRoundCap = 1;
inline constexpr AILineCap kProjectingCap = 2;
typedef int32_t AILineJoin;
inline constexpr AILineJoin kMiterJoin = 0;
inline constexpr AILineJoin kRoundJoin = 1;
inline constexpr AILineJoin kBevelJoin = 2;

// Entries of a dash pattern.
inline constexpr int32_t kMaxDashComponents = 6;

// Bytes of a path's note.
inline constexpr int32_t kPathStyleNoteSize = 256;

#include "hostapi/pack_begin.h"

// Tint of black: 0 is white, 1 is black.
struct AIGrayColorStyle {
    ASReal gray;
};

// Process colour, each 0 to 1.
struct AIFourColorStyle {
    ASReal cyan;
    ASReal magenta;
    ASReal yellow;
    ASReal black;
};

// Screen colour, each 0 to 1.
struct AIThreeColorStyle {
    ASReal red;
    ASReal green;
    ASReal blue;
};

// The colour itself, by kind. The host's union also holds custom colours,
// patterns (64 bytes, which set its size) and gradients; the plug-in uses
// none of them, so they are room here.
union AIColorUnion {
    AIGrayColorStyle gray;
    AIFourColorStyle four;
    AIThreeColorStyle three;
    unsigned char room[64];
};

struct AIColor {
    AIColorKind kind;
    AIColorUnion c;  // the member that `kind` names
};

struct AIFillStyle {
    AIColor color;
    ASBoolean overprint;
};

// Dash pattern: `length` entries of `array` alternate dash and gap lengths;
// length 0 is a solid line.
struct AIDashStyle {
    short length;
    ASReal offset;
    ASReal array[kMaxDashComponents];
};

struct AIStrokeStyle {
    AIColor color;
    ASBoolean overprint;
    ASReal width;  // points
    AIDashStyle dash;
    AILineCap cap;
    AILineJoin join;
    ASReal miterLimit;
};

// The whole paint of a path. A zero-filled style paints nothing, with no
// overprint, no dash, butt caps, miter joins, no clipping, the non-zero
// winding rule, resolution 0 and no note.
struct AIPathStyle {
    ASBoolean fillPaint;    // fill the path with `fill`
    ASBoolean strokePaint;  // stroke the path with `stroke`
    AIFillStyle fill;
    AIStrokeStyle stroke;
    ASBoolean clip;      // the path is a clipping path
    ASBoolean lockClip;  // the clipping path cannot be released
    ASBoolean evenOdd;   // even-odd fill rule instead of non-zero winding
    ASReal resolution;   // the path's output resolution
    unsigned char note[kPathStyleNoteSize];  // the user's note on the path
};

#include "hostapi/pack_end.h"

extern "C" {

// Sets the whole paint of `path` from the whole record.
typedef ASErr(HOST_CALL* AISetPathStyleProc)(AIArtHandle path, const AIPathStyle* style);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 21 entries).
struct AIPathStyleSuite {
    /*  0 */ HostUnusedSlot GetPathStyle;
    /*  1 */ AISetPathStyleProc SetPathStyle;
};

#include "hostapi/pack_end.h"
