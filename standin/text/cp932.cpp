#include "standin/text/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// The converters of this thread, each opened on its first use (opening one
// loads the system's conversion modules) and closed when the thread ends.
class Converters {
  public:
    ~Converters() {
        for (const Entry& e : entries_)
            if (e.cd != kNoConverter) iconv_close(e.cd);
    }

    // The converter from `from` to `to` in its initial state, or kNoConverter.
    iconv_t Get(const char* to, const char* from) {
        for (const Entry& e : entries_) {
            if (std::strcmp(e.to, to) != 0 || std::strcmp(e.from, from) != 0) continue;
            if (e.cd != kNoConverter) iconv(e.cd, nullptr, nullptr, nullptr, nullptr);
            return e.cd;
        }
        entries_.push_back({to, from, iconv_open(to, from)});
        return entries_.back().cd;
    }

  private:
    struct Entry {
        const char* to;
        const char* from;
        iconv_t cd;
    };
    std::vector<Entry> entries_;
};

// Converts `in` from one iconv encoding to another. On an invalid or
// unconvertible sequence, returns `failure` with the offset of its first byte.
Cp932Result Convert(const char* to, const char* from, std::string_view in, Cp932Status failure) {
    thread_local Converters converters;
    iconv_t cd = converters.Get(to, from);
    if (cd == kNoConverter) return {Cp932Status::kSystemError, {}, 0};
    std::string out;
    out.resize(in.size() * 2 + 16);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    Cp932Result result{Cp932Status::kOk, {}, 0};
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) {
            const size_t used = out.size() - outLeft;
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // EILSEQ or EINVAL (a sequence cut off at the end).
        result = {failure, {}, static_cast<size_t>(inPtr - in.data())};
        break;
    }
    if (result.status == Cp932Status::kOk) {
        out.resize(out.size() - outLeft);
        result.bytes = std::move(out);
    }
    return result;
}

// Whether every byte of `text` is ASCII, which UTF-8 and code page 932
// (iconv's "CP932") both write as itself: such a text converts to its own
// bytes without opening a converter (which loads two of iconv's modules).
bool AllAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

}  // namespace

Cp932Result Utf8ToCp932(std::string_view utf8) {
    if (AllAscii(utf8)) return {Cp932Status::kOk, std::string(utf8), 0};
    // First check that the input is UTF-8 at all, so that the two failures
    // give different messages.
    Cp932Result check = Convert("UTF-32LE", "UTF-8", utf8, Cp932Status::kInvalidUtf8);
    if (check.status != Cp932Status::kOk) return check;
    return Convert("CP932", "UTF-8", utf8, Cp932Status::kNoCp932Form);
}

Cp932Result Cp932ToUtf8(std::string_view cp932) {
    if (AllAscii(cp932)) return {Cp932Status::kOk, std::string(cp932), 0};
    return Convert("UTF-8", "CP932", cp932, Cp932Status::kInvalidCp932);
}

std::string Cp932ToUtf8Lossy(std::string_view cp932) {
    std::string out;
    while (!cp932.empty()) {
        Cp932Result r = Cp932ToUtf8(cp932);
        if (r.status == Cp932Status::kOk) return out + r.bytes;
        if (r.status == Cp932Status::kSystemError) return out + std::string(cp932);
        out += Cp932ToUtf8(cp932.substr(0, r.offset)).bytes;
        out += "\xEF\xBF\xBD";
        cp932.remove_prefix(r.offset + 1);
    }
    return out;
}
