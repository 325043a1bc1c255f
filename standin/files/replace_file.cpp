#include "standin/files/replace_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace standin {
namespace {

void SetError(std::string* error, const std::string& text) {
    if (error != nullptr) *error = text;
}

std::string Reason(int err) {
    return std::strerror(err);
}

// A new file written as bytes.
#ifdef O_BINARY
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY;
#else
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL;
#endif

// Opens a new file beside `path` that did not exist before: "<path>.<n>.tmp".
// Returns its descriptor, or -1 with the reason in *err.
int OpenTemporary(const std::string& path, std::string* tempPath, int* err) {
    for (int n = 0; n < 100; ++n) {
        *tempPath = path + "." + std::to_string(n) + ".tmp";
        // O_EXCL: fail when the name is taken, so two writers never share a file.
        const int fd = ::open(tempPath->c_str(), kCreateFlags, 0666);
        if (fd >= 0) return fd;
        *err = errno;
        if (*err != EEXIST) return -1;
    }
    return -1;
}

// Writes all of `bytes` to `fd`; the system's reason in *err when it cannot.
bool WriteAll(int fd, std::string_view bytes, int* err) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            *err = n < 0 ? errno : EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

bool ReplaceFileWith(const std::string& path, std::string_view bytes, std::string* error) {
    if (path.empty()) {
        SetError(error, "no file name given");
        return false;
    }
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        SetError(error, "cannot write " + path + ": " + Reason(EISDIR));
        return false;
    }
    std::string temp;
    int err = 0;
    const int fd = OpenTemporary(path, &temp, &err);
    if (fd < 0) {
        SetError(error, "cannot write " + path + ": " + Reason(err));
        return false;
    }
    bool ok = WriteAll(fd, bytes, &err);
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        std::remove(temp.c_str());
        SetError(error, "cannot write " + path + ": " + Reason(err));
        return false;
    }
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        SetError(error, "cannot write " + path + ": " + ec.message());
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, size_t maxBytes, std::string* bytes,
                   std::string* error) {
    bytes->clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        SetError(error, "cannot read " + path + ": " + Reason(errno));
        return false;
    }
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        if (bytes->size() + n > maxBytes) {
            std::fclose(f);
            bytes->clear();
            SetError(error, "cannot read " + path + ": larger than " + std::to_string(maxBytes) +
                                " bytes");
            return false;
        }
        bytes->append(buffer, n);
    }
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (failed) {
        bytes->clear();
        SetError(error, "cannot read " + path + ": " + Reason(err != 0 ? err : EIO));
        return false;
    }
    return true;
}

}  // namespace standin
