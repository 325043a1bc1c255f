#include "standin/resources/elf_section.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "standin/resources/byte_reader.h"

namespace {

// The parts of the ELF file and section headers this reader needs, in the
// two classes: 64-bit modules, and 32-bit ones (the i386 build's).
constexpr uint8_t kClass32 = 1;
constexpr uint8_t kClass64 = 2;
constexpr uint8_t kDataLittleEndian = 1;
constexpr uint16_t kSectionIndexEscape = 0xFFFF;  // the real index is elsewhere
constexpr uint32_t kSectionNoBits = 8;            // occupies no file bytes

// Where a class keeps the fields: the file header's section table offset,
// entry size, count and names' index; the section header's offset, size and
// link, with the width of the offset and size (4 or 8).
struct ElfClass {
    size_t fileHeaderSize;
    size_t sectionHeaderSize;
    size_t tableOffsetAt, entrySizeAt, countAt, namesIndexAt;
    size_t offsetAt, sizeAt, linkAt;
    size_t wordSize;
};
constexpr ElfClass kElf64{64, 64, 0x28, 0x3A, 0x3C, 0x3E, 24, 32, 40, 8};
constexpr ElfClass kElf32{52, 40, 0x20, 0x2E, 0x30, 0x32, 16, 20, 24, 4};

uint64_t LoadWord(const ElfClass& elf, const uint8_t* bytes) {
    return elf.wordSize == 8 ? LoadU64(bytes) : LoadU32(bytes);
}

struct SectionHeader {
    uint32_t name;
    uint32_t type;
    uint32_t link;
    uint64_t offset;
    uint64_t size;
};

SectionHeader LoadSectionHeader(const ElfClass& elf, const uint8_t* bytes) {
    SectionHeader header;
    header.name = LoadU32(bytes + 0);
    header.type = LoadU32(bytes + 4);
    header.offset = LoadWord(elf, bytes + elf.offsetAt);
    header.size = LoadWord(elf, bytes + elf.sizeAt);
    header.link = LoadU32(bytes + elf.linkAt);
    return header;
}

// The bytes of a section in the file; false when they lie outside it.
bool SectionBytes(std::span<const uint8_t> image, const SectionHeader& header,
                  std::span<const uint8_t>* bytes) {
    if (header.type == kSectionNoBits) {
        *bytes = {};
        return true;
    }
    if (!RangeFits(header.offset, header.size, image.size())) return false;
    *bytes = image.subspan(header.offset, header.size);
    return true;
}

}  // namespace

ResourceStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return ResourceStatus::kIoError;
    std::vector<uint8_t> out;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        out.insert(out.end(), chunk, chunk + got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return ResourceStatus::kIoError;
    *bytes = std::move(out);
    return ResourceStatus::kOk;
}

ResourceStatus FindElfSection(std::span<const uint8_t> image, std::string_view name,
                              std::span<const uint8_t>* section, std::string* damaged) {
    const auto damage = [damaged](std::string part) {
        if (damaged != nullptr) *damaged = std::move(part);
        return ResourceStatus::kDamaged;
    };
    if (image.size() < 16 || std::memcmp(image.data(),
                                         "\x7F"
                                         "ELF",
                                         4) != 0) {
        return ResourceStatus::kNotModule;
    }
    if ((image[4] != kClass64 && image[4] != kClass32) || image[5] != kDataLittleEndian)
        return ResourceStatus::kNotModule;
    const ElfClass& elf = image[4] == kClass64 ? kElf64 : kElf32;
    if (image.size() < elf.fileHeaderSize)
        return damage("the file header (the file is cut short)");

    const uint64_t tableOffset = LoadWord(elf, image.data() + elf.tableOffsetAt);
    const uint16_t entrySize = LoadU16(image.data() + elf.entrySizeAt);
    uint64_t count = LoadU16(image.data() + elf.countAt);
    uint32_t namesIndex = LoadU16(image.data() + elf.namesIndexAt);
    if (tableOffset == 0) return ResourceStatus::kNotFound;  // no section table at all
    if (entrySize < elf.sectionHeaderSize)
        return damage("the file header (its section entry size)");
    if (!RangeFits(tableOffset, entrySize, image.size()))
        return damage("the section header table (it lies outside the file)");

    // With many sections the count and the names' index move into the first
    // entry of the table.
    const SectionHeader first = LoadSectionHeader(elf, image.data() + tableOffset);
    if (count == 0) count = first.size;
    if (namesIndex == kSectionIndexEscape) namesIndex = first.link;
    if (count > image.size() / entrySize ||
        !RangeFits(tableOffset, count * entrySize, image.size())) {
        return damage("the section header table (it lies outside the file)");
    }
    if (namesIndex >= count) return damage("the file header (its section names' index)");

    std::span<const uint8_t> names;
    const SectionHeader namesHeader =
        LoadSectionHeader(elf, image.data() + tableOffset + namesIndex * entrySize);
    if (!SectionBytes(image, namesHeader, &names))
        return damage("the section names (they lie outside the file)");

    for (uint64_t i = 0; i < count; ++i) {
        const SectionHeader header =
            LoadSectionHeader(elf, image.data() + tableOffset + i * entrySize);
        if (header.name >= names.size()) {
            if (i == 0 && header.name == 0) continue;  // the null entry of an empty name table
            return damage("section header " + std::to_string(i) + " (its name)");
        }
        const uint8_t* start = names.data() + header.name;
        const void* end = std::memchr(start, 0, names.size() - header.name);
        if (end == nullptr) return damage("the section names (a name runs off their end)");
        const std::string_view sectionName(reinterpret_cast<const char*>(start),
                                           static_cast<const uint8_t*>(end) - start);
        if (sectionName != name) continue;
        std::span<const uint8_t> bytes;
        if (!SectionBytes(image, header, &bytes))
            return damage("the \"" + std::string(name) + "\" section (it lies outside the file)");
        if (bytes.empty()) return ResourceStatus::kNotFound;
        *section = bytes;
        return ResourceStatus::kOk;
    }
    return ResourceStatus::kNotFound;
}
