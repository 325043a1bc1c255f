#include "standin/host/module_loader.h"

#include <dlfcn.h>

namespace standin {
namespace {

std::string DlError() {
    const char* e = dlerror();
    return e != nullptr ? e : "unknown reason";
}

}  // namespace

bool OpenModuleCode(const std::string& path, const std::string& entryName, void** module,
                    SPPluginMainProc* entry, std::string* why) {
    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        *why = "it cannot be loaded: " + DlError();
        return false;
    }
    dlerror();
    void* symbol = dlsym(handle, entryName.c_str());
    if (symbol == nullptr) {
        *why = "it does not export its entry point '" + entryName + "'";
        dlclose(handle);
        return false;
    }
    *module = handle;
    *entry = reinterpret_cast<SPPluginMainProc>(symbol);
    return true;
}

void CloseModuleCode(void* module) {
    if (module != nullptr) dlclose(module);
}

bool IsModuleCodeResident(const std::string& path) {
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (module == nullptr) return false;
    dlclose(module);
    return true;
}

}  // namespace standin
