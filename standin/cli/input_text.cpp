#include "standin/cli/input_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "standin/cli/option_values.h"
#include "standin/text/cp932.h"
#include "standin/text/shown_character.h"

bool ParseInputEncoding(const char* name, InputEncoding* encoding) {
    const int i = MatchName(name, {"utf-8", "utf8", "bytes", "cp932", "shift_jis", "sjis"});
    if (i < 0) return false;
    *encoding = i < 2 ? InputEncoding::kUtf8 : InputEncoding::kCp932;
    return true;
}

size_t InputTextLimit(InputEncoding encoding) {
    // In UTF-8 one code page 932 byte takes at most three (the half-width
    // katakana), and a byte-order mark may come first.
    return encoding == InputEncoding::kCp932 ? kMaxPluginTextBytes + 1
                                             : 3 * kMaxPluginTextBytes + 3 + 1;
}

bool ReadBoundedText(FILE* in, InputEncoding encoding, BoundedText* text, std::string* why) {
    const size_t limit = InputTextLimit(encoding);
    *text = BoundedText{};
    char buffer[4096];
    while (text->bytes.size() < limit) {
        const size_t want = std::min(sizeof buffer, limit - text->bytes.size());
        const size_t n = std::fread(buffer, 1, want, in);
        const void* nul = std::memchr(buffer, '\0', n);
        if (nul != nullptr) {
            const size_t at = static_cast<size_t>(static_cast<const char*>(nul) - buffer);
            text->nulOffset = text->bytes.size() + at;
            text->bytes.append(buffer, at);
            return true;
        }
        text->bytes.append(buffer, n);
        if (n < want) {
            if (!std::ferror(in)) return true;
            *why = std::strerror(errno);
            return false;
        }
    }
    text->tooLong = true;
    return true;
}

std::string_view WithoutByteOrderMark(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return text;
}

bool ConvertInputText(std::string_view raw, InputEncoding encoding, std::string* text,
                      std::string* why, size_t offset) {
    if (encoding == InputEncoding::kCp932) {
        text->assign(raw);
        return true;
    }
    Cp932Result r = Utf8ToCp932(raw);
    switch (r.status) {
        case Cp932Status::kOk:
            *text = std::move(r.bytes);
            return true;
        case Cp932Status::kInvalidUtf8: {
            char byte[8];
            std::snprintf(byte, sizeof byte, "0x%02X",
                          r.offset < raw.size() ? static_cast<uint8_t>(raw[r.offset]) : 0);
            *why = "the text is not valid UTF-8 (byte " + std::string(byte) + " at byte " +
                   std::to_string(offset + r.offset) + ")";
            return false;
        }
        case Cp932Status::kNoCp932Form: {
            // Name the character that has no code page 932 form; one that
            // shows as nothing by its code point alone.
            const std::string shown = ShownCharacter(raw.substr(r.offset));
            *why = "the character " + shown + " at byte " + std::to_string(offset + r.offset) +
                   " has no code page 932 form, which the plug-in's texts are in; --bytes "
                   "encodes the text's UTF-8 bytes as they are, in 8-bit byte mode (most "
                   "readers show them as UTF-8)";
            return false;
        }
        default:
            *why = "iconv cannot convert to code page 932 on this system";
            return false;
    }
}

namespace {

// "'NAME'" followed by `what`.
std::string Named(const char* name, const char* what) {
    std::string text(1, '\'');
    text.append(name).append("'").append(what);
    return text;
}

// At most `limit` bytes of `f` into `bytes`; false on a read error.
bool ReadAtMost(FILE* f, size_t limit, std::string* bytes) {
    bytes->clear();
    char buffer[65536];
    while (bytes->size() < limit) {
        const size_t n = std::fread(buffer, 1, std::min(sizeof buffer, limit - bytes->size()), f);
        if (n == 0) break;
        bytes->append(buffer, n);
    }
    return !std::ferror(f);
}

// The bytes of `path` ("-": standard input), at most `limit` of them.
bool ReadSource(const char* path, size_t limit, std::string* bytes, std::string* why) {
    const bool standardInput = std::strcmp(path, "-") == 0;
    FILE* f = standardInput ? stdin : std::fopen(path, "rb");
    if (f == nullptr) {
        *why = "cannot read " + Named(path, ": ") + std::strerror(errno);
        return false;
    }
    const bool ok = ReadAtMost(f, limit, bytes);
    if (!ok) *why = "cannot read " + Named(path, ": ") + std::strerror(errno);
    if (!standardInput) std::fclose(f);
    return ok;
}

}  // namespace

InputTextResult LoadInputText(const InputTextSource& source, std::string* text, std::string* note,
                              std::string* why) {
    note->clear();
    std::string raw;
    if (source.file != nullptr) {
        if (!ReadSource(source.file, kMaxInputFileBytes + 1, &raw, why))
            return InputTextResult::kUnreadable;
        if (raw.size() > kMaxInputFileBytes) {
            *why = Named(source.file, " holds more than ") + std::to_string(kMaxInputFileBytes) +
                   " bytes; at most " + std::to_string(kMaxPluginTextBytes) +
                   " bytes of code page 932 fit";
            return InputTextResult::kTooLong;
        }
        const size_t nul = raw.find('\0');
        if (nul != std::string::npos) {
            *note = Named(source.file, " holds a NUL byte at offset ") + std::to_string(nul) +
                    "; the text ends there";
            raw.resize(nul);
        }
    } else {
        raw = source.text != nullptr ? source.text : "";
    }
    const std::string_view input = source.encoding == InputEncoding::kCp932
                                       ? std::string_view(raw)
                                       : WithoutByteOrderMark(raw);
    if (!ConvertInputText(input, source.encoding, text, why))
        return InputTextResult::kNotConvertible;
    if (text->size() > kMaxPluginTextBytes) {
        *why = "the text is " + std::to_string(text->size()) +
               " bytes long in code page 932; at most " + std::to_string(kMaxPluginTextBytes) +
               " fit";
        return InputTextResult::kTooLong;
    }
    return InputTextResult::kOk;
}
