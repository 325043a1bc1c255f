// "AI Path Style Suite": fill and stroke of path art.
//
// The plug-in fills each module square black with no stroke, and leaves the
// quiet-zone rectangle unpainted.
#pragma once

#include "hostapi/ai_art.h"
#include "hostapi/host_types.h"

inline constexpr char kAIPathStyleSuite[] = "AI Path Style Suite";
inline constexpr int32_t kAIPathStyleSuiteVersion = 5;

// Kinds of colour. A zero-filled colour is gray.
typedef int16_t AIColorKind;
inline constexpr AIColorKind kGrayColor = 0;
inline constexpr AIColorKind kFourColor = 1;   // cyan, magenta, yellow, black
inline constexpr AIColorKind kThreeColor = 2;  // red, green, blue

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

union AIColorUnion {
    AIGrayColorStyle gray;
    AIFourColorStyle four;
    AIThreeColorStyle three;
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
inline constexpr int32_t kMaxDashComponents = 6;
struct AIDashStyle {
    int16_t length;
    ASReal offset;
    ASReal array[kMaxDashComponents];
};

// Line caps and joins. Zero is butt cap, miter join.
typedef int16_t AILineCap;
inline constexpr AILineCap kButtCap = 0;
inline constexpr AILineCap kRoundCap = 1;
inline constexpr AILineCap kProjectingCap = 2;
typedef int16_t AILineJoin;
inline constexpr AILineJoin kMiterJoin = 0;
inline constexpr AILineJoin kRoundJoin = 1;
inline constexpr AILineJoin kBevelJoin = 2;

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
// overprint, no dash, butt caps, miter joins, no clipping, and the non-zero
// winding rule.
struct AIPathStyle {
    ASBoolean fillPaint;    // fill the path with `fill`
    ASBoolean strokePaint;  // stroke the path with `stroke`
    AIFillStyle fill;
    AIStrokeStyle stroke;
    ASBoolean clip;      // the path is a clipping path
    ASBoolean lockClip;  // the clipping path cannot be released
    ASBoolean evenOdd;   // even-odd fill rule instead of non-zero winding
};

extern "C" {

// Sets the whole paint of `path`.
typedef ASErr(HOST_CALL* AISetPathStyleProc)(AIArtHandle path, const AIPathStyle* style);

}  // extern "C"

struct AIPathStyleSuite {
    AISetPathStyleProc SetPathStyle;
};
