// Characters named in messages as a person would recognise them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The code point of the UTF-8 character at the start of `utf8` (well-formed
// or not: a byte that starts no character stands for itself), and its length
// in bytes, at least 1 and at most what `utf8` holds, in *length.
uint32_t CodePointAt(std::string_view utf8, size_t* length);

// The character at the start of `utf8` for a message: "'é' (U+00E9)"; one
// that shows as nothing or as a blank (controls, the blanks other than the
// space, joiners, marks of direction, the byte-order mark, variation
// selectors) by its code point alone: "U+200B". *length, when given, gets
// its length in bytes.
std::string ShownCharacter(std::string_view utf8, size_t* length = nullptr);
