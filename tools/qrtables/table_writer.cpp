#include "tools/qrtables/table_writer.h"

#include <zlib.h>

#include <cassert>
#include <cstdio>

#include "tools/qrtables/block_table.h"
#include "tools/qrtables/function_patterns.h"
#include "tools/qrtables/lzss_encode.h"
#include "tools/qrtables/masks.h"
#include "tools/qrtables/placement.h"
#include "tools/qrtables/reed_solomon.h"

namespace qrtables {
namespace {

std::string TwoDigitName(const char* prefix, int number) {
    char name[16];
    std::snprintf(name, sizeof name, "%s%2.2d", prefix, number);
    return name;
}

void Append(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

}  // namespace

std::string VersionLevelName(int version, int level) {
    assert(level >= 0 && level < kLevelCount);
    return TwoDigitName("QRA_S", version) + kLevelLetters[level];
}

std::string TemplateName(int version) {
    return TwoDigitName("QRB_S", version);
}

std::string GeneratorName(int ecPerBlock) {
    return TwoDigitName("QRC_S", ecPerBlock);
}

std::vector<uint8_t> VersionLevelRecord(int version, int level) {
    const FunctionMap map = BuildFunctionMap(version);
    const BlockLayout layout = BlockLayoutFor(version, level);
    const std::vector<Module> modules = BitModules(map, layout);
    const size_t n = modules.size();
    assert(n == 8 * static_cast<size_t>(layout.totalCodewords) +
                    static_cast<size_t>(RemainderBits(version)));

    std::vector<uint8_t> record;
    record.reserve(3 * n + 30 + 1 + kBlockListSize);
    for (const Module& m : modules) record.push_back(static_cast<uint8_t>(m.column));
    for (const Module& m : modules) record.push_back(static_cast<uint8_t>(m.row));
    // Mask conditions take i as the row and j as the column (clause 7.8.2).
    for (const Module& m : modules) record.push_back(MaskByte(m.row, m.column));

    const std::array<Module, 15> format = FormatSecondCopy(map.side);
    for (const Module& m : format) record.push_back(static_cast<uint8_t>(m.column));
    for (const Module& m : format) record.push_back(static_cast<uint8_t>(m.row));

    record.push_back(static_cast<uint8_t>(layout.ecPerBlock));
    assert(layout.blockLengths.size() < static_cast<size_t>(kBlockListSize));
    for (int length : layout.blockLengths) {
        assert(length > 0 && length < 256);
        record.push_back(static_cast<uint8_t>(length));
    }
    record.resize(3 * n + 30 + 1 + kBlockListSize, 0);
    return record;
}

std::vector<TableSection> BuildSections() {
    std::vector<TableSection> sections;
    for (int version = kMinVersion; version <= kMaxVersion; ++version) {
        for (int level = 0; level < kLevelCount; ++level)
            sections.push_back(
                {VersionLevelName(version, level), VersionLevelRecord(version, level), {}});
        sections.push_back({TemplateName(version), FunctionPatternTemplate(version), {}});
    }
    for (int ec : DistinctEcPerBlock())
        sections.push_back({GeneratorName(ec), GeneratorRecord(ec), {}});
    return sections;
}

bool ChecksSection(const std::vector<TableSection>& sections, TableSection* checks,
                   std::string* error) {
    std::vector<uint8_t> text;
    auto line = [&text](uint32_t crc, size_t length, const std::string& name) {
        char fields[24];
        std::snprintf(fields, sizeof fields, "%08X:%08X:", static_cast<unsigned>(crc),
                      static_cast<unsigned>(length));
        Append(text, fields + name + "\r\n");
    };
    for (const TableSection& section : sections)
        line(crc32(0, section.raw.data(), static_cast<uInt>(section.raw.size())),
             section.raw.size(), section.name);
    line(crc32(0, text.data(), static_cast<uInt>(text.size())), text.size(), kChecksSectionName);
    text.push_back(0);
    if (text.size() > kDirectoryLimit) {
        *error = "check values of " + std::to_string(sections.size()) + " sections take " +
                 std::to_string(text.size()) + " bytes, more than " +
                 std::to_string(kDirectoryLimit);
        return false;
    }
    *checks = {kChecksSectionName, std::move(text), {}};
    return true;
}

void CompressSections(std::vector<TableSection>& sections) {
    for (TableSection& section : sections) section.packed = LzssEncode(section.raw);
}

bool LayOutTableFile(const std::vector<TableSection>& sections, std::vector<uint8_t>* file,
                     std::string* error) {
    // Every entry has the same length but for its name, so the directory's
    // size, and with it every offset, is known before any line is written.
    size_t directorySize = 1;  // the ending 0x00
    for (const TableSection& section : sections) {
        if (section.name.empty() || section.name.size() > 200 ||
            section.name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
            *error = "section name unfit for the directory: \"" + section.name + "\"";
            return false;
        }
        directorySize += 8 + 1 + 8 + 1 + section.name.size() + 2;
    }
    if (directorySize > kDirectoryLimit) {
        *error = "directory of " + std::to_string(sections.size()) + " sections takes " +
                 std::to_string(directorySize) + " bytes, more than the " +
                 std::to_string(kDirectoryLimit) + " the reader scans";
        return false;
    }

    file->clear();
    size_t offset = directorySize;
    for (const TableSection& section : sections) {
        // A size of 0 would read as an absent section; every section has at
        // least one flag byte and one element.
        if (section.packed.empty() || offset + section.packed.size() > 0xFFFFFFFFu) {
            *error = "section " + section.name + " cannot be listed";
            return false;
        }
        char fields[24];
        std::snprintf(fields, sizeof fields, "%08X:%08X:", static_cast<unsigned>(offset),
                      static_cast<unsigned>(section.packed.size()));
        Append(*file, fields + section.name + "\r\n");
        offset += section.packed.size();
    }
    file->push_back(0);
    assert(file->size() == directorySize);
    for (const TableSection& section : sections)
        file->insert(file->end(), section.packed.begin(), section.packed.end());
    assert(file->size() == offset);
    return true;
}

}  // namespace qrtables
