// PDF of documents whose painted art is rectangles of one colour (a placed
// symbol, rectangle_art.h), written directly: one page the size of the
// export box, one content stream that fills every rectangle, through its
// stored corners, in the one colour (compressed when it is large). Like cairo's PDF, the
// paper is not painted and the creation date is the epoch's, so the same
// document gives the same bytes.
#pragma once

#include <string>

#include "standin/export/export_geometry.h"
#include "standin/export/rectangle_art.h"

namespace standin {

// Appends the PDF of `art`, showing `box`, to `out`. False with a reason when
// zlib fails.
bool WriteRectanglesPdf(const RectangleArt& art, const ExportBox& box, std::string* out,
                        std::string* error);

}  // namespace standin
