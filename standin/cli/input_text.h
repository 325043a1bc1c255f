// Texts from the command line or a file as the plug-in takes them: code page
// 932 bytes, converted from UTF-8 or passed on as they are.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

// The most bytes of text the plug-in holds.
inline constexpr size_t kMaxPluginTextBytes = 8192;

enum class InputEncoding { kUtf8, kCp932 };

// Reads --input-encoding's value in any case: "utf-8" (or "utf8"), or "bytes"
// or "cp932" (or "shift_jis", "sjis"), whose bytes pass unchanged (what
// --bytes chooses).
bool ParseInputEncoding(const char* name, InputEncoding* encoding);

// `text` without a UTF-8 byte-order mark at its start.
std::string_view WithoutByteOrderMark(std::string_view text);

// The code page 932 bytes of `raw` in `encoding` into `text`. False, with
// the reason in `why`, for UTF-8 that is not well-formed, a character
// without a code page 932 form (named in `why`, an invisible one by its code
// point, with the way to encode the UTF-8 bytes themselves: --bytes), or a system without the conversion. The byte offsets in `why`
// count from `offset`, where `raw` lies in its file.
bool ConvertInputText(std::string_view raw, InputEncoding encoding, std::string* text,
                      std::string* why, size_t offset = 0);

// The most bytes of input that can still give a text the plug-in holds, plus
// one: a text of this many bytes is too long whatever it holds.
size_t InputTextLimit(InputEncoding encoding);

// A text read from a file or a stream, up to the first NUL byte or
// InputTextLimit bytes, whichever comes first, so that an endless input
// (/dev/zero, a pipe that never ends) stops at once.
struct BoundedText {
    std::string bytes;
    bool tooLong = false;                  // the input went on past the limit
    size_t nulOffset = std::string::npos;  // where a NUL byte ended the text
};

// Reads `in` into `text` as BoundedText says. False with the system's
// reason in `why` when reading fails.
bool ReadBoundedText(FILE* in, InputEncoding encoding, BoundedText* text, std::string* why);

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
