#include "standin/host/module_beeps.h"

#include <cassert>
#include <cstring>
#include <functional>
#include <utility>

#include "platform/beep_monitor.h"

namespace {

struct Beeps {
    std::function<void(UINT)> listener;
    unsigned count = 0;
};

Beeps& State() {
    static Beeps* beeps = new Beeps;
    return *beeps;
}

// Whether `a` and `b` are the same name, ignoring the case of ASCII letters.
bool SameAsciiName(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(*a) != lower(*b)) return false;
        if (*a == '\0') return true;
    }
}

// The import address table entries of `module` that name `dll`!`function`.
// The headers are the loader's own, already checked when it mapped the
// image; offsets are still held to the image's size.
template <typename Visit>
bool ForEachImport(HMODULE module, const char* dll, const char* function, Visit visit) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE) return false;
    const DWORD imageSize = nt->OptionalHeader.SizeOfImage;
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0 || directory.VirtualAddress >= imageSize) return false;
    const auto inside = [imageSize](DWORD rva, size_t size) {
        return rva < imageSize && size <= imageSize - rva;
    };
    bool found = false;
    for (DWORD at = directory.VirtualAddress; inside(at, sizeof(IMAGE_IMPORT_DESCRIPTOR));
         at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + at);
        if (descriptor->Name == 0) break;
        if (!inside(descriptor->Name, 1) ||
            !SameAsciiName(reinterpret_cast<const char*>(base + descriptor->Name), dll))
            continue;
        // The names are in the lookup table; the addresses the loader bound
        // are in the address table beside it.
        const DWORD names =
            descriptor->OriginalFirstThunk != 0 ? descriptor->OriginalFirstThunk
                                                : descriptor->FirstThunk;
        for (DWORD i = 0;; ++i) {
            const DWORD nameAt = names + i * sizeof(IMAGE_THUNK_DATA);
            const DWORD slotAt = descriptor->FirstThunk + i * sizeof(IMAGE_THUNK_DATA);
            if (!inside(nameAt, sizeof(IMAGE_THUNK_DATA)) ||
                !inside(slotAt, sizeof(IMAGE_THUNK_DATA)))
                break;
            const auto* name = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + nameAt);
            if (name->u1.AddressOfData == 0) break;
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
            const ULONGLONG byName = name->u1.AddressOfData;
            if (byName >= imageSize || !inside(static_cast<DWORD>(byName), sizeof(WORD) + 1))
                continue;
            const auto* import = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + byName);
            // Names end inside the image: the loader resolved them.
            if (std::strcmp(reinterpret_cast<const char*>(import->Name), function) != 0) continue;
            visit(reinterpret_cast<IMAGE_THUNK_DATA*>(base + slotAt));
            found = true;
        }
    }
    return found;
}

}  // namespace

void SetBeepListener(std::function<void(UINT type)> listener) {
    State().listener = std::move(listener);
}

unsigned BeepCount() {
    return State().count;
}

void ResetBeepCount() {
    State().count = 0;
}

namespace standin {

BOOL WINAPI HeardMessageBeep(UINT type) {
    Beeps& beeps = State();
    ++beeps.count;
    // The listener may replace itself; call a copy.
    if (beeps.listener) {
        const std::function<void(UINT)> listener = beeps.listener;
        listener(type);
    }
    // user32's own function, found by name: the program's import of it may
    // itself lead here (a plug-in linked into the program).
    using Beep = BOOL(WINAPI*)(UINT);
    static const Beep system = [] {
        HMODULE user32 = GetModuleHandleA("user32.dll");
        return user32 != nullptr
                   ? reinterpret_cast<Beep>(reinterpret_cast<void (*)()>(GetProcAddress(user32, "MessageBeep")))
                   : nullptr;
    }();
    assert(system != &HeardMessageBeep);
    return system != nullptr ? system(type) : FALSE;
}

bool HookMessageBeepImport(HMODULE module) {
    assert(module != nullptr);
    const auto hook = reinterpret_cast<ULONGLONG>(&HeardMessageBeep);
    return ForEachImport(module, "user32.dll", "MessageBeep", [hook](IMAGE_THUNK_DATA* slot) {
        if (slot->u1.Function == hook) return;
        // The address table may lie in a read-only section.
        DWORD earlier = 0;
        if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &earlier)) return;
        slot->u1.Function = hook;
        VirtualProtect(slot, sizeof *slot, earlier, &earlier);
    });
}

}  // namespace standin
