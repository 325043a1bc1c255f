// orvk_tablegen: computes the QR Code tables of the plug-in's engine and
// writes them as the symbol table file ORVK_QR.DAT.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "tools/qrtables/table_writer.h"

namespace {

constexpr char kUsage[] =
    "usage: orvk_tablegen [--stats] OUTPUT_FILE\n"
    "\n"
    "Computes the QR Code symbol tables (module positions and mask bits of every\n"
    "version and level, function-pattern templates, Reed-Solomon generator records)\n"
    "and writes them, LZSS-compressed, as the table file OUTPUT_FILE (ORVK_QR.DAT),\n"
    "with a section QRK_CHECKS of every section's CRC-32 and length.\n"
    "Missing parent folders are created.\n"
    "\n"
    "  --stats   print each section's raw and compressed size\n"
    "  --help    print this text\n";

// The table file being written: a temporary file beside the output, renamed
// over it only once every byte is out, so that a failed run leaves no partial
// table file behind. Opened before the tables are computed, so that a bad
// path fails at once.
struct PendingFile {
    std::filesystem::path path;
    std::filesystem::path temporary;
    std::ofstream out;
};

bool OpenPending(const std::filesystem::path& path, PendingFile* file, std::string* error) {
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec) {
            *error = "cannot create " + path.parent_path().string() + ": " + ec.message();
            return false;
        }
    }
    // The rename would put a regular file in place of a device or folder.
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        *error = path.string() + " exists and is not a regular file";
        return false;
    }
    file->path = path;
    file->temporary = path;
    file->temporary += ".tmp";
    file->out.open(file->temporary, std::ios::binary | std::ios::trunc);
    if (!file->out) {
        *error = "cannot create " + file->temporary.string();
        return false;
    }
    return true;
}

bool FinishPending(PendingFile* file, const std::vector<uint8_t>& bytes, bool keep,
                   std::string* error) {
    if (keep)
        file->out.write(reinterpret_cast<const char*>(bytes.data()),
                        static_cast<std::streamsize>(bytes.size()));
    file->out.close();
    std::error_code ec;
    if (keep && !file->out) {
        *error = "cannot write " + file->temporary.string();
        keep = false;
    }
    if (keep) {
        std::filesystem::rename(file->temporary, file->path, ec);
        if (!ec) return true;
        *error = "cannot replace " + file->path.string() + ": " + ec.message();
    }
    std::filesystem::remove(file->temporary, ec);
    return false;
}

void PrintStats(const std::vector<qrtables::TableSection>& sections, size_t fileSize) {
    size_t raw = 0;
    size_t packed = 0;
    for (const qrtables::TableSection& s : sections) {
        std::printf("%-9s %8zu -> %7zu\n", s.name.c_str(), s.raw.size(), s.packed.size());
        raw += s.raw.size();
        packed += s.packed.size();
    }
    std::printf("%zu sections: %zu -> %zu bytes (%.1f %%), file %zu bytes\n", sections.size(), raw,
                packed, raw ? 100.0 * packed / raw : 0.0, fileSize);
}

}  // namespace

int main(int argc, char** argv) {
    bool stats = false;
    const char* output = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--stats") == 0) {
            stats = true;
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            std::fprintf(stderr, "orvk_tablegen: unknown option %s\n%s", argv[i], kUsage);
            return 2;
        } else if (output != nullptr) {
            std::fprintf(stderr, "orvk_tablegen: more than one output file\n%s", kUsage);
            return 2;
        } else {
            output = argv[i];
        }
    }
    if (output == nullptr) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    std::string error;
    PendingFile pending;
    if (!OpenPending(output, &pending, &error)) {
        std::fprintf(stderr, "orvk_tablegen: %s\n", error.c_str());
        return 1;
    }
    std::vector<qrtables::TableSection> sections = qrtables::BuildSections();
    qrtables::TableSection checks;
    bool laidOut = qrtables::ChecksSection(sections, &checks, &error);
    sections.push_back(std::move(checks));
    qrtables::CompressSections(sections);
    std::vector<uint8_t> file;
    laidOut = laidOut && qrtables::LayOutTableFile(sections, &file, &error);
    if (!FinishPending(&pending, file, laidOut, &error)) {
        std::fprintf(stderr, "orvk_tablegen: %s\n", error.c_str());
        return 1;
    }
    if (stats) PrintStats(sections, file.size());
    return 0;
}
