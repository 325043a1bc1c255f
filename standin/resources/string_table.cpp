#include "standin/resources/string_table.h"

#include "standin/resources/byte_reader.h"
#include "standin/resources/utf16_text.h"

namespace {

constexpr uint32_t kStringsPerBlock = 16;

}  // namespace

ResourceStatus LoadResourceString(const ResourceFile& file, uint16_t id, uint16_t language,
                                  std::string* text) {
    text->clear();
    const uint16_t block = static_cast<uint16_t>(id / kStringsPerBlock + 1);
    const ResourceEntry* entry = FindResource(file, kResourceTypeString, block, language);
    if (entry == nullptr) return ResourceStatus::kNotFound;

    ByteReader reader(ResourceData(file, *entry));
    const uint32_t place = id % kStringsPerBlock;
    for (uint32_t i = 0;; ++i) {
        uint16_t length;
        if (!reader.U16(&length)) return ResourceStatus::kDamaged;
        if (i < place) {
            if (!reader.Skip(size_t{length} * 2)) return ResourceStatus::kDamaged;
            continue;
        }
        std::u16string wide;
        for (uint16_t unit = 0; unit < length; ++unit) {
            uint16_t value;
            if (!reader.U16(&value)) return ResourceStatus::kDamaged;
            wide.push_back(static_cast<char16_t>(value));
        }
        *text = Utf16ToCp932(wide);
        return ResourceStatus::kOk;
    }
}
