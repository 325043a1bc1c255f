#include "shell/length_prefixed.h"

#include <cassert>
#include <cstring>

void ToLengthPrefixed(const char* text, unsigned char* out) {
    assert(text != nullptr && out != nullptr);
    const size_t length = std::strlen(text);
    assert(length < static_cast<size_t>(kLengthPrefixedStringSize));
    std::memmove(out + 1, text, length);
    out[0] = static_cast<unsigned char>(length);
}

void FromLengthPrefixed(const unsigned char* in, char* text) {
    assert(in != nullptr && text != nullptr);
    const size_t length = in[0];
    std::memmove(text, in + 1, length);
    text[length] = '\0';
}
