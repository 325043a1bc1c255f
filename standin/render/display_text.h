// Item texts (code page 932) as a picture shows them, in UTF-8: labels with
// their line breaks and mnemonic prefixes, one-line edit texts with their
// control characters made visible.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace standin {

struct DisplayText {
    std::string utf8;
    // Byte ranges [first, second) of utf8 to underline: the mnemonics.
    std::vector<std::pair<size_t, size_t>> underlined;
};

// A static text or a button's label: CR, LF and CR LF each break the line
// ('\n'); a tab stays a tab; any other control character shows as its
// control picture (U+2400 + code). With `prefixes`, "&&" shows one '&' and
// '&' before a character underlines that character (a '&' that ends the text
// shows nothing), as Windows draws dialog labels.
DisplayText LabelText(const std::string& cp932, bool prefixes);

// The text of a one-line edit field: every control character, line breaks
// and tabs included, shows as its control picture (U+2400 + code, U+2421 for
// DEL), since such a field has one line and no tab stops.
std::string EditLineText(const std::string& cp932);

}  // namespace standin
