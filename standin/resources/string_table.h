// Strings of a module's string tables. String n lies in block n / 16 + 1 (a
// resource of type 6), at place n % 16; a block holds 16 counted UTF-16
// strings, each a 16-bit length and that many units, length 0 for a string
// the table does not define.
#pragma once

#include <cstdint>
#include <string>

#include "standin/resources/res_file.h"
#include "standin/resources/resource_status.h"

// Reads string `id` in code page 932 into *text. The block is looked up as
// FindResource does (`language` first). kOk with an empty *text when the
// block exists but holds no text at that place (a string defined as "" reads
// the same), kNotFound when there is no block for `id`, kDamaged when the
// block is shorter than its lengths claim. *text is empty on every failure.
ResourceStatus LoadResourceString(const ResourceFile& file, uint16_t id, uint16_t language,
                                  std::string* text);
