#include "platform/gdi_log.h"

#include <cstdio>
#include <vector>

#include "platform/gdi_monitor.h"
#include "platform/gdi_objects.h"

namespace gdi {
namespace {

struct Log {
    bool on = false;
    std::vector<GdiCall> calls;
};

Log& L() {
    static Log* log = new Log;
    return *log;
}

std::string Hexadecimal(uintptr_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace

bool LogOn() { return L().on; }

void ResetCallLog() { L() = Log{}; }

void RecordCall(const char* name, std::string args, std::string result) {
    L().calls.push_back(GdiCall{name, std::move(args), std::move(result)});
}

std::string Describe(const void* object) {
    if (object == nullptr) return "NULL";
    const Object* o = FindAny(object);
    if (o == nullptr) return "bad:" + Hexadecimal(reinterpret_cast<uintptr_t>(object));
    const char* prefix = "";
    switch (o->kind) {
        case Kind::MemoryDC: prefix = "mdc"; break;
        case Kind::SurfaceDC: prefix = "sdc"; break;
        case Kind::Bitmap: prefix = "bm"; break;
        case Kind::Brush: prefix = "br"; break;
        case Kind::Free: break;
    }
    return prefix + std::to_string(reinterpret_cast<uintptr_t>(object) & 0xFFFF);
}

std::string Describe(HDC dc) { return Describe(static_cast<const void*>(dc)); }
std::string Describe(HBITMAP bitmap) { return Describe(static_cast<const void*>(bitmap)); }
std::string Describe(HBRUSH brush) { return Describe(static_cast<const void*>(brush)); }
std::string Describe(int value) { return std::to_string(value); }
std::string Describe(unsigned value) { return std::to_string(value); }
std::string Describe(Hex value) { return Hexadecimal(value.value); }
std::string Describe(Buffer buffer) { return buffer.pointer != nullptr ? "buffer" : "NULL"; }

std::string Describe(const RECT* rect) {
    if (rect == nullptr) return "NULL";
    char text[64];
    std::snprintf(text, sizeof text, "{%d,%d,%d,%d}", int{rect->left}, int{rect->top},
                  int{rect->right}, int{rect->bottom});
    return text;
}

std::string Describe(const BITMAPINFOHEADER* header) {
    if (header == nullptr) return "NULL";
    char text[64];
    if (header->biSize < sizeof(BITMAPINFOHEADER)) {
        std::snprintf(text, sizeof text, "{size %u}", unsigned{header->biSize});
    } else {
        std::snprintf(text, sizeof text, "{%dx%d,%ubpp}", int{header->biWidth},
                      int{header->biHeight}, unsigned{header->biBitCount});
    }
    return text;
}

std::string Describe(const BITMAPINFO* info) {
    return Describe(info != nullptr ? &info->bmiHeader : nullptr);
}

}  // namespace gdi

void GdiSetCallLog(bool on) {
    gdi::L().calls.clear();
    gdi::L().on = on;
}

std::vector<GdiCall> GdiCallLog() { return gdi::L().calls; }

std::string GdiCallLogText() {
    std::string text;
    for (const GdiCall& c : gdi::L().calls) {
        text += c.name + "(" + c.args + ") = " + c.result + "\n";
    }
    return text;
}
