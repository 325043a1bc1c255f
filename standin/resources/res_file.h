// A module's compiled resources: the .res format that the resource compiler
// writes and the module carries in its ".rsrc" section. A sequence of
// records, each a header (data size, header size, type, name, data version,
// memory flags, language, version, characteristics) and the data, every
// record starting at a multiple of 4. Types and names are numbers or UTF-16
// names.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "standin/resources/resource_status.h"

// Resource types by number.
inline constexpr uint16_t kResourceTypeBitmap = 2;
inline constexpr uint16_t kResourceTypeDialog = 5;
inline constexpr uint16_t kResourceTypeString = 6;
// The plug-in property list's type is a name.
inline constexpr char kResourceTypePiPL[] = "PIPL";

// Languages: Japanese (LANG_JAPANESE, SUBLANG_DEFAULT), and neutral.
inline constexpr uint16_t kLanguageJapanese = 1041;
inline constexpr uint16_t kLanguageNeutral = 0;

// A resource type or name: a number, or a UTF-16 name.
struct ResourceName {
    bool isNumber = true;
    uint16_t number = 0;
    std::u16string text;
};

struct ResourceEntry {
    ResourceName type;
    ResourceName name;
    uint16_t language = 0;
    uint16_t memoryFlags = 0;
    uint32_t dataVersion = 0;
    uint32_t version = 0;
    uint32_t characteristics = 0;
    size_t dataOffset = 0;  // into ResourceFile::bytes
    size_t dataSize = 0;
};

struct ResourceFile {
    std::vector<uint8_t> bytes;
    std::vector<ResourceEntry> entries;  // in file order, without the leading empty record
};

// Parses the .res image `bytes` (kept in *file). kDamaged when a record's
// sizes, type, name or data do not fit in the image; then *damaged (when not
// null) names the record and its offset.
ResourceStatus ParseResFile(std::vector<uint8_t> bytes, ResourceFile* file,
                            std::string* damaged = nullptr);

// Reads and parses a .res file.
ResourceStatus LoadResFile(const std::string& path, ResourceFile* file);

// Reads the resources of a module: its ".rsrc" section, parsed as a .res
// image (on Windows: the resources the system finds in the module, one
// record each). kNotFound when the module has no such section; for kDamaged,
// *damaged (when not null) names the part of the module that is.
ResourceStatus LoadModuleResources(const std::string& modulePath, ResourceFile* file,
                                   std::string* damaged = nullptr);

// The data of an entry.
std::span<const uint8_t> ResourceData(const ResourceFile& file, const ResourceEntry& entry);

// Finds the resource of numbered type `type` and number `id`: in `language`
// if there is one, else in the neutral language, else in the first language
// the file has it in. Null when there is none.
const ResourceEntry* FindResource(const ResourceFile& file, uint16_t type, uint16_t id,
                                  uint16_t language);
// The same for a named type such as "PIPL"; names compare as Windows compares
// them, ignoring the case of ASCII letters.
const ResourceEntry* FindResource(const ResourceFile& file, std::string_view type, uint16_t id,
                                  uint16_t language);
