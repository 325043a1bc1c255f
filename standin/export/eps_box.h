// The box of an EPS figure drawn with cairo. cairo sets up an EPS page by
// flipping it at its height in whole points, so a figure whose height is not
// whole would sit below its exact box; drawn on a page of whole points and
// moved down by the difference, it lies exactly in "0 0 width height", which
// %%HiResBoundingBox then states, with %%BoundingBox in whole points around
// it. Standard library only: the cairo calls stay with their callers.
#pragma once

#include <string>

namespace standin {

// The height to create cairo's EPS surface with for a figure `height`
// points high: whole points.
double EpsPageHeight(double height);

// How far down, in points, to draw a figure `height` points high on that
// page so that it ends at the page's foot.
double EpsShiftDown(double height);

// States the figure's box in cairo's `eps`: "%%BoundingBox: 0 0 W H" in
// whole points and "%%HiResBoundingBox: 0 0 width height" exactly, the same
// box in %%PageBoundingBox, and no creation date (so that two exports of one
// figure are the same bytes).
void StateEpsBox(std::string* eps, double width, double height);

}  // namespace standin
