// Helpers shared by the generator's tests: a strict LZSS decoder that refuses
// what the real one would silently accept, the engine's decoder behind a
// vector interface, and a directory parser that follows the reader's rules.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tabletest {

// Decodes an LZSS stream like the engine's decoder, but fails (returns false
// and says why) when a match reads a ring position from 4078 to 4095 that the
// stream has not written yet, or when the stream ends inside an element.
bool StrictLzssDecode(std::span<const uint8_t> in, std::vector<uint8_t>* out, std::string* why);

// Decodes with the engine's LzssDecode.
std::vector<uint8_t> EngineDecode(std::span<const uint8_t> in);

struct DirectoryEntry {
    uint32_t offset;
    uint32_t size;
    std::string name;
};

// The entries of a table file's directory, read the way the engine's reader
// reads them: the first 8192 bytes up to the first 0x00, lines ended by CR or
// LF, an entry being a line of at least 19 characters with colons at 8 and 17.
std::vector<DirectoryEntry> ParseDirectory(std::span<const uint8_t> file);

}  // namespace tabletest
