// Text conversion between the terminal's UTF-8 and the plug-in's code page
// 932 (Shift-JIS with the Windows extensions), through iconv.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class Cp932Status {
    kOk,
    kInvalidUtf8,  // the input is not well-formed UTF-8
    kNoCp932Form,  // a character has no code page 932 form
    kInvalidCp932, // the input is not well-formed code page 932
    kSystemError,  // iconv itself is unavailable
};

struct Cp932Result {
    Cp932Status status;
    std::string bytes;   // the converted text when status is kOk
    size_t offset;       // else: the byte offset of the offending input
};

// Converts UTF-8 text to code page 932 bytes.
Cp932Result Utf8ToCp932(std::string_view utf8);

// Converts code page 932 bytes to UTF-8 text.
Cp932Result Cp932ToUtf8(std::string_view cp932);

// The same, for messages: bytes that do not convert come out as U+FFFD.
std::string Cp932ToUtf8Lossy(std::string_view cp932);
