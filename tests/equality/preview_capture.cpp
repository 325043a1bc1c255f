// Keeps a Blocks suite of its own: the Windows build of this tool runs without the stand-in.
//
// Paints the settings dialog's preview of one symbol through the GDI calls of
// the build (our layer on this machine, Windows' own in the Windows build)
// and writes the item's pixels as a binary PPM on standard output, so that
// the two builds' pictures can be compared byte for byte.
//
//   preview_capture APP_FOLDER LEVEL MODE VERSION MASK HEX_TEXT
//
// HEX_TEXT is the code page 932 text in hexadecimal ("-" for the empty
// text, which paints no symbol); MASK is the plug-in's setting (0 automatic,
// 1 to 8 mask 0 to 7).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "globals/plugin_state.h"
#include "hostapi/sp_basic.h"
#include "platform/win_gdi.h"
#include "platform/win_path.h"
#include "qr/engine_host.h"
#include "qr/symbol_encoder.h"
#include "tests/equality/binary_streams.h"
#include "ui/preview_paint.h"
#if !defined(_WIN32)
#include "platform/gdi_surface.h"
#endif

namespace {

// The settings dialog's item 3 in pixels.
constexpr int kItemWidth = 243;
constexpr int kItemHeight = 231;
// What the paint leaves untouched shows as this colour.
constexpr uint32_t kBackground = 0x00C0C0C0;

char gFolder[kAppFolderSize];
int32_t gMask = 0;

// The host's Blocks suite, which the preview takes its working buffers from.
ASErr HOST_CALL AllocateBlock(ASInt32 size, const char*, void** block) {
    *block = std::malloc(static_cast<size_t>(size));
    return *block != nullptr ? 0 : kSPOutOfMemoryError;
}
ASErr HOST_CALL FreeBlock(void* block) {
    std::free(block);
    return 0;
}
ASErr HOST_CALL ReallocateBlock(void* block, ASInt32 size, const char*, void** moved) {
    *moved = std::realloc(block, static_cast<size_t>(size));
    return *moved != nullptr ? 0 : kSPOutOfMemoryError;
}
const SPBlocksSuite kBlocks = {
    .AllocateBlock = AllocateBlock,
    .FreeBlock = FreeBlock,
    .ReallocateBlock = ReallocateBlock,
};

int32_t FindFolder(char* folder) {
    std::memcpy(folder, gFolder, sizeof gFolder);
    return 0;
}

bool FromHex(const char* hex, std::string* bytes) {
    if (std::strcmp(hex, "-") == 0) return true;
    const size_t n = std::strlen(hex);
    if (n % 2 != 0) return false;
    for (size_t i = 0; i < n; i += 2) {
        char pair[3] = {hex[i], hex[i + 1], 0};
        char* end = nullptr;
        const long value = std::strtol(pair, &end, 16);
        if (*end != 0) return false;
        bytes->push_back(static_cast<char>(value));
    }
    return true;
}

// Paints on a window-like device context of the item's size and returns its
// pixels (0x00RRGGBB, top row first).
std::vector<uint32_t> Paint(const ModuleMatrix* matrix) {
    std::vector<uint32_t> pixels(size_t(kItemWidth) * kItemHeight, kBackground);
    const ADMRect item{0, 0, kItemWidth, kItemHeight};
#if defined(_WIN32)
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kItemWidth, kItemHeight);
    ReleaseDC(nullptr, screen);
    HGDIOBJ first = SelectObject(dc, bitmap);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kItemWidth;
    info.bmiHeader.biHeight = -kItemHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBits(dc, bitmap, 0, kItemHeight, pixels.data(), &info, DIB_RGB_COLORS);
    PaintSymbolPreview(dc, item, matrix);
    GetDIBits(dc, bitmap, 0, kItemHeight, pixels.data(), &info, DIB_RGB_COLORS);
    SelectObject(dc, first);
    DeleteObject(bitmap);
    DeleteDC(dc);
#else
    HDC dc = GdiCreateSurfaceDC(kItemWidth, kItemHeight, ptrdiff_t{kItemWidth} * 4, pixels.data());
    PaintSymbolPreview(dc, item, matrix);
    GdiReleaseSurfaceDC(dc);
#endif
    return pixels;
}

}  // namespace

int main(int argc, char** argv) {
    UseBinaryStandardStreams();
    if (argc != 7) {
        std::fprintf(stderr, "usage: preview_capture APP_FOLDER LEVEL MODE VERSION MASK HEX_TEXT\n");
        return 2;
    }
    std::string text;
    if (!FromHex(argv[6], &text) ||
        NativePathToWindows(argv[1], gFolder, sizeof gFolder) != ERROR_SUCCESS) {
        std::fprintf(stderr, "preview_capture: bad text or folder\n");
        return 2;
    }
    gMask = std::atoi(argv[5]);
    const QREngineHost host{FindFolder, &gMask};
    SetQREngineHost(&host);
    gPluginState.blocks = &kBlocks;

    static ModuleMatrix matrix;
    matrix.side = 0;
    const ModuleMatrix* painted = nullptr;
    if (!text.empty()) {
        const int32_t rc = EncodeQRSymbol(text.c_str(), argv[2][0], argv[3][0], std::atoi(argv[4]), &matrix);
        if (rc != kQROk) {
            std::fprintf(stderr, "preview_capture: the engine returned %d\n", int(rc));
            return 1;
        }
        painted = &matrix;
    }
    const std::vector<uint32_t> pixels = Paint(painted);
    SetQREngineHost(nullptr);

    std::printf("P6\n%d %d\n255\n", kItemWidth, kItemHeight);
    for (const uint32_t p : pixels) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                      static_cast<unsigned char>(p >> 8),
                                      static_cast<unsigned char>(p)};
        std::fwrite(rgb, 1, 3, stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
