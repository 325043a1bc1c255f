// Numbers as text for the export formats and the dump: locale-independent
// and never in exponent form where a format does not read it.
#pragma once

#include <string>

namespace standin {

// Appends the shortest decimal that reads back as exactly `value`, in plain
// (not exponent) notation: 279.44894, 0.1, -3. `value` must be finite.
void AppendShortest(std::string* out, float value);
void AppendShortest(std::string* out, double value);

// Appends `value` with 9 significant digits, as "%.9g" writes it.
void AppendNineDigits(std::string* out, double value);

}  // namespace standin
