// Writes the seeds that come from the build rather than the repository: small
// table files and compressed sections made by the generator, and the module's
// compiled resources in the forms the resources target reads.
//
//     orvelk_fuzz_seeds OUTPUT_FOLDER RES_FILE
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "standin/resources/res_file.h"
#include "tools/qrtables/table_writer.h"

namespace {

namespace fs = std::filesystem;

bool Write(const fs::path& path, const std::vector<uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::vector<uint8_t> Tagged(uint8_t tag, const uint8_t* data, size_t size) {
    std::vector<uint8_t> seed{tag};
    seed.insert(seed.end(), data, data + size);
    return seed;
}

template <typename T>
void Put(std::vector<uint8_t>& out, size_t at, T value) {
    std::memcpy(out.data() + at, &value, sizeof value);
}

// The smallest 64-bit little-endian ELF image with a section ".rsrc" holding
// `contents`: header, the section's bytes, the section names, three section
// headers (null, .rsrc, .shstrtab).
std::vector<uint8_t> ElfWithResources(const std::vector<uint8_t>& contents) {
    const char names[] = "\0.rsrc\0.shstrtab";
    const size_t dataAt = 64, namesAt = dataAt + contents.size();
    const size_t tableAt = (namesAt + sizeof names + 7) / 8 * 8;
    std::vector<uint8_t> elf(tableAt + 3 * 64, 0);
    const uint8_t ident[] = {0x7F, 'E', 'L', 'F', 2, 1, 1};
    std::memcpy(elf.data(), ident, sizeof ident);
    Put<uint16_t>(elf, 16, 3);     // a shared object
    Put<uint16_t>(elf, 18, 62);    // x86-64
    Put<uint32_t>(elf, 20, 1);
    Put<uint64_t>(elf, 40, tableAt);
    Put<uint16_t>(elf, 52, 64);
    Put<uint16_t>(elf, 58, 64);
    Put<uint16_t>(elf, 60, 3);
    Put<uint16_t>(elf, 62, 2);  // the names' section
    std::memcpy(elf.data() + dataAt, contents.data(), contents.size());
    std::memcpy(elf.data() + namesAt, names, sizeof names);
    auto header = [&](int index, uint32_t name, uint32_t type, size_t offset, size_t size) {
        const size_t at = tableAt + 64 * static_cast<size_t>(index);
        Put<uint32_t>(elf, at, name);
        Put<uint32_t>(elf, at + 4, type);
        Put<uint64_t>(elf, at + 24, offset);
        Put<uint64_t>(elf, at + 32, size);
        Put<uint64_t>(elf, at + 48, 1);
    };
    header(1, 1, 1, dataAt, contents.size());       // PROGBITS
    header(2, 7, 3, namesAt, sizeof names);          // STRTAB
    return elf;
}

// A table file of the sections whose names are in `names`, with or without
// check values.
bool TableSeed(const std::vector<qrtables::TableSection>& all, const std::set<std::string>& names,
               bool checked, const fs::path& path) {
    std::vector<qrtables::TableSection> sections;
    for (const auto& s : all)
        if (names.count(s.name) != 0) sections.push_back(s);
    std::string error;
    if (checked) {
        qrtables::TableSection checks;
        if (!qrtables::ChecksSection(sections, &checks, &error)) return false;
        sections.push_back(std::move(checks));
    }
    qrtables::CompressSections(sections);
    std::vector<uint8_t> file;
    return qrtables::LayOutTableFile(sections, &file, &error) && Write(path, file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvelk_fuzz_seeds OUTPUT_FOLDER RES_FILE\n");
        return 2;
    }
    const fs::path out = argv[1];
    const std::vector<qrtables::TableSection> all = qrtables::BuildSections();

    // Version 1 at every level, and version 2 at M, which the table target
    // encodes: the records, templates and generators they use.
    const std::set<std::string> v1 = {"QRA_S01L", "QRA_S01M", "QRA_S01Q", "QRA_S01H", "QRB_S01",
                                      "QRC_S07",  "QRC_S10",  "QRC_S13",  "QRC_S17"};
    std::set<std::string> v12 = v1;
    v12.insert({"QRA_S02M", "QRB_S02", "QRC_S16"});
    bool ok = TableSeed(all, v12, true, out / "table_file" / "v1_v2m_checked.dat") &&
              TableSeed(all, v1, false, out / "table_file" / "v1_unchecked.dat") &&
              TableSeed(all, {"QRA_S01M", "QRB_S01", "QRC_S10"}, true,
                        out / "table_file" / "v1m_checked.dat");

    std::vector<qrtables::TableSection> small;
    for (const auto& s : all)
        if (s.name == "QRA_S01M" || s.name == "QRB_S01" || s.name == "QRC_S10") small.push_back(s);
    qrtables::CompressSections(small);
    for (const auto& s : small) ok = ok && Write(out / "lzss_decode" / (s.name + ".lz"), s.packed);

    ResourceFile res;
    if (LoadResFile(argv[2], &res) != ResourceStatus::kOk) {
        std::fprintf(stderr, "orvelk_fuzz_seeds: cannot read %s\n", argv[2]);
        return 1;
    }
    const fs::path resources = out / "module_resources";
    ok = ok && Write(resources / "res", Tagged(1, res.bytes.data(), res.bytes.size()));
    ok = ok && Write(resources / "elf", Tagged(0, ElfWithResources(res.bytes).data(),
                                               ElfWithResources(res.bytes).size()));
    int n = 0;
    for (const ResourceEntry& entry : res.entries) {
        const auto data = ResourceData(res, entry);
        const uint8_t tag = !entry.type.isNumber                      ? 2
                            : entry.type.number == kResourceTypeDialog ? 3
                            : entry.type.number == kResourceTypeBitmap ? 4
                                                                       : 0xFF;
        if (tag == 0xFF) continue;
        ok = ok && Write(resources / ("entry" + std::to_string(n++)),
                         Tagged(tag, data.data(), data.size()));
    }
    if (!ok) {
        std::fprintf(stderr, "orvelk_fuzz_seeds: cannot write the seeds under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
