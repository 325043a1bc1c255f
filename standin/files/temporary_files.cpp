#include "standin/files/temporary_files.h"

#include <unistd.h>

#include <atomic>
#include <cstring>

namespace standin {
namespace {

// Batches write on a few threads at most: a few places suffice.
constexpr int kPlaces = 64;
constexpr int kPathSize = 4096;

enum State : int { kFree, kFilling, kNoted };

// Constant-initialised (all zero, kFree), so that the places lie untouched
// in zeroed memory until a batch notes a file: an initialiser run at start
// would write a word into each of their 64 pages.
struct Place {
    std::atomic<int> state{kFree};
    char path[kPathSize] = {};
};
constinit Place gPlaces[kPlaces];

}  // namespace

int NoteTemporaryFile(const char* path) {
    const size_t length = std::strlen(path);
    if (length >= kPathSize) return -1;
    for (int i = 0; i < kPlaces; ++i) {
        int expected = kFree;
        if (!gPlaces[i].state.compare_exchange_strong(expected, kFilling)) continue;
        std::memcpy(gPlaces[i].path, path, length + 1);
        gPlaces[i].state.store(kNoted);
        return i;
    }
    return -1;
}

void ForgetTemporaryFile(int number) {
    if (number >= 0 && number < kPlaces) gPlaces[number].state.store(kFree);
}

int RemoveTemporaryFiles() {
    int count = 0;
    for (Place& place : gPlaces) {
        if (place.state.load() != kNoted) continue;
        ::unlink(place.path);
        ++count;
    }
    return count;
}

}  // namespace standin
