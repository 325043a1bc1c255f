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

// The most bytes of a text file a command reads: the longest UTF-8 form of
// the plug-in's text (three bytes for each one-byte katakana) and a
// byte-order mark. A file holding more is refused without being read on.
inline constexpr size_t kMaxInputFileBytes = 3 * kMaxPluginTextBytes + 3;

// Where a command's text comes from: `text` itself, or the file `file` ("-"
// for standard input), in `encoding`.
struct InputTextSource {
    const char* text = nullptr;
    const char* file = nullptr;
    InputEncoding encoding = InputEncoding::kUtf8;
};

enum class InputTextResult {
    kOk,
    kUnreadable,      // the file cannot be read
    kNotConvertible,  // not UTF-8, or a character without a code page 932 form
    kTooLong,         // more than kMaxPluginTextBytes of code page 932
};

// The text of `source` as the plug-in takes it into `text`: code page 932
// bytes, a UTF-8 byte-order mark dropped, ended by the first NUL (`note` then
// says where it was; otherwise it is left empty). Reads at most
// kMaxInputFileBytes + 1 bytes, so an endless input neither hangs nor fills
// memory. On failure `why` gives the reason.
InputTextResult LoadInputText(const InputTextSource& source, std::string* text, std::string* note,
                              std::string* why);
