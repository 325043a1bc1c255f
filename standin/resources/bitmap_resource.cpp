#include "standin/resources/bitmap_resource.h"

#include <utility>

#include "standin/resources/byte_reader.h"

namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kRgb = 0;        // BI_RGB
constexpr uint32_t kRle8 = 1;       // BI_RLE8
constexpr uint32_t kRle4 = 2;       // BI_RLE4
constexpr uint32_t kBitFields = 3;  // BI_BITFIELDS: three colour masks after the header
constexpr int32_t kLargestSide = 1 << 16;

bool KnownBitCount(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

ResourceStatus ParseBitmapResource(std::span<const uint8_t> data, BitmapInfo* info) {
    ByteReader reader(data);
    uint32_t headerSize;
    if (!reader.U32(&headerSize)) return ResourceStatus::kDamaged;

    BitmapInfo out;
    int64_t height;
    uint16_t planes;
    size_t entrySize = 4;  // RGBQUAD
    if (headerSize == kCoreHeaderSize) {
        uint16_t width16;
        uint16_t height16;
        if (!reader.U16(&width16) || !reader.U16(&height16) || !reader.U16(&planes) ||
            !reader.U16(&out.bitCount)) {
            return ResourceStatus::kDamaged;
        }
        out.width = width16;
        height = height16;
        entrySize = 3;  // RGBTRIPLE
    } else if (headerSize >= kInfoHeaderSize) {
        int32_t height32;
        uint32_t imageSize;
        int32_t resolution;
        uint32_t important;
        if (!reader.I32(&out.width) || !reader.I32(&height32) || !reader.U16(&planes) ||
            !reader.U16(&out.bitCount) || !reader.U32(&out.compression) ||
            !reader.U32(&imageSize) || !reader.I32(&resolution) || !reader.I32(&resolution) ||
            !reader.U32(&out.colorCount) || !reader.U32(&important)) {
            return ResourceStatus::kDamaged;
        }
        height = height32;
    } else {
        return ResourceStatus::kUnsupported;
    }
    if (planes != 1) return ResourceStatus::kDamaged;
    if (!KnownBitCount(out.bitCount)) return ResourceStatus::kUnsupported;
    if (out.compression != kRgb && out.compression != kRle8 && out.compression != kRle4 &&
        out.compression != kBitFields) {
        return ResourceStatus::kUnsupported;
    }
    out.topDown = height < 0;
    if (height < 0) height = -height;
    if (out.width <= 0 || out.width > kLargestSide || height == 0 || height > kLargestSide) {
        return ResourceStatus::kDamaged;
    }
    out.height = static_cast<int32_t>(height);

    // The colour table: as many entries as the header says, else all that
    // the bit count can index; none above 8 bits unless the header says so.
    const uint64_t most = out.bitCount <= 8 ? (uint64_t{1} << out.bitCount) : 0;
    if (out.colorCount == 0) out.colorCount = static_cast<uint32_t>(most);
    if (out.bitCount <= 8 && out.colorCount > most) return ResourceStatus::kDamaged;
    uint64_t tableOffset = headerSize;
    if (out.compression == kBitFields && headerSize == kInfoHeaderSize) tableOffset += 12;
    const uint64_t tableSize = uint64_t{out.colorCount} * entrySize;
    if (!RangeFits(tableOffset, tableSize, data.size())) return ResourceStatus::kDamaged;
    out.pixelOffset = static_cast<size_t>(tableOffset + tableSize);

    if (out.compression == kRgb || out.compression == kBitFields) {
        const uint64_t stride =
            (uint64_t{static_cast<uint32_t>(out.width)} * out.bitCount + 31) / 32 * 4;
        const uint64_t pixels = stride * static_cast<uint64_t>(out.height);
        if (!RangeFits(out.pixelOffset, pixels, data.size())) return ResourceStatus::kDamaged;
        out.pixelSize = static_cast<size_t>(pixels);
    } else {
        out.pixelSize = data.size() - out.pixelOffset;  // run-length coded: whatever follows
    }
    *info = out;
    return ResourceStatus::kOk;
}

ResourceStatus DecodeBitmapResource(std::span<const uint8_t> data, BitmapPixels* pixels) {
    BitmapInfo info;
    const ResourceStatus status = ParseBitmapResource(data, &info);
    if (status != ResourceStatus::kOk) return status;
    if (info.compression != kRgb || info.bitCount == 16) return ResourceStatus::kUnsupported;
    uint32_t headerSize = 0;
    ByteReader header(data);
    header.U32(&headerSize);
    const size_t entrySize = headerSize == kCoreHeaderSize ? 3 : 4;
    const auto colour = [&](uint32_t index) -> uint32_t {
        if (index >= info.colorCount) return 0;
        const uint8_t* e = data.data() + headerSize + index * entrySize;  // blue, green, red
        return (uint32_t{e[2]} << 16) | (uint32_t{e[1]} << 8) | e[0];
    };
    const size_t stride = (static_cast<size_t>(info.width) * info.bitCount + 31) / 32 * 4;
    BitmapPixels out;
    out.width = info.width;
    out.height = info.height;
    out.rgb.resize(static_cast<size_t>(info.width) * static_cast<size_t>(info.height));
    for (int32_t y = 0; y < info.height; ++y) {
        // Bottom-up rows unless the header said otherwise.
        const int32_t stored = info.topDown ? y : info.height - 1 - y;
        const uint8_t* row = data.data() + info.pixelOffset + static_cast<size_t>(stored) * stride;
        uint32_t* to = out.rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(info.width);
        for (int32_t x = 0; x < info.width; ++x) {
            switch (info.bitCount) {
                case 1:
                    to[x] = colour((row[x / 8] >> (7 - x % 8)) & 1);
                    break;
                case 4:
                    to[x] = colour((row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF);
                    break;
                case 8:
                    to[x] = colour(row[x]);
                    break;
                default: {
                    const uint8_t* p = row + static_cast<size_t>(x) * (info.bitCount / 8);
                    to[x] = (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
                    break;
                }
            }
        }
    }
    *pixels = std::move(out);
    return ResourceStatus::kOk;
}
