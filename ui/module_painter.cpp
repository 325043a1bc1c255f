#include "ui/module_painter.h"

#include <cassert>

#include "ui/dialog_items.h"

void PaintModules(HDC dc, const ModuleMatrix* matrix, int32_t centreX, int32_t centreY,
                  int32_t pixelsPerModule, HBRUSH brush) {
    assert(matrix != nullptr && pixelsPerModule > 0);
    const int32_t side = matrix->side;
    assert(side >= 0 && side <= kMaxSide);
    const int32_t p = pixelsPerModule;
    const int32_t figure = p * (side + 2 * kQuietZoneModules);
    const int32_t left0 = centreX - figure / 2;
    const int32_t top0 = centreY - figure / 2;
    for (int32_t row = 0; row < side; ++row) {
        for (int32_t column = 0; column < side; ++column) {
            if (matrix->modules[column * kMaxSide + row] == 0) continue;
            const LONG left = left0 + p * (kQuietZoneModules + column);
            const LONG top = top0 + p * (kQuietZoneModules + row);
            const RECT module = {left, top, left + p, top + p};
            FillRect(dc, &module, brush);
        }
    }
}
