// The UTF-16 texts of resources in code page 932, as the ANSI calls give them
// on a Japanese system.
#pragma once

#include <string>
#include <string_view>

// Converts `text` to code page 932 (Shift-JIS with the Windows extensions).
// A character without a code page 932 form, or a lone surrogate, becomes '?',
// as the system's conversion does by default.
std::string Utf16ToCp932(std::u16string_view text);
