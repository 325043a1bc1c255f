#include "standin/cli/input_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "standin/text/cp932.h"

bool ParseInputEncoding(const char* name, InputEncoding* encoding) {
    if (std::strcmp(name, "utf-8") == 0 || std::strcmp(name, "utf8") == 0) {
        *encoding = InputEncoding::kUtf8;
        return true;
    }
    if (std::strcmp(name, "cp932") == 0) {
        *encoding = InputEncoding::kCp932;
        return true;
    }
    return false;
}

std::string_view WithoutByteOrderMark(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return text;
}

bool ConvertInputText(std::string_view raw, InputEncoding encoding, std::string* text,
                      std::string* why) {
    if (encoding == InputEncoding::kCp932) {
        text->assign(raw);
        return true;
    }
    Cp932Result r = Utf8ToCp932(raw);
    switch (r.status) {
        case Cp932Status::kOk:
            *text = std::move(r.bytes);
            return true;
        case Cp932Status::kInvalidUtf8:
            *why = "the text is not valid UTF-8 (at byte " + std::to_string(r.offset) + ")";
            return false;
        case Cp932Status::kNoCp932Form: {
            // Name the character that has no code page 932 form.
            size_t end = r.offset + 1;
            while (end < raw.size() && (static_cast<unsigned char>(raw[end]) & 0xC0) == 0x80) ++end;
            *why = "the character '" + std::string(raw.substr(r.offset, end - r.offset)) +
                   "' at byte " + std::to_string(r.offset) + " has no code page 932 form";
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
