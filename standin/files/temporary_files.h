// The temporary files a run has open at the moment, so that an interrupt
// can remove them: a file is noted when it is created and forgotten once it
// has taken its target's name or been removed; so is a folder made under a
// name of its own to be filled. Removing them is safe inside a signal
// handler.
#pragma once

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

// Removes every noted file and folder; async-signal-safe. Returns how many
// were noted.
int RemoveTemporaryFiles();

}  // namespace standin
