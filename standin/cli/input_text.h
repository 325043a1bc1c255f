// Texts from the command line or a file as the plug-in takes them: code page
// 932 bytes, converted from UTF-8 or passed on as they are.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The most bytes of text the plug-in holds.
inline constexpr size_t kMaxPluginTextBytes = 8192;

enum class InputEncoding { kUtf8, kCp932 };

// Reads --input-encoding's value: "utf-8" (or "utf8") or "cp932".
bool ParseInputEncoding(const char* name, InputEncoding* encoding);

// `text` without a UTF-8 byte-order mark at its start.
std::string_view WithoutByteOrderMark(std::string_view text);

// The code page 932 bytes of `raw` in `encoding` into `text`. False, with
// the reason in `why`, for UTF-8 that is not well-formed, a character
// without a code page 932 form (named in `why`), or a system without the
// conversion.
bool ConvertInputText(std::string_view raw, InputEncoding encoding, std::string* text,
                      std::string* why);
