#include "standin/files/program_folder.h"

#include <unistd.h>

namespace standin {

std::string ProgramFolder() {
    // The kernel's link to the executable: an absolute path without "." or
    // ".." in it.
    std::string executable(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", executable.data(), executable.size());
        if (n <= 0) return std::string();
        if (static_cast<size_t>(n) < executable.size()) {
            executable.resize(static_cast<size_t>(n));
            break;
        }
        executable.resize(executable.size() * 2);
    }
    if (executable[0] != '/') return std::string();
    return executable.substr(0, executable.rfind('/') + 1);
}

}  // namespace standin
