#include "standin/host/module_loader.h"

#include <filesystem>

#include "platform/win_types.h"
#include "standin/host/module_beeps.h"

namespace standin {
namespace {

// The system's text for `code`, without its line end.
std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 && text != nullptr ? std::string(text, length)
                                                        : "error " + std::to_string(code);
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message;
}

// `path` (UTF-8) as the system's wide path.
std::wstring WidePath(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end())).wstring();
}

}  // namespace

bool OpenModuleCode(const std::string& path, const std::string& entryName, void** module,
                    SPPluginMainProc* entry, std::string* why) {
    // No error boxes: a module that cannot be loaded is skipped with a note.
    const UINT earlierMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE handle = LoadLibraryW(WidePath(path).c_str());
    const DWORD loadError = GetLastError();
    SetErrorMode(earlierMode);
    if (handle == nullptr) {
        *why = "it cannot be loaded: " + SystemMessage(loadError);
        return false;
    }
    FARPROC symbol = GetProcAddress(handle, entryName.c_str());
    if (symbol == nullptr) {
        *why = "it does not export its entry point '" + entryName + "'";
        FreeLibrary(handle);
        return false;
    }
    // The module's beeps reach the host's transcript.
    HookMessageBeepImport(handle);
    *module = handle;
    *entry = reinterpret_cast<SPPluginMainProc>(reinterpret_cast<void*>(symbol));
    return true;
}

void CloseModuleCode(void* module) {
    if (module != nullptr) FreeLibrary(static_cast<HMODULE>(module));
}

bool IsModuleCodeResident(const std::string& path) {
    HMODULE module = nullptr;
    return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, WidePath(path).c_str(),
                              &module) != FALSE &&
           module != nullptr;
}

}  // namespace standin
