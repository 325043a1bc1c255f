// The symbol table file ORVK_QR.DAT: its sections and its container.
//
// The file starts with a text directory of lines "OOOOOOOO:SSSSSSSS:NAME"
// (offset and compressed size in upper-case hexadecimal, CR LF after each
// line) ended by a 0x00 byte, all within its first 8192 bytes; the sections
// follow, each compressed with LzssEncode.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrtables {

// How much of the file the directory may take, its ending 0x00 included.
inline constexpr size_t kDirectoryLimit = 8192;
// Bytes of the block list at the end of a version-and-level record.
inline constexpr int kBlockListSize = 128;

// The section of check values, which the engine reads to tell damaged
// sections from intact ones.
inline constexpr char kChecksSectionName[] = "QRK_CHECKS";

// One named section, before and after compression.
struct TableSection {
    std::string name;
    std::vector<uint8_t> raw;
    std::vector<uint8_t> packed;
};

// "QRA_S05Q": the version-and-level record of `version` at level index
// `level` (0 to 3 for L, M, Q, H).
std::string VersionLevelName(int version, int level);
// "QRB_S05": the function-pattern template of `version`.
std::string TemplateName(int version);
// "QRC_S18": the generator record of `ecPerBlock` codewords.
std::string GeneratorName(int ecPerBlock);

// The version-and-level record: for the N bits of the block-ordered codeword
// sequence and the remainder bits, N module columns, N module rows and N
// mask bytes; the columns and the rows of the second format information copy
// (15 each); E (1 byte); the block lengths in block order padded with zero
// bytes to 128.
std::vector<uint8_t> VersionLevelRecord(int version, int level);

// Every section of the file, uncompressed: for each version the records of
// levels L, M, Q, H and the template, then the generator record of every E
// the block table uses.
std::vector<TableSection> BuildSections();

// The check section of `sections` (uncompressed): a line
// "CCCCCCCC:LLLLLLLL:NAME" and CR LF for each section in order, C the CRC-32
// of its raw bytes and L their length in upper-case hex; then the same line
// for the check section itself, of the bytes before it; then a 0x00. Fails,
// with a message in *error, when it would not fit in 8192 bytes.
bool ChecksSection(const std::vector<TableSection>& sections, TableSection* checks,
                   std::string* error);

// Fills in the `packed` bytes of every section.
void CompressSections(std::vector<TableSection>& sections);

// Lays out the directory and the compressed sections into `file`. Fails, with
// a message in *error, when the directory would not fit in its 8192 bytes or
// a name would not make a directory entry.
bool LayOutTableFile(const std::vector<TableSection>& sections, std::vector<uint8_t>* file,
                     std::string* error);

}  // namespace qrtables
