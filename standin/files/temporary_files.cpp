#include "standin/files/temporary_files.h"

#include <unistd.h>

#include <atomic>
#include <cstring>
#include <ctime>

#if !defined(_WIN32)
#include <pthread.h>
#endif

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

// Threads between creating a temporary file and noting it.
constinit std::atomic<int> gNoting{0};

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
    // The noting thread holds the signals off, so this is another thread:
    // it finishes its note within moments.
#if !defined(_WIN32)
    for (int waited = 0; gNoting.load() > 0 && waited < 1000; ++waited) {
        struct timespec millisecond = {0, 1000000};
        ::nanosleep(&millisecond, nullptr);
    }
#endif
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

NotingTemporaryFile::NotingTemporaryFile() {
#if !defined(_WIN32)
    // Every signal that a handler may take; those of a fault stay open.
    sigset_t held;
    sigfillset(&held);
    for (const int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGABRT})
        sigdelset(&held, signal);
    pthread_sigmask(SIG_BLOCK, &held, &before_);
#endif
    gNoting.fetch_add(1);
}

NotingTemporaryFile::~NotingTemporaryFile() {
    gNoting.fetch_sub(1);
#if !defined(_WIN32)
    pthread_sigmask(SIG_SETMASK, &before_, nullptr);
#endif
}

}  // namespace standin
