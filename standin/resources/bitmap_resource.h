// Bitmap resources: a BITMAPINFOHEADER (or the older BITMAPCOREHEADER), the
// colour table and the pixels, without the file header a .bmp file has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "standin/resources/resource_status.h"

struct BitmapInfo {
    int32_t width = 0;
    int32_t height = 0;     // always positive
    bool topDown = false;   // rows stored from the top (negative height)
    uint16_t bitCount = 0;  // bits per pixel: 1, 4, 8, 16, 24 or 32
    uint32_t compression = 0;
    uint32_t colorCount = 0;  // entries in the colour table
    size_t pixelOffset = 0;   // where the pixels start in the resource
    size_t pixelSize = 0;     // the bytes of pixels
};

// Reads the header of the bitmap resource `data` and checks that its colour
// table and (uncompressed) pixels fit. kDamaged when they do not or the sizes
// make no sense; kUnsupported for a bit count or compression this reader
// does not know.
ResourceStatus ParseBitmapResource(std::span<const uint8_t> data, BitmapInfo* info);

// A bitmap's pixels, rows from the top, each 0x00RRGGBB.
struct BitmapPixels {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> rgb;
};

// Decodes the uncompressed bitmap resource `data` (1, 4, 8, 24 or 32 bits a
// pixel, BI_RGB) into `pixels`; an index past the colour table is black.
// kUnsupported for other bit counts and for compressed or bit-field pixels;
// kDamaged as ParseBitmapResource says.
ResourceStatus DecodeBitmapResource(std::span<const uint8_t> data, BitmapPixels* pixels);
