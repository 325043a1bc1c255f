#include "art/symbol_art.h"

#include <cassert>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "contract/error_codes.h"
#include "globals/plugin_state.h"
#include "hostapi/sp_basic.h"
#include "qr/symbol_encoder.h"

namespace {

// The paint of every path of the symbol: black fill (when painted), no
// stroke; the stroke's colour, width and miter limit are set all the same.
constexpr ASReal kBlackGray = 1.0f;
constexpr ASReal kStrokeWidth = 0.1f;
constexpr ASReal kMiterLimit = 4.0f;
// The path's output resolution. The style is otherwise all zero, but a zero
// resolution is not known to be taken by the host; its own default for a new
// path, 800, is set instead.
constexpr ASReal kPathResolution = 800.0f;

// Segments of one rectangle.
constexpr int16_t kRectCorners = 4;

void SetSymbolPathStyle(AIPathStyle* style, ASBoolean fillPaint) {
    // The host reads the whole record: every byte not set below is zero (no
    // overprint, no dash, butt caps, miter joins, no clipping, non-zero
    // winding, no note).
    std::memset(style, 0, sizeof *style);
    style->fillPaint = fillPaint;
    style->strokePaint = kASFalse;
    style->fill.color.kind = kGrayColor;
    style->fill.color.c.gray.gray = kBlackGray;
    style->stroke.color.kind = kGrayColor;
    style->stroke.color.c.gray.gray = kBlackGray;
    style->stroke.width = kStrokeWidth;
    style->stroke.miterLimit = kMiterLimit;
    style->resolution = kPathResolution;
}

// The quiet-zone rectangle of a symbol of `side` modules centred on (x, y).
// Each edge is rounded to a float as it is stored, and the later edges are
// computed from the rounded earlier ones.
ASRealRect OuterSquare(double x, double y, double moduleSize, int32_t side) {
    const double width = (side + 2 * kQuietZoneModules) * moduleSize;
    ASRealRect outer;
    outer.top = static_cast<ASReal>(y + width / 2);
    outer.bottom = static_cast<ASReal>(outer.top - width);
    outer.left = static_cast<ASReal>(x - width / 2);
    outer.right = static_cast<ASReal>(outer.left + width);
    return outer;
}

// Whether a symbol of `side` modules centred on (x, y) fits the 32-bit reals
// the host stores: its width, and each coordinate, which lies within that
// width of the centre, stay finite when the centre's distance from 0 and the
// width together stay within the largest float. A NaN fails.
bool PlacementFits(double x, double y, double moduleSize, int32_t side) {
    const double width = (side + 2 * kQuietZoneModules) * moduleSize;
    return moduleSize > 0 && std::fabs(x) + width <= FLT_MAX && std::fabs(y) + width <= FLT_MAX;
}

// The square of the module in `column` and `row` inside `outer`, rounded the
// same way: bottom from the stored top, right from the stored left.
ASRealRect ModuleSquare(const ASRealRect& outer, double moduleSize, int32_t column, int32_t row) {
    const double margin = kQuietZoneModules * moduleSize;
    ASRealRect square;
    square.top = static_cast<ASReal>(outer.top - margin - row * moduleSize);
    square.bottom = static_cast<ASReal>(square.top - moduleSize);
    square.left = static_cast<ASReal>(outer.left + margin + column * moduleSize);
    square.right = static_cast<ASReal>(square.left + moduleSize);
    return square;
}

}  // namespace

ASErr AddRectPath(AIArtHandle group, const ASRealRect* rect, ASBoolean fillPaint) {
    assert(rect != nullptr);
    const AIArtSuite* art = gPluginState.art;
    const AIPathSuite* path = gPluginState.path;
    const AIPathStyleSuite* pathStyle = gPluginState.pathStyle;
    if (art == nullptr || path == nullptr || pathStyle == nullptr) return kSPSuiteNotFoundError;

    AIArtHandle rectPath = nullptr;
    const ASErr error = art->NewArt(kPathArt, kPlaceInsideOnTop, group, &rectPath);
    if (error != kSPNoError) return error;

    AIPathStyle style;
    SetSymbolPathStyle(&style, fillPaint);
    pathStyle->SetPathStyle(rectPath, &style);
    path->SetPathClosed(rectPath, kASTrue);

    const ASRealPoint corners[kRectCorners] = {
        {rect->left, rect->top},
        {rect->right, rect->top},
        {rect->right, rect->bottom},
        {rect->left, rect->bottom},
    };
    ASErr result = kSPNoError;
    for (int16_t i = 0; i < kRectCorners; ++i) {
        // A corner whose control points lie on it: the sides are straight.
        const AIPathSegment segment = {corners[i], corners[i], corners[i], kASTrue};
        result = path->SetPathSegments(rectPath, i, 1, &segment);
    }
    return result;
}

ASErr DrawSymbolArt(double x, double y, double moduleSize, const char* text, char levelChar,
                    char modeChar, int32_t version) {
    assert(text != nullptr);
    const AIArtSuite* art = gPluginState.art;
    if (art == nullptr || gPluginState.path == nullptr || gPluginState.pathStyle == nullptr)
        return kSPSuiteNotFoundError;

    auto* matrix = static_cast<ModuleMatrix*>(std::calloc(1, sizeof(ModuleMatrix)));
    if (matrix == nullptr) return kPluginOutOfMemoryError;
    const int32_t encoded = EncodeQRSymbol(text, levelChar, modeChar, version, matrix);
    const int32_t side = matrix->side;
    if (encoded != kQROk || side == 0) {
        std::free(matrix);
        return encoded;
    }
    assert(side >= 21 && side <= kMaxSide);
    if (!PlacementFits(x, y, moduleSize, side)) {
        std::free(matrix);
        return kQRActionBadParameters;
    }

    AIArtHandle group = nullptr;
    const ASErr error = art->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group);
    if (error != kSPNoError) {
        std::free(matrix);
        return error;
    }

    const ASRealRect outer = OuterSquare(x, y, moduleSize, side);
    AddRectPath(group, &outer, kASFalse);
    // Row by row from the top, each row from the left; a failed path is left
    // as it is and the drawing goes on.
    for (int32_t row = 0; row < side; ++row) {
        for (int32_t column = 0; column < side; ++column) {
            if (matrix->modules[column * kMaxSide + row] == 0) continue;
            const ASRealRect square = ModuleSquare(outer, moduleSize, column, row);
            AddRectPath(group, &square, kASTrue);
        }
    }
    std::free(matrix);
    return kSPNoError;
}
