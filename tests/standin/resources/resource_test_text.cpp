#include "tests/standin/resources/resource_test_text.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include "standin/resources/elf_section.h"

namespace {

bool Convert(const char* to, const char* from, std::string_view in, std::string* out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string buffer(in.size() * 4 + 4, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = buffer.data();
    size_t outLeft = buffer.size();
    const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (!ok) return false;
    buffer.resize(buffer.size() - outLeft);
    *out = buffer;
    return true;
}

}  // namespace

std::string Utf8(std::string_view cp932) {
    std::string out;
    return Convert("UTF-8", "CP932", cp932, &out) ? out : "<not cp932>";
}

std::string Cp932(std::string_view utf8) {
    std::string out;
    EXPECT_TRUE(Convert("CP932", "UTF-8", utf8, &out)) << utf8;
    return out;
}

std::vector<uint8_t> ReadTestFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_EQ(ReadWholeFile(path, &bytes), ResourceStatus::kOk) << path;
    return bytes;
}
