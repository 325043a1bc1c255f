#include "standin/loading/back_end_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <vector>

#include "standin/files/program_folder.h"

namespace standin {
namespace {

// Modules opened so far, by file name. They stay open: their code may be on
// the stack of a caller, and their tables are handed out as plain pointers.
std::map<std::string, void*>& OpenModules() {
    static std::map<std::string, void*> modules;
    return modules;
}

std::mutex& ModulesLock() {
    static std::mutex lock;
    return lock;
}

// The places a module is looked for, in order.
std::vector<std::string> Candidates(const char* fileName) {
    const std::string folder = ProgramFolder();
    if (folder.empty()) return {fileName};
    return {folder + fileName, folder + "../lib/orvelk/" + fileName};
}

void* OpenModule(const char* fileName, std::string* why) {
    std::string reasons;
    for (const std::string& path : Candidates(fileName)) {
        if (access(path.c_str(), F_OK) != 0) continue;
        if (void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
        const char* message = dlerror();
        reasons += (reasons.empty() ? "" : "; ") + std::string(message != nullptr ? message : path);
    }
    if (why != nullptr) {
        *why = reasons.empty() ? "the module " + std::string(fileName) +
                                     " is not installed beside the program (" + ProgramFolder() +
                                     ")"
                               : "cannot load the module " + std::string(fileName) + ": " + reasons;
    }
    return nullptr;
}

}  // namespace

void* BackEndEntry(const char* fileName, const char* entry, std::string* why) {
    std::lock_guard<std::mutex> hold(ModulesLock());
    void*& handle = OpenModules()[fileName];
    if (handle == nullptr) handle = OpenModule(fileName, why);
    if (handle == nullptr) return nullptr;
    dlerror();
    void* address = dlsym(handle, entry);
    if (address == nullptr && why != nullptr)
        *why = "the module " + std::string(fileName) + " has no entry " + entry;
    return address;
}

}  // namespace standin
