#include "tools/qrtables/placement.h"

#include <algorithm>
#include <cassert>

namespace qrtables {

std::vector<Module> PlacementWalk(const FunctionMap& map) {
    const int side = map.side;
    std::vector<Module> walk;
    walk.reserve(side * side);
    bool upward = true;
    for (int right = side - 1; right >= 1; right -= 2) {
        if (right == 6) right = 5;  // the vertical timing pattern takes a whole column
        for (int step = 0; step < side; ++step) {
            const int row = upward ? side - 1 - step : step;
            for (int column = right; column >= right - 1; --column)
                if (!map.IsReserved(column, row)) walk.push_back({column, row});
        }
        upward = !upward;
    }
    return walk;
}

std::vector<int> InterleavedPositions(const BlockLayout& layout) {
    const int blocks = static_cast<int>(layout.blockLengths.size());
    const int ec = layout.ecPerBlock;
    std::vector<int> dataStart(blocks);
    int maxData = 0;
    for (int b = 0, start = 0; b < blocks; ++b) {
        dataStart[b] = start;
        start += layout.blockLengths[b] - ec;
        maxData = std::max(maxData, layout.blockLengths[b] - ec);
    }
    std::vector<int> position(layout.totalCodewords, -1);
    int next = 0;
    for (int i = 0; i < maxData; ++i)
        for (int b = 0; b < blocks; ++b)
            if (i < layout.blockLengths[b] - ec) position[dataStart[b] + i] = next++;
    for (int i = 0; i < ec; ++i)
        for (int b = 0; b < blocks; ++b) position[layout.dataCodewords + b * ec + i] = next++;
    assert(next == layout.totalCodewords);
    return position;
}

std::vector<Module> BitModules(const FunctionMap& map, const BlockLayout& layout) {
    const std::vector<Module> walk = PlacementWalk(map);
    const std::vector<int> position = InterleavedPositions(layout);
    assert(walk.size() >= 8 * position.size());
    std::vector<Module> modules(walk.size());
    for (size_t p = 0; p < position.size(); ++p)
        for (int i = 0; i < 8; ++i) modules[8 * p + i] = walk[8 * position[p] + i];
    for (size_t k = 8 * position.size(); k < walk.size(); ++k) modules[k] = walk[k];
    return modules;
}

}  // namespace qrtables
