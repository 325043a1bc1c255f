// Prints the text of the QR Code symbol in a PNG file, read by zxing-cpp:
// for the window tests' shell script. Exit status 1 when none is read.
#include <cstdio>
#include <string>

#include "tests/standin/export/read_back.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: decode_png FILE.png\n");
        return 2;
    }
    GreyImage image;
    if (!ReadPng(argv[1], &image)) {
        std::fprintf(stderr, "decode_png: cannot read '%s'\n", argv[1]);
        return 2;
    }
    const std::string text = DecodeSymbol(image);
    if (text.empty()) return 1;
    std::printf("%s\n", text.c_str());
    return 0;
}
