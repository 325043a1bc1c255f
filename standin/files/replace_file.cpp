#include "standin/files/replace_file.h"

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

// Opens a new file beside `path` that did not exist before: "<path>.<n>.tmp".
std::FILE* OpenTemporary(const std::string& path, std::string* tempPath, int* err) {
    for (int n = 0; n < 100; ++n) {
        *tempPath = path + "." + std::to_string(n) + ".tmp";
        // "x": fail when the name is taken, so two writers never share a file.
        std::FILE* f = std::fopen(tempPath->c_str(), "wbx");
        if (f != nullptr) return f;
        *err = errno;
        if (*err != EEXIST) return nullptr;
    }
    return nullptr;
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
    std::FILE* f = OpenTemporary(path, &temp, &err);
    if (f == nullptr) {
        SetError(error, "cannot write " + path + ": " + Reason(err));
        return false;
    }
    errno = 0;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    err = errno;
    ok = std::fclose(f) == 0 && ok;
    if (!ok) {
        if (err == 0) err = errno != 0 ? errno : EIO;
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
