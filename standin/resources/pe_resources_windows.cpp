// LoadModuleResources on Windows: the module is mapped as an image resource
// (none of its code runs) and its resources are found as the host finds them,
// with the system's own calls (EnumResource*, FindResourceExA, LoadResource,
// LockResource, SizeofResource). Each one found becomes a record of the
// ResourceFile, so that everything above reads them as it reads the records
// of the ".rsrc" section on this machine.
#include <cstring>
#include <filesystem>
#include <utility>

#include "platform/win_types.h"
#include "standin/resources/res_file.h"

namespace {

// What the enumeration gathers.
struct Gathered {
    HMODULE module = nullptr;
    ResourceFile file;
    bool failed = false;
    std::string damaged;
};

// A type or name of the enumeration: a number (IS_INTRESOURCE) or an ASCII
// string, as the ANSI calls give it.
ResourceName NameOf(LPCSTR name) {
    ResourceName out;
    if (IS_INTRESOURCE(name)) {
        out.isNumber = true;
        out.number = static_cast<uint16_t>(reinterpret_cast<ULONG_PTR>(name));
        return out;
    }
    out.isNumber = false;
    for (const char* c = name; *c != '\0'; ++c)
        out.text.push_back(static_cast<char16_t>(static_cast<unsigned char>(*c)));
    return out;
}

BOOL CALLBACK OnLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language,
                         LONG_PTR param) {
    auto* gathered = reinterpret_cast<Gathered*>(param);
    HRSRC found = FindResourceExA(module, type, name, language);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
    if (data == nullptr && size != 0) {
        gathered->failed = true;
        gathered->damaged = "resource " + std::to_string(gathered->file.entries.size() + 1) +
                            " of the module cannot be loaded";
        return FALSE;
    }
    ResourceEntry entry;
    entry.type = NameOf(type);
    entry.name = NameOf(name);
    entry.language = language;
    entry.dataOffset = gathered->file.bytes.size();
    entry.dataSize = size;
    const auto* bytes = static_cast<const uint8_t*>(data);
    gathered->file.bytes.insert(gathered->file.bytes.end(), bytes, bytes + size);
    gathered->file.entries.push_back(std::move(entry));
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
    EnumResourceLanguagesA(module, type, name, OnLanguage, param);
    return !reinterpret_cast<Gathered*>(param)->failed;
}

BOOL CALLBACK OnType(HMODULE module, LPSTR type, LONG_PTR param) {
    EnumResourceNamesA(module, type, OnName, param);
    return !reinterpret_cast<Gathered*>(param)->failed;
}

}  // namespace

ResourceStatus LoadModuleResources(const std::string& modulePath, ResourceFile* file,
                                   std::string* damaged) {
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::path(std::u8string(modulePath.begin(), modulePath.end()));
    if (!std::filesystem::is_regular_file(path, ec)) return ResourceStatus::kIoError;
    const UINT earlierMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryExW(path.wstring().c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    const DWORD loadError = GetLastError();
    SetErrorMode(earlierMode);
    if (module == nullptr)
        return loadError == ERROR_FILE_NOT_FOUND || loadError == ERROR_PATH_NOT_FOUND ||
                       loadError == ERROR_ACCESS_DENIED
                   ? ResourceStatus::kIoError
                   : ResourceStatus::kNotModule;
    Gathered gathered;
    gathered.module = module;
    const BOOL any = EnumResourceTypesA(module, OnType, reinterpret_cast<LONG_PTR>(&gathered));
    FreeLibrary(module);
    if (gathered.failed) {
        if (damaged != nullptr) *damaged = gathered.damaged;
        return ResourceStatus::kDamaged;
    }
    if (!any && gathered.file.entries.empty()) return ResourceStatus::kNotFound;
    *file = std::move(gathered.file);
    return ResourceStatus::kOk;
}
