// What the user types into the settings dialog's text item becomes the text
// to encode: the escapes \r, \n and \t stand for a carriage return, a line
// feed and a tab.
#pragma once

#include <cstddef>

// Copies the NUL-terminated code page 932 `typed` into `text`, turning a
// backslash followed by "r", "n" or "t" into CR, LF or TAB. A two-byte
// character is copied whole, so its second byte is never read as a
// backslash; a lead byte that ends the text has no second byte and is
// dropped. Every other byte, a backslash before any other byte included, is
// copied unchanged. `text` needs room for strlen(typed) + 1 bytes: the result
// is never longer. Returns the result's length.
size_t TranslateEscapes(const char* typed, char* text);
