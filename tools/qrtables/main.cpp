// orvk_tablegen: computes the QR Code tables of the plug-in's engine and
// writes them as the symbol table file ORVK_QR.DAT.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tools/qrtables/table_writer.h"

namespace {

#if defined(_WIN32)
constexpr int kNoFollow = 0;  // a new name is no link
constexpr int kBinary = O_BINARY;
constexpr int kInterrupts[] = {SIGINT, SIGTERM};
#else
constexpr int kNoFollow = O_NOFOLLOW;
constexpr int kBinary = 0;
constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
#endif

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

// The table file being written: a temporary file beside the output, created
// new under a name of its own (never through an existing name or link) and
// renamed over the output only once every byte is out, so that a failed or
// interrupted run leaves no partial table file behind. Opened before the
// tables are computed, so that a bad path fails at once.
struct PendingFile {
    std::filesystem::path path;
    std::string temporary;
    int fd = -1;
    int mode = -1;  // the replaced file's permission bits; -1: the new file's own
};

// The temporary file's name for the signal handler, which removes it.
char gTemporaryName[4096];
volatile sig_atomic_t gTemporaryNoted = 0;

// Removes the temporary file and ends the process by the signal.
void RemoveTemporaryAndDie(int signal) {
    if (gTemporaryNoted) unlink(gTemporaryName);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Creates the temporary file for `path` exclusively under a free name.
int CreateTemporary(const std::filesystem::path& path, std::string* name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = path.string() + "." + std::to_string(getpid()) + "." + std::to_string(attempt) +
                ".tmp";
        if (name->size() >= sizeof gTemporaryName) {
            errno = ENAMETOOLONG;
            return -1;
        }
        std::strcpy(gTemporaryName, name->c_str());
        gTemporaryNoted = 0;
        const int fd = open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | kNoFollow | kBinary, 0666);
        if (fd >= 0) {
            gTemporaryNoted = 1;
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

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
    if (std::filesystem::exists(status)) file->mode = static_cast<int>(status.permissions());
    file->path = path;
    for (int s : kInterrupts) std::signal(s, RemoveTemporaryAndDie);
    file->fd = CreateTemporary(path, &file->temporary);
    if (file->fd < 0) {
        *error = "cannot create " + file->temporary + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

// Writes all of `bytes` to `fd`; false with errno set on failure.
bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const auto n = write(fd, bytes.data() + done, static_cast<unsigned>(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool FinishPending(PendingFile* file, const std::vector<uint8_t>& bytes, bool keep,
                   std::string* error) {
    if (keep && !WriteAll(file->fd, bytes)) {
        *error = "cannot write " + file->temporary + ": " + std::strerror(errno);
        keep = false;
    }
    if (close(file->fd) != 0 && keep) {
        *error = "cannot write " + file->temporary + ": " + std::strerror(errno);
        keep = false;
    }
    std::error_code ec;
    if (keep && file->mode >= 0) {  // a replaced file keeps its mode
        std::filesystem::permissions(file->temporary,
                                     static_cast<std::filesystem::perms>(file->mode), ec);
        if (ec) {
            *error = "cannot set the mode of " + file->temporary + ": " + ec.message();
            keep = false;
        }
    }
    if (keep) {
        std::filesystem::rename(file->temporary, file->path, ec);
        if (!ec) {
            gTemporaryNoted = 0;
            return true;
        }
        *error = "cannot replace " + file->path.string() + ": " + ec.message();
    }
    std::filesystem::remove(file->temporary, ec);
    gTemporaryNoted = 0;
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
