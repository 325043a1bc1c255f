// What an interrupt (SIGINT, SIGTERM, SIGHUP, and the other signals sent to
// end a process: SIGQUIT, SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU, SIGVTALRM,
// SIGPROF) does to a run of `orvelk`. By default it removes the temporary
// files of the run (those being written beside their targets, and the
// plug-in's new preferences file), clears a progress line, says that the run
// was interrupted and ends the process with 128 + the signal. A command that
// stops on its own at a safe point (batch) asks to be told instead, and then
// says how far it got; a second interrupt ends it at once all the same (the
// press of Ctrl-C twice), as if it had not asked. A closed pipe (SIGPIPE)
// ends every run at once, its temporary files removed, without a word.
// SIGXFSZ is ignored, so that a write beyond the file size limit fails as a
// write.
#pragma once

#include <sys/types.h>

#include <string>

// Installs the handlers; `terminal` says whether standard error is a
// terminal, where a progress line may be half drawn. Also turns GLib's trap
// on a failed allocation into "out of memory" and status 8.
void InstallInterruptHandlers(bool terminal);

// From now on an interrupt is only noted (and passed on to the processes of
// NoteChildProcess); the caller looks at InterruptSignal at safe points.
void DeferInterrupts();

// The signal of the first interrupt since the start, or 0.
int InterruptSignal();

// The exit status of a run that an interrupt stopped: 128 + the signal.
int InterruptedStatus();

// Passes interrupts on to `pid` (a job of batch); at most a few dozen.
void NoteChildProcess(pid_t pid);

// Forgets the processes of NoteChildProcess and the folder of
// NoteJobsFolder: in a job just started, which has no jobs of its own, and
// whose batch passes its interrupts on to it.
void ForgetChildProcesses();

// Notes the private folder of a batch's `jobs` jobs, so that a run that
// ends at once (a second interrupt, a reader gone) removes it with all it
// holds.
void NoteJobsFolder(const std::string& folder, int jobs);

// Forgets the folder of NoteJobsFolder, once it is removed.
void ForgetJobsFolder();

// Notes the names of the new preferences file that this process's plug-in
// may write in the preferences folder `prefsFolder`, so that an interrupt
// during a save removes it.
void NoteSettingsTemporaryFiles(const std::string& prefsFolder);
