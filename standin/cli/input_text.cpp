#include "standin/cli/input_text.h"

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
