// The temporary files a run has open at the moment, so that an interrupt
// can remove them: a file is noted when it is created and forgotten once it
// has taken its target's name or been removed; so is a folder made under a
// name of its own to be filled. Removing them is safe inside a signal
// handler.
#pragma once

#if !defined(_WIN32)
#include <signal.h>
#endif

namespace standin {

// Notes the temporary file at `path`; returns the note's number for
// ForgetTemporaryFile, or -1 when every place is taken (the file is then
// not removed on an interrupt). Thread-safe.
int NoteTemporaryFile(const char* path);

// Forgets the note `number` of NoteTemporaryFile (-1 does nothing).
void ForgetTemporaryFile(int number);

// Notes the folder at `path`, being filled before it takes its name, so
// that an interrupt removes it with all it holds (links removed, never
// followed); as NoteTemporaryFile otherwise. Forgotten with
// ForgetTemporaryFile. Folders are removed on POSIX systems only.
int NoteTemporaryFolder(const char* path);

// Removes every noted file and folder; async-signal-safe. A file being
// created and noted under a NotingTemporaryFile on another thread is waited
// for (a second at most), so that it is removed too. Returns how many were
// noted.
int RemoveTemporaryFiles();

// While one lives, a temporary file is being created and noted on this
// thread: the signals that end a run are held off this thread, and
// RemoveTemporaryFiles on another waits for it, so that no interrupt falls
// between the file's creation and its note.
class NotingTemporaryFile {
public:
    NotingTemporaryFile();
    ~NotingTemporaryFile();
    NotingTemporaryFile(const NotingTemporaryFile&) = delete;
    NotingTemporaryFile& operator=(const NotingTemporaryFile&) = delete;

private:
#if !defined(_WIN32)
    sigset_t before_;
#endif
};

}  // namespace standin
