// Lists a module's resources as the system reads them: on Windows through
// the loader (EnumResourceTypes, EnumResourceNames, EnumResourceLanguages,
// FindResourceEx, LoadResource), here through the stand-in's reader of the
// module's ".rsrc" section. One line a resource, sorted: type, name,
// language, size and the data in hexadecimal; so the Windows module and the
// Linux module, built from one resource script, must give the same text.
//
//   resource_dump MODULE
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/equality/binary_streams.h"
#if defined(_WIN32)
#include "platform/win_types.h"
#else
#include "standin/resources/res_file.h"
#endif

namespace {

std::string Hex(const uint8_t* data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        text += digits[data[i] >> 4];
        text += digits[data[i] & 15];
    }
    return text;
}

std::string Line(const std::string& type, const std::string& name, unsigned language,
                 const uint8_t* data, size_t size) {
    std::string line = type;
    for (const std::string& part : {name, std::to_string(language), std::to_string(size), Hex(data, size)}) {
        line += ' ';
        line += part;
    }
    return line;
}

#if defined(_WIN32)
// A type or name as the loader gives it: "#n" for a number, else the name.
std::string NameText(LPCSTR name) {
    if (!IS_INTRESOURCE(name)) return name;
    std::string text(1, '#');
    text += std::to_string(reinterpret_cast<uintptr_t>(name));
    return text;
}

struct Walk {
    HMODULE module;
    std::vector<std::string> lines;
    LPCSTR type = nullptr;
    LPCSTR name = nullptr;
};

BOOL CALLBACK OnLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param) {
    auto* walk = reinterpret_cast<Walk*>(param);
    HRSRC found = FindResourceExA(module, type, name, language);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const auto* data = static_cast<const uint8_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    const DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
    walk->lines.push_back(Line(NameText(type), NameText(name), language, data, data ? size : 0));
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
    EnumResourceLanguagesA(module, type, name, OnLanguage, param);
    return TRUE;
}

BOOL CALLBACK OnType(HMODULE module, LPSTR type, LONG_PTR param) {
    EnumResourceNamesA(module, type, OnName, param);
    return TRUE;
}

bool ReadLines(const char* path, std::vector<std::string>* lines) {
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return false;
    Walk walk{module, {}};
    EnumResourceTypesA(module, OnType, reinterpret_cast<LONG_PTR>(&walk));
    FreeLibrary(module);
    *lines = std::move(walk.lines);
    return true;
}
#else
// A type or name as Windows' loader gives it: "#n" for a number, else the
// name in upper case (the loader's names are stored so).
std::string NameText(const ResourceName& name) {
    std::string text(1, '#');
    if (name.isNumber) return text += std::to_string(name.number);
    text.clear();
    for (const char16_t c : name.text) {
        text += static_cast<char>(c >= u'a' && c <= u'z' ? c - 32 : c);
    }
    return text;
}

bool ReadLines(const char* path, std::vector<std::string>* lines) {
    ResourceFile file;
    if (LoadModuleResources(path, &file) != ResourceStatus::kOk) return false;
    for (const ResourceEntry& entry : file.entries) {
        const auto data = ResourceData(file, entry);
        lines->push_back(Line(NameText(entry.type), NameText(entry.name), entry.language,
                              data.data(), data.size()));
    }
    return true;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    UseBinaryStandardStreams();
    if (argc != 2) {
        std::fprintf(stderr, "usage: resource_dump MODULE\n");
        return 2;
    }
    std::vector<std::string> lines;
    if (!ReadLines(argv[1], &lines)) {
        std::fprintf(stderr, "resource_dump: cannot read the resources of %s\n", argv[1]);
        return 1;
    }
    std::sort(lines.begin(), lines.end());
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}
