#include "fuzz/fuzz_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/win_path.h"
#include "qr/engine_host.h"

namespace {

std::string gHostFolder;  // the Windows form of the engine host's folder

int32_t FindFuzzAppFolder(char* folder) {
    std::memset(folder, 0, kAppFolderSize);
    if (gHostFolder.size() >= static_cast<size_t>(kAppFolderSize)) return -1;
    std::memcpy(folder, gHostFolder.c_str(), gHostFolder.size());
    return 0;
}

bool Dark(const ModuleMatrix& s, int column, int row) {
    return s.modules[column * kMaxSide + row] != 0;
}

// The finder pattern with its corner at (c0, r0): rings 0 and 2 dark, 1 light.
void CheckFinder(const ModuleMatrix& s, int c0, int r0) {
    for (int dc = 0; dc < 7; ++dc)
        for (int dr = 0; dr < 7; ++dr) {
            const int ring = std::max(std::abs(dc - 3), std::abs(dr - 3));
            FUZZ_CHECK(Dark(s, c0 + dc, r0 + dr) == (ring != 2), "a finder pattern");
        }
}

// The 15-bit format codeword of five data bits: BCH (15,5) with the
// generator 10100110111, masked with 101010000010010.
int FormatCodeword(int data) {
    int remainder = data << 10;
    for (int bit = 14; bit >= 10; --bit)
        if (remainder & (1 << bit)) remainder ^= 0x537 << (bit - 10);
    return ((data << 10) | remainder) ^ 0x5412;
}

}  // namespace

void FuzzCheckFailed(const char* file, int line, const char* condition, const char* what) {
    std::fprintf(stderr, "%s:%d: check failed: %s (%s)\n", file, line, condition, what);
    std::abort();
}

const std::string& FuzzFolder() {
    static const std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string f = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") +
                        "/orvelk-fuzz-" + std::to_string(::getpid()) + "/";
        ::mkdir(f.c_str(), 0700);
        return f;
    }();
    return folder;
}

void WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(f != nullptr, path.c_str());
    FUZZ_CHECK(size == 0 || std::fwrite(data, 1, size, f) == size, path.c_str());
    FUZZ_CHECK(std::fclose(f) == 0, path.c_str());
}

void InstallFuzzEngineHost(const std::string& folder, const int32_t* mask) {
    char windows[kAppFolderSize];
    FUZZ_CHECK(NativePathToWindows(folder.c_str(), windows, sizeof windows) == ERROR_SUCCESS,
               folder.c_str());
    gHostFolder = windows;
    const QREngineHost host = {FindFuzzAppFolder, mask};
    SetQREngineHost(&host);
}

void CheckSymbol(const ModuleMatrix& s, int32_t version, char levelChar, int32_t maskSetting) {
    const int side = s.side;
    FUZZ_CHECK(side >= 21 && side <= kMaxSide && (side - 17) % 4 == 0, "the side of a version");
    if (version != 0) FUZZ_CHECK(side == 4 * version + 17, "the side of the version asked for");
    for (int c = 0; c < side; ++c)
        for (int r = 0; r < side; ++r)
            FUZZ_CHECK(s.modules[c * kMaxSide + r] <= 1, "modules of 0 and 1");
    CheckFinder(s, 0, 0);
    CheckFinder(s, side - 7, 0);
    CheckFinder(s, 0, side - 7);
    for (int i = 8; i < side - 8; ++i) {
        FUZZ_CHECK(Dark(s, i, 6) == (i % 2 == 0), "the horizontal timing pattern");
        FUZZ_CHECK(Dark(s, 6, i) == (i % 2 == 0), "the vertical timing pattern");
    }
    FUZZ_CHECK(Dark(s, 8, side - 8), "the dark module");

    // The first copy, most significant bit first: row 8 from column 0 to 8
    // (skipping the timing column), then column 8 from row 7 up to row 0.
    int word = 0;
    for (int c = 0; c <= 8; ++c)
        if (c != 6) word = (word << 1) | (Dark(s, c, 8) ? 1 : 0);
    for (int r = 7; r >= 0; --r)
        if (r != 6) word = (word << 1) | (Dark(s, 8, r) ? 1 : 0);
    const int levelBits = levelChar == 'L' ? 1 : levelChar == 'Q' ? 3 : levelChar == 'H' ? 2 : 0;
    bool found = false;
    for (int mask = 0; mask < 8; ++mask) {
        if (maskSetting >= 1 && maskSetting <= 8 && mask != maskSetting - 1) continue;
        found |= FormatCodeword((levelBits << 3) | mask) == word;
    }
    FUZZ_CHECK(found, "format information of the level and the mask");
}
