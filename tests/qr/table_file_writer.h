// Writes small table files for the engine's tests: named sections, each
// stored as LZSS literals behind a directory.
#pragma once

#include <string>
#include <utility>
#include <vector>

// An LZSS stream of `raw` made of literals only.
std::string LzssLiterals(const std::string& raw);

// Writes `<appDir>/Prefs/Orvelk/ORVK_QR.DAT` (creating the folders) with
// `sections` (name, raw bytes), directory lines ended by `lineEnd`.
void WriteTableFile(const std::string& appDir,
                    const std::vector<std::pair<std::string, std::string>>& sections,
                    const std::string& lineEnd = "\r\n");

// The check section ("QRK_CHECKS") of `sections` (name, raw bytes) as the
// generator writes it, with zlib's CRC-32: a line of CRC and length per
// section, the line of its own bytes, a 0x00.
std::string CheckValues(const std::vector<std::pair<std::string, std::string>>& sections);

// Writes the file's bytes as they are.
void WriteRawTableFile(const std::string& appDir, const std::string& bytes);

// A decoded section of the table file the build laid out, or "" when absent.
std::string BuiltSection(const char* name);

// The three sections an encoding of "01234567" (version 1, level M) reads,
// from the table file the build laid out: its record, template and generator.
void BuiltVersion1Sections(std::string* record, std::string* pattern, std::string* generator);
