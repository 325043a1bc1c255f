#include "standin/resources/res_file.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstring>

#include "standin/resources/byte_reader.h"
#include "standin/resources/elf_section.h"

namespace {

// Fixed fields after the type and the name: data version, memory flags,
// language, version, characteristics.
constexpr size_t kHeaderTailSize = 16;
constexpr uint16_t kOrdinalMark = 0xFFFF;

// A type or name: 0xFFFF and a number, or a UTF-16 name up to its zero unit.
bool ReadResourceName(ByteReader& reader, ResourceName* name) {
    uint16_t first;
    {
        ByteReader peek = reader;
        if (!peek.U16(&first)) return false;
    }
    if (first == kOrdinalMark) {
        name->isNumber = true;
        return reader.Skip(2) && reader.U16(&name->number);
    }
    name->isNumber = false;
    return reader.Utf16z(&name->text);
}

char16_t AsciiUpper(char16_t c) {
    return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c;
}

bool SameName(const std::u16string& stored, std::string_view wanted) {
    if (stored.size() != wanted.size()) return false;
    for (size_t i = 0; i < stored.size(); ++i) {
        const char16_t c = static_cast<unsigned char>(wanted[i]);
        if (AsciiUpper(stored[i]) != AsciiUpper(c)) return false;
    }
    return true;
}

// Parses one record at `start`: its header must fit in the `headerSize` bytes
// it claims, its data in the image.
bool ParseRecord(std::span<const uint8_t> image, size_t start, ResourceEntry* entry, size_t* next) {
    ByteReader reader(image, start);
    uint32_t dataSize;
    uint32_t headerSize;
    if (!reader.U32(&dataSize) || !reader.U32(&headerSize)) return false;
    if (headerSize < 8 + 4 + kHeaderTailSize || !RangeFits(start, headerSize, image.size())) {
        return false;
    }
    // Read the header within its own bounds only.
    ByteReader header(image.first(start + headerSize), start + 8);
    if (!ReadResourceName(header, &entry->type) || !ReadResourceName(header, &entry->name) ||
        !header.AlignTo4() || !header.U32(&entry->dataVersion) ||
        !header.U16(&entry->memoryFlags) || !header.U16(&entry->language) ||
        !header.U32(&entry->version) || !header.U32(&entry->characteristics)) {
        return false;
    }
    const size_t dataOffset = start + headerSize;
    if (!RangeFits(dataOffset, dataSize, image.size())) return false;
    entry->dataOffset = dataOffset;
    entry->dataSize = dataSize;
    const size_t end = dataOffset + dataSize;
    *next = end + (4 - end % 4) % 4;
    return true;
}

template <typename Match>
const ResourceEntry* FindEntry(const ResourceFile& file, uint16_t id, uint16_t language,
                               Match typeMatches) {
    const ResourceEntry* neutral = nullptr;
    const ResourceEntry* any = nullptr;
    for (const ResourceEntry& entry : file.entries) {
        if (!typeMatches(entry.type) || !entry.name.isNumber || entry.name.number != id) continue;
        if (entry.language == language) return &entry;
        if (entry.language == kLanguageNeutral && neutral == nullptr) neutral = &entry;
        if (any == nullptr) any = &entry;
    }
    return neutral != nullptr ? neutral : any;
}

}  // namespace

ResourceStatus ParseResFile(std::vector<uint8_t> bytes, ResourceFile* file, std::string* damaged) {
    ResourceFile out;
    out.bytes = std::move(bytes);
    const std::span<const uint8_t> image(out.bytes);
    size_t at = 0;
    while (at < image.size()) {
        ResourceEntry entry;
        size_t next;
        if (!ParseRecord(image, at, &entry, &next)) {
            if (damaged != nullptr)
                *damaged = "resource record " + std::to_string(out.entries.size() + 1) +
                           " at byte " + std::to_string(at) + " of the resources";
            return ResourceStatus::kDamaged;
        }
        // The compiler starts the file with an empty record of type 0: it
        // marks the format and holds no resource.
        const bool marker = entry.type.isNumber && entry.type.number == 0 && entry.dataSize == 0;
        if (!marker) out.entries.push_back(std::move(entry));
        at = next;
    }
    *file = std::move(out);
    return ResourceStatus::kOk;
}

ResourceStatus LoadResFile(const std::string& path, ResourceFile* file) {
    std::vector<uint8_t> bytes;
    const ResourceStatus read = ReadWholeFile(path, &bytes);
    if (read != ResourceStatus::kOk) return read;
    return ParseResFile(std::move(bytes), file);
}

#if !defined(_WIN32)
namespace {

// A regular file mapped for reading: only the pages the reader touches are
// read, so that a huge file that is no module (a sparse file named *.aip)
// costs its header alone. Anything else (a pipe, a device) is not opened
// for reading at all.
class MappedFile {
  public:
    explicit MappedFile(const std::string& path) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) return;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
            regular_ = true;
            size_ = static_cast<size_t>(st.st_size);
            // A file that does not begin as a module is not mapped at all.
            char magic[4] = {};
            elf_ = ::pread(fd, magic, sizeof magic, 0) == 4 && std::memcmp(magic, "\x7F" "ELF", 4) == 0;
            if (size_ > 0 && elf_) {
                void* at = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
                if (at != MAP_FAILED) data_ = static_cast<const uint8_t*>(at);
            }
        }
        ::close(fd);
        opened_ = regular_ && (size_ == 0 || !elf_ || data_ != nullptr);
    }
    ~MappedFile() {
        if (data_ != nullptr) ::munmap(const_cast<uint8_t*>(data_), size_);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool opened() const { return opened_; }
    bool elf() const { return elf_; }
    bool regular() const { return regular_; }
    std::span<const uint8_t> bytes() const { return {data_, data_ != nullptr ? size_ : 0}; }

  private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    bool regular_ = false;
    bool elf_ = false;
    bool opened_ = false;
};

}  // namespace

// On Windows the system finds a module's resources: pe_resources_windows.cpp.
ResourceStatus LoadModuleResources(const std::string& modulePath, ResourceFile* file,
                                   std::string* damaged) {
    const MappedFile image(modulePath);
    if (!image.opened()) {
        // What is there but is no regular file is no module.
        struct stat st;
        return ::stat(modulePath.c_str(), &st) == 0 && !S_ISREG(st.st_mode)
                   ? ResourceStatus::kNotModule
                   : ResourceStatus::kIoError;
    }
    if (!image.elf()) return ResourceStatus::kNotModule;
    std::span<const uint8_t> section;
    const ResourceStatus found =
        FindElfSection(image.bytes(), kResourceSectionName, &section, damaged);
    if (found != ResourceStatus::kOk) return found;
    return ParseResFile(std::vector<uint8_t>(section.begin(), section.end()), file, damaged);
}
#endif

std::span<const uint8_t> ResourceData(const ResourceFile& file, const ResourceEntry& entry) {
    if (!RangeFits(entry.dataOffset, entry.dataSize, file.bytes.size())) return {};
    return std::span<const uint8_t>(file.bytes).subspan(entry.dataOffset, entry.dataSize);
}

const ResourceEntry* FindResource(const ResourceFile& file, uint16_t type, uint16_t id,
                                  uint16_t language) {
    return FindEntry(file, id, language, [type](const ResourceName& name) {
        return name.isNumber && name.number == type;
    });
}

const ResourceEntry* FindResource(const ResourceFile& file, std::string_view type, uint16_t id,
                                  uint16_t language) {
    return FindEntry(file, id, language, [type](const ResourceName& name) {
        return !name.isNumber && SameName(name.text, type);
    });
}
