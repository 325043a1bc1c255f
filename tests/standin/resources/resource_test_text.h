// Helpers of the resource tests: texts in UTF-8 for readable comparisons, and
// the files the build made.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Converts code page 932 bytes to UTF-8; "<not cp932>" when they do not convert.
std::string Utf8(std::string_view cp932);

// Converts UTF-8 to code page 932; the test fails when it does not convert.
std::string Cp932(std::string_view utf8);

// The whole file; empty, and a test failure, when it cannot be read.
std::vector<uint8_t> ReadTestFile(const std::string& path);
