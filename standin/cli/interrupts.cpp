#include "standin/cli/interrupts.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <unistd.h>

#include "standin/files/temporary_files.h"
#if !defined(_WIN32)
#include "standin/files/folder_tree.h"
#endif

namespace {

volatile std::sig_atomic_t gSignal = 0;
volatile std::sig_atomic_t gDeferred = 0;
// The interrupts sent to this process [0], and those its batch passed on to
// it as a job [1] (gInJob): how many, and when the first came.
volatile std::sig_atomic_t gCount[2] = {0, 0};
volatile std::sig_atomic_t gInJob = 0;
#if !defined(_WIN32)
struct timespec gFirst[2];
// A signal this soon after the first is the same event told twice:
// timeout(1) sends it to the process and then to its group.
constexpr long kSameEventNanoseconds = 250'000'000;
#endif
bool gTerminal = false;

constexpr int kMaxChildren = 64;
volatile pid_t gChildren[kMaxChildren];
volatile std::sig_atomic_t gChildCount = 0;

// The batch jobs' folder of NoteJobsFolder; its path is complete once gJobs
// (the number of its jobs, 0: none noted) is set.
char gJobsFolder[4096];
volatile std::sig_atomic_t gJobs = 0;

// Writes a NUL-terminated text to standard error from a handler.
void Say(const char* text) { (void)!::write(2, text, std::strlen(text)); }

// Removes what the run was writing: its temporary files and the jobs' folder.
void RemoveWhatIsBeingWritten() {
    standin::RemoveTemporaryFiles();
#if !defined(_WIN32)
    if (gJobs != 0) standin::RemoveFolderTreeNow(gJobsFolder);
#endif
}

// Whether an interrupt of kind `kind` (see gCount) is a second one, rather
// than the first or the first told again.
bool SecondInterrupt(int kind) {
#if defined(_WIN32)
    gCount[kind] = gCount[kind] + 1;
    return gCount[kind] > 1;
#else
    struct timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    if (gCount[kind] == 0) {
        gFirst[kind] = now;
        gCount[kind] = 1;
        return false;
    }
    const long long since = (now.tv_sec - gFirst[kind].tv_sec) * 1'000'000'000LL +
                            (now.tv_nsec - gFirst[kind].tv_nsec);
    if (since < kSameEventNanoseconds) return false;
    gCount[kind] = gCount[kind] + 1;
    return true;
#endif
}

// Notes the signal and passes it on to the jobs; unless deferred, removes
// the files being written and ends the run with 128 + the signal. A second
// signal while deferred ends the run so as well: a run stuck where it does
// not look (a write into a pipe nobody reads) is not held by the deferral.
// `forwarded` says that a job's batch passed the signal on: a Ctrl-C reaches
// a job both from the terminal and from its batch, which is one press.
void Interrupted(int signal, bool forwarded) {
    const bool second = SecondInterrupt(forwarded ? 1 : 0);
    if (gSignal == 0) gSignal = signal;
#if !defined(_WIN32)
    for (int i = 0; i < gChildCount; ++i) ::kill(gChildren[i], signal);
    // A reader that went away (| head) ends the run at once, as it ends any
    // writer's, and without a word: nothing more of it is wanted.
    if (signal == SIGPIPE) {
        RemoveWhatIsBeingWritten();
        ::_exit(128 + signal);
    }
#endif
    if (gDeferred != 0 && !second) return;
    RemoveWhatIsBeingWritten();
    if (gTerminal) Say("\r\033[K");
    Say("orvelk: interrupted: the files being written were removed; those written before "
        "are kept, the rest are as they were\n");
    ::_exit(128 + signal);
}

#if defined(_WIN32)
// The handler of an interrupt.
void OnInterrupt(int signal) {
    Interrupted(signal, false);
}
#else
// The handler of an interrupt: in a job, one its batch passed on is told
// from one sent to the job itself.
void OnInterrupt(int signal, siginfo_t* info, void*) {
    Interrupted(signal, gInJob != 0 && info != nullptr && info->si_code == SI_USER &&
                            info->si_pid == ::getppid());
}
#endif

#if !defined(_WIN32)
// GLib ends the process with a breakpoint trap when it cannot get memory or
// a thread (pango's font threads under a low limit): said as what it is, with
// the files being written removed, and the status of a failed write.
void OnLibraryTrap(int) {
    RemoveWhatIsBeingWritten();
    if (gTerminal) Say("\r\033[K");
    Say("orvelk: out of memory (or of threads): a library the run draws with stopped it; the "
        "files being written were removed\n");
    ::_exit(8);
}
#endif

}  // namespace

void InstallInterruptHandlers(bool terminal) {
    gTerminal = terminal;
#if defined(_WIN32)
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
#else
    // The signals sent to end the process, rather than raised by a fault of
    // its own (those keep their core dump): each ends the run as an
    // interrupt does, its temporary files removed.
    static constexpr int kEnding[] = {SIGINT,  SIGTERM, SIGHUP,    SIGQUIT, SIGALRM, SIGUSR1,
                                      SIGUSR2, SIGXCPU, SIGVTALRM, SIGPROF, SIGPIPE};
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_sigaction = OnInterrupt;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    for (const int signal : kEnding) sigaddset(&action.sa_mask, signal);
    for (const int signal : kEnding) {
        struct sigaction old;
        // A signal ignored by whoever started us (nohup, a background job)
        // stays ignored, and one a library handles before us (a profiler's
        // SIGPROF) stays its.
        if (sigaction(signal, nullptr, &old) != 0 || old.sa_handler != SIG_DFL) continue;
        sigaction(signal, &action, nullptr);
    }
    // A write beyond the file size limit (ulimit -f) fails with EFBIG, which
    // the writers report, instead of ending the process in the middle.
    ::signal(SIGXFSZ, SIG_IGN);
    action.sa_flags = 0;
    action.sa_handler = OnLibraryTrap;
    sigaction(SIGTRAP, &action, nullptr);
#endif
}

void DeferInterrupts() { gDeferred = 1; }

int InterruptSignal() { return gSignal; }

int InterruptedStatus() { return 128 + gSignal; }

void NoteChildProcess(pid_t pid) {
    if (gChildCount < kMaxChildren) {
        gChildren[gChildCount] = pid;
        gChildCount = gChildCount + 1;
    }
}

void ForgetChildProcesses() {
    gChildCount = 0;
    gJobs = 0;
    gInJob = 1;
    gCount[0] = 0;
    gCount[1] = 0;
}

void NoteJobsFolder(const std::string& folder, int jobs) {
    gJobs = 0;
    if (folder.size() >= sizeof gJobsFolder) return;
    std::memcpy(gJobsFolder, folder.c_str(), folder.size() + 1);
    gJobs = jobs;
}

void ForgetJobsFolder() {
    gJobs = 0;
}

void NoteSettingsTemporaryFiles(const std::string& prefsFolder) {
#if !defined(_WIN32)
    // The plug-in names its new file by the process id in hex and a count
    // from 0 that each try moves on; a run saves once.
    for (unsigned n = 0; n < 4; ++n) {
        char name[64];
        std::snprintf(name, sizeof name, "/Orvelk.%lX-%u.tmp",
                      static_cast<unsigned long>(::getpid()), n);
        standin::NoteTemporaryFile((prefsFolder + name).c_str());
    }
#else
    (void)prefsFolder;
#endif
}
