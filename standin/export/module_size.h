// The size of a placed symbol's modules in a document, for what a PNG of it
// can show: a reader needs a few pixels a module.
#pragma once

#include "standin/suites/document/documents.h"

namespace standin {

// The side, in points, of the smallest filled square path of `document`: a
// placed symbol's module. 0 when the document holds none.
double SmallestFilledSquare(const Document& document);

}  // namespace standin
