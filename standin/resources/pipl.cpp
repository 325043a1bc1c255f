#include "standin/resources/pipl.h"

#include <cstring>

#include "standin/resources/byte_reader.h"

namespace {

constexpr uint32_t kVendorHost = 0x41444245;    // "ADBE"
constexpr uint32_t kKeyKind = 0x6B696E64;        // "kind"
constexpr uint32_t kKeyVersion = 0x69767273;     // "ivrs"
constexpr uint32_t kKeyEntryPoint = 0x77783836;  // "wx86"

}  // namespace

ResourceStatus ParsePiPL(std::span<const uint8_t> data, PiPLInfo* info) {
    ByteReader reader(data);
    uint16_t reserved;
    int32_t version;
    int32_t count;
    if (!reader.U16(&reserved) || !reader.I32(&version) || !reader.I32(&count)) {
        return ResourceStatus::kDamaged;
    }
    if (reserved != 1 || version != 0) return ResourceStatus::kUnsupported;
    if (count < 0) return ResourceStatus::kDamaged;

    PiPLInfo out;
    out.propertyCount = count;
    bool haveKind = false;
    bool haveVersion = false;
    bool haveEntry = false;
    // Each property takes at least its 16 header bytes, so the count cannot
    // keep the loop going past the data.
    for (int32_t i = 0; i < count; ++i) {
        uint32_t vendor;
        uint32_t key;
        int32_t id;
        int32_t length;
        if (!reader.U32(&vendor) || !reader.U32(&key) || !reader.I32(&id) || !reader.I32(&length) ||
            length < 0) {
            return ResourceStatus::kDamaged;
        }
        std::span<const uint8_t> value;
        if (!reader.Peek(static_cast<size_t>(length), &value)) return ResourceStatus::kDamaged;
        // Padding to a multiple of 4; the last property may end without it.
        const size_t padded = (static_cast<size_t>(length) + 3) / 4 * 4;
        reader.Skip(padded <= reader.Remaining() ? padded : reader.Remaining());

        if (vendor != kVendorHost) continue;
        if (key == kKeyKind && !haveKind) {
            if (value.size() < 4) return ResourceStatus::kDamaged;
            out.kind = LoadU32(value.data());
            haveKind = true;
        } else if (key == kKeyVersion && !haveVersion) {
            if (value.size() < 4) return ResourceStatus::kDamaged;
            out.interfaceVersion = static_cast<int32_t>(LoadU32(value.data()));
            haveVersion = true;
        } else if (key == kKeyEntryPoint && !haveEntry) {
            if (value.empty()) return ResourceStatus::kDamaged;
            const void* end = std::memchr(value.data(), 0, value.size());
            if (end == nullptr || end == value.data()) return ResourceStatus::kDamaged;
            out.entryPoint.assign(reinterpret_cast<const char*>(value.data()),
                                  static_cast<const uint8_t*>(end) - value.data());
            haveEntry = true;
        }
    }
    if (!haveKind || !haveVersion || !haveEntry) return ResourceStatus::kDamaged;
    *info = std::move(out);
    return ResourceStatus::kOk;
}
