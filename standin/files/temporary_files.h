// The temporary files a run has open at the moment, so that an interrupt
// can remove them: a file is noted when it is created and forgotten once it
// has taken its target's name or been removed. Removing them is safe inside
// a signal handler.
#pragma once

namespace standin {

// Notes the temporary file at `path`; returns the note's number for
// ForgetTemporaryFile, or -1 when every place is taken (the file is then
// not removed on an interrupt). Thread-safe.
int NoteTemporaryFile(const char* path);

// Forgets the note `number` of NoteTemporaryFile (-1 does nothing).
void ForgetTemporaryFile(int number);

// Removes every noted file; async-signal-safe. Returns how many were noted.
int RemoveTemporaryFiles();

}  // namespace standin
