#include "tests/standin/export/symbol_art.h"

namespace {

struct Rect {
    float left, top, right, bottom;
};

bool AddRectPath(AIArtHandle group, const Rect& r, bool filled) {
    AIArtHandle path = nullptr;
    if (standin::StandinArtSuite()->NewArt(kPathArt, kPlaceInsideOnTop, group, &path) != 0)
        return false;
    AIPathStyle style{};
    style.fillPaint = filled;
    style.fill.color.kind = kGrayColor;
    style.fill.color.c.gray.gray = 1.0f;
    style.stroke.color.kind = kGrayColor;
    style.stroke.color.c.gray.gray = 1.0f;
    style.stroke.width = 0.1f;
    style.stroke.miterLimit = 4.0f;
    bool ok = standin::StandinPathStyleSuite()->SetPathStyle(path, &style) == 0;
    ok = standin::StandinPathSuite()->SetPathClosed(path, true) == 0 && ok;
    const ASRealPoint corners[4] = {
        {r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
    for (int16_t i = 0; i < 4; ++i) {
        const AIPathSegment s = {corners[i], corners[i], corners[i], true};
        ok = standin::StandinPathSuite()->SetPathSegments(path, i, 1, &s) == 0 && ok;
    }
    return ok;
}

}  // namespace

bool DrawTestSymbol(const ModuleMatrix& matrix, double x, double y, double m) {
    const int n = matrix.side;
    AIArtHandle group = nullptr;
    if (standin::StandinArtSuite()->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group) != 0)
        return false;
    const double w = (n + 8) * m;
    Rect outer;
    outer.top = static_cast<float>(y + w / 2);
    outer.bottom = static_cast<float>(outer.top - w);
    outer.left = static_cast<float>(x - w / 2);
    outer.right = static_cast<float>(outer.left + w);
    bool ok = AddRectPath(group, outer, false);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            if (!matrix.modules[c * kMaxSide + r]) continue;
            Rect module;
            module.top = static_cast<float>(outer.top - 4 * m - r * m);
            module.bottom = static_cast<float>(module.top - m);
            module.left = static_cast<float>(outer.left + 4 * m + c * m);
            module.right = static_cast<float>(module.left + m);
            ok = AddRectPath(group, module, true) && ok;
        }
    }
    return ok;
}

standin::Document* OpenSymbolDocument(const std::string& text, char level, char mode, int version,
                                      const std::string& name) {
    const auto matrix = EncodeTestSymbol(text, level, mode, version);
    if (matrix->side == 0) return nullptr;
    standin::Document* document = standin::OpenDocument(name);
    if (!DrawTestSymbol(*matrix, document->viewCenter.h, document->viewCenter.v,
                        kHalfMillimetreModule))
        return nullptr;
    return document;
}
