#include "tests/support/cp932_text.h"

#if defined(_WIN32)
#include "platform/win_types.h"
#else
#include <iconv.h>
#endif

#include <cstdlib>

std::string Cp932(const std::string& utf8) {
#if defined(_WIN32)
    // Windows' own conversion, through UTF-16.
    if (utf8.empty()) return {};
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                          static_cast<int>(utf8.size()), nullptr, 0);
    if (units <= 0) std::abort();
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    BOOL lossy = FALSE;
    const int bytes =
        WideCharToMultiByte(932, 0, wide.data(), units, nullptr, 0, nullptr, &lossy);
    if (bytes <= 0 || lossy) std::abort();
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(932, 0, wide.data(), units, out.data(), bytes, nullptr, nullptr);
    return out;
#else
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) std::abort();
    std::string in = utf8;
    std::string out(in.size() * 2 + 1, '\0');
    char* inp = in.data();
    size_t inLeft = in.size();
    char* outp = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1)) std::abort();
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
#endif
}
