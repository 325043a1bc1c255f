// A document's art tree as text, for people and for tests: the same
// document always gives the same text.
//
// The first line describes the document:
//   document "NAME" page WIDTH HEIGHT view H V
// then one line per art object, in paint order (bottom first), each group
// before the objects it holds. A line starts with the object's place: its
// 1-based position at each level from the top ("1", "1.1", "1.2", "2"):
//   1 group 2 objects
//   1.1 path closed fill 0 gray 1 stroke 0 gray 1 width 0.100000001 miter 4
//       segments 4: 279.448944 420.551056 279.448944 420.551056 279.448944
//       420.551056 corner; 320.551056 420.551056 ...
// (a path is one line). A path line gives: "open" or "closed"; the fill
// paint flag and its colour; the stroke paint flag and its colour; the
// stroke's width and miter limit; then each field of the style that is set
// although zero means "off": "cap N", "join N", "dash OFFSET LENGTH: A B ...",
// "fill-overprint", "stroke-overprint", "clip", "lock-clip", "even-odd"; and
// last "segments N", followed, when N > 0, by ":" and the segments separated
// by ";", each as anchor h v, in-control h v, out-control h v and "corner" or
// "smooth". A colour is "gray G", "cmyk C M Y K", "rgb R G B", or for a kind
// the host does not know "kind K" and the four numbers its record holds.
// Other art is "PLACE art TYPE". Every number is the stored value with 9
// significant digits ("%.9g"), which gives back a 32-bit float exactly. The
// name's quotes, backslashes and bytes below 0x20 are written as \", \\ and
// \xNN; its other bytes are written unchanged.
#pragma once

#include <string>

#include "standin/suites/document/documents.h"

namespace standin {

// The text of `document`'s art tree, every line ending in a newline.
std::string DumpArtTree(const Document& document);

}  // namespace standin
