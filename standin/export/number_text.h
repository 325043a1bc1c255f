// Numbers as text for the export formats and the dump: locale-independent
// and never in exponent form where a format does not read it.
#pragma once

#include <string>
#include <string_view>

namespace standin {

// Appends the shortest decimal that reads back as exactly `value`, in plain
// (not exponent) notation: 279.44894, 0.1, -3. `value` must be finite.
void AppendShortest(std::string* out, float value);
void AppendShortest(std::string* out, double value);

// AppendShortest for floats that repeat, as a placed symbol's coordinates do
// (the modules of a row share their top and bottom, those of a column their
// sides): the text of a float written before is copied, not worked out again.
class ShortestFloatCache {
  public:
    ShortestFloatCache();
    ~ShortestFloatCache();
    ShortestFloatCache(const ShortestFloatCache&) = delete;
    ShortestFloatCache& operator=(const ShortestFloatCache&) = delete;

    // What AppendShortest(out, value) appends; valid until the next call.
    std::string_view Text(float value);

  private:
    struct Slot;
    Slot* slots_;
    std::string scratch_;  // the text of a float too long for a slot
};

// Appends `value` with 9 significant digits, as "%.9g" writes it.
void AppendNineDigits(std::string* out, double value);

}  // namespace standin
