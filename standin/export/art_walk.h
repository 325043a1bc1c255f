// A walk over a document's art tree in paint order, bottom first, without
// recursion, so that however deeply groups nest the stack does not grow.
#pragma once

#include <string>
#include <vector>

#include "standin/suites/document/documents.h"

namespace standin {

// Where an object sits in the tree: 1-based positions from the top level
// down, so {1, 2} is the second object of the first top-level group.
using ArtPlace = std::vector<size_t>;

// "1.2" for {1, 2}.
std::string ArtPlaceText(const ArtPlace& place);

// Calls enter(art, place) for every object under `top` (not `top` itself),
// each before the objects it holds, and leave(group) after a group's
// children. Only groups are descended into.
template <typename Enter, typename Leave>
void WalkArt(const Art& top, Enter&& enter, Leave&& leave) {
    struct Level {
        const Art* group;
        size_t next;  // index of the next child to visit
    };
    std::vector<Level> levels{{&top, 0}};
    ArtPlace place;
    while (!levels.empty()) {
        const Art* group = levels.back().group;
        const size_t index = levels.back().next;
        if (index == group->children.size()) {
            levels.pop_back();
            if (!levels.empty()) {
                place.pop_back();
                leave(*group);
            }
            continue;
        }
        ++levels.back().next;
        const Art& art = *group->children[index];
        place.push_back(index + 1);
        enter(art, static_cast<const ArtPlace&>(place));
        if (art.type == kGroupArt) {
            levels.push_back({&art, 0});
        } else {
            place.pop_back();
        }
    }
}

}  // namespace standin
