#include "standin/files/temporary_files.h"

#include <unistd.h>

#include <atomic>
#include <cstring>

#if !defined(_WIN32)
#include "standin/files/folder_tree.h"
#endif

namespace standin {
namespace {

// Batches write on a few threads at most: a few places suffice.
constexpr int kPlaces = 64;
constexpr int kPathSize = 4096;

enum State : int { kFree, kFilling, kNoted, kNotedFolder };

// Constant-initialised (all zero, kFree), so that the places lie untouched
// in zeroed memory until a batch notes a file: an initialiser run at start
// would write a word into each of their 64 pages.
struct Place {
    std::atomic<int> state{kFree};
    char path[kPathSize] = {};
};
constinit Place gPlaces[kPlaces];

// Notes `path` in a free place as `state`; its number, or -1.
int Note(const char* path, State state) {
    const size_t length = std::strlen(path);
    if (length >= kPathSize) return -1;
    for (int i = 0; i < kPlaces; ++i) {
        int expected = kFree;
        if (!gPlaces[i].state.compare_exchange_strong(expected, kFilling)) continue;
        std::memcpy(gPlaces[i].path, path, length + 1);
        gPlaces[i].state.store(state);
        return i;
    }
    return -1;
}

}  // namespace

int NoteTemporaryFile(const char* path) { return Note(path, kNoted); }

int NoteTemporaryFolder(const char* path) { return Note(path, kNotedFolder); }

void ForgetTemporaryFile(int number) {
    if (number >= 0 && number < kPlaces) gPlaces[number].state.store(kFree);
}

int RemoveTemporaryFiles() {
    int count = 0;
    for (Place& place : gPlaces) {
        const int state = place.state.load();
        if (state == kNoted) {
            ::unlink(place.path);
        } else if (state == kNotedFolder) {
#if !defined(_WIN32)
            RemoveFolderTreeNow(place.path);
#endif
        } else {
            continue;
        }
        ++count;
    }
    return count;
}

}  // namespace standin
