#include "standin/export/eps_box.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "standin/export/number_text.h"

namespace standin {

namespace {

// A hair of rounding is no extra point.
constexpr double kRoundingSlack = 1e-6;

// The first line of `text` that starts with `prefix`, as [begin, end) with
// its line end; npos when there is none.
size_t FindLine(const std::string& text, std::string_view prefix, size_t* end) {
    size_t at = 0;
    while (at < text.size()) {
        const size_t next = text.find('\n', at);
        const size_t stop = next == std::string::npos ? text.size() : next + 1;
        if (std::string_view(text).substr(at, stop - at).starts_with(prefix)) {
            *end = stop;
            return at;
        }
        at = stop;
    }
    return std::string::npos;
}

void ReplaceLine(std::string* text, std::string_view prefix, const std::string& with) {
    size_t end = 0;
    const size_t begin = FindLine(*text, prefix, &end);
    if (begin != std::string::npos) text->replace(begin, end - begin, with);
}

std::string WholePoints(double length) {
    return std::to_string(static_cast<long long>(EpsPageHeight(length)));
}

}  // namespace

double EpsPageHeight(double height) {
    return std::max(1.0, std::ceil(height - kRoundingSlack));
}

double EpsShiftDown(double height) {
    return EpsPageHeight(height) - height;
}

void StateEpsBox(std::string* eps, double width, double height) {
    const std::string whole = "0 0 " + WholePoints(width) + " " + WholePoints(height);
    std::string exact = "0 0 ";
    AppendShortest(&exact, width);
    exact += ' ';
    AppendShortest(&exact, height);
    ReplaceLine(eps, "%%CreationDate:", "");
    ReplaceLine(eps, "%%BoundingBox:",
                "%%BoundingBox: " + whole + "\n%%HiResBoundingBox: " + exact + "\n");
    ReplaceLine(eps, "%%PageBoundingBox:", "%%PageBoundingBox: " + whole + "\n");
}

}  // namespace standin
