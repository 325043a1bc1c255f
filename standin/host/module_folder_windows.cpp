#include "standin/host/module_folder.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace standin {
namespace {

// Paths are UTF-8 strings on every system; the standard library's narrow
// strings are the ANSI code page's here, so paths pass through its UTF-8
// forms.
std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

std::vector<std::string> ListModuleFiles(const std::string& folder, std::string* error) {
    namespace fs = std::filesystem;
    error->clear();
    std::vector<std::string> modules;
    std::error_code ec;
    fs::recursive_directory_iterator it(PathOf(folder), fs::directory_options::skip_permission_denied,
                                        ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code fileError;
        if (strcasecmp(Utf8Of(it->path().extension()).c_str(), ".aip") == 0 &&
            it->is_regular_file(fileError))
            modules.push_back(Utf8Of(it->path()));
    }
    if (ec) *error = ec.message();
    std::sort(modules.begin(), modules.end());
    return modules;
}

bool IsFolder(const std::string& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(PathOf(folder), ec);
}

std::string ModuleFileName(const std::string& path) {
    return Utf8Of(PathOf(path).filename());
}

}  // namespace standin
