// Expected texts of the plug-in, written in UTF-8 in the tests and
// compared in code page 932, the bytes the plug-in holds.
#pragma once

#include <string>

// UTF-8 text in code page 932, converted by the C library (on Windows by
// the system); aborts on text without a code page 932 form.
std::string Cp932(const std::string& utf8);
