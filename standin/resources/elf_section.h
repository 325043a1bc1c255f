// Finds a named section in a little-endian ELF module, 64-bit or 32-bit, the way the
// Windows loader finds a module's resource section. Everything the headers
// claim is checked against the file's size: a damaged or truncated module is
// an error, never a read outside the buffer.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "standin/resources/resource_status.h"

// The section that holds a module's compiled resources.
inline constexpr char kResourceSectionName[] = ".rsrc";

// Reads the whole file at `path` into *bytes. kIoError when it cannot be
// opened or read.
ResourceStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes);

// Sets *section to the contents of the first section named `name` in the ELF
// image `image`. kNotModule when the image is not a little-endian ELF
// file, kDamaged when its section table, its section names or the section
// itself lie outside the image, kNotFound when no section has that name or
// the section has no bytes in the file. For kDamaged, *damaged (when not
// null) names the part: "the file header", "the section header table", ...
ResourceStatus FindElfSection(std::span<const uint8_t> image, std::string_view name,
                              std::span<const uint8_t>* section, std::string* damaged = nullptr);
