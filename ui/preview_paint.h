// The settings dialog's preview (item 3): a one-pixel black frame around a
// white field, and in it the preview matrix painted at 3 pixels per module
// with its quiet zone, shrunk by area averaging when that picture does not
// fit (grey edges instead of dropped modules), centred on the item. The
// picture is painted off screen and copied in one BitBlt.
#pragma once

#include <cstdint>

#include "hostapi/adm_types.h"
#include "platform/win_gdi.h"
#include "qr/symbol_encoder.h"

// Pixels per module of the full-size picture.
inline constexpr int32_t kPreviewPixelsPerModule = 3;
// Side in pixels of the largest full-size picture: version 40 and its quiet
// zone.
inline constexpr int32_t kMaxPreviewPictureSide = kPreviewPixelsPerModule * (kMaxSide + 8);

// The draw procedure of item 3: paints the preview matrix of the globals
// record on the drawer's port over the item's local rectangle.
void HOST_CALL DrawSymbolPreview(ADMItemRef item, ADMDrawerRef drawer);

// Paints the preview of `matrix` on `dc` over `itemRect`: the frame, the
// white field and, unless `matrix` is null or its side 0, the symbol. What
// cannot be made (a GDI object, a buffer) leaves the symbol out; every object
// and buffer made is released, and every memory device context holds its
// first bitmap again when it is deleted.
void PaintSymbolPreview(HDC dc, const ADMRect& itemRect, const ModuleMatrix* matrix);

// Shrinks the `side` x `side` picture `picture` (32-bit pixels, blue, green,
// red and an unused byte, rows bottom-up) by `scale` (0 < scale <= 1) into
// the `width` x `height` pixels `target`, laid out the same way: source pixel
// (x, y) lands on target pixel (x * scale + 0.5, y * scale + 0.5), truncated
// and held inside the target, and every target pixel takes the mean of the
// red bytes that land on it as a grey, or white when none does. The target is
// at most side x side. `sums` and `counts` hold width x height elements each
// and must be zero.
void AveragePicture(const uint8_t* picture, int32_t side, double scale, int32_t width,
                    int32_t height, int32_t* sums, int32_t* counts, uint8_t* target);
