// Exported files read back the way a user's tools would: rasterised by
// poppler (PDF), ghostscript (EPS) or librsvg (SVG), or read as PNG, then
// decoded by zxing-cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A grey image, one byte a pixel, 0 black.
struct GreyImage {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
};

// A folder of this test process's own, made empty.
std::string FreshTestFolder(const std::string& name);

// Reads a PNG (transparent pixels over white) into `image`.
bool ReadPng(const std::string& path, GreyImage* image);

// Rasterises the export `path` (by its extension) at `dpi` into `image`.
// False, with the command in `why`, when the tool failed.
bool Rasterise(const std::string& path, int dpi, GreyImage* image, std::string* why);

// The bytes zxing-cpp reads from the QR Code symbol in `image`, or
// "<unreadable>".
std::string DecodeSymbol(const GreyImage& image);

// The whole file, or "" when it cannot be read.
std::string FileBytes(const std::string& path);
