#include "standin/cli/batch_jobs.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "standin/cli/interrupts.h"
#include "standin/cli/options.h"

namespace {

// Copies the whole of `from` (rewound) to `to`, and closes `from`. Notes in
// *readError the errno of a failed read of `from` (-1 when it is not known)
// and in *writeError that of a failed write of `to`.
void CopyAndClose(FILE* from, FILE* to, int* readError, int* writeError) {
    char buffer[65536];
    size_t n;
    if (std::fseek(from, 0, SEEK_SET) != 0) *readError = errno;
    while (*readError == 0 && (n = std::fread(buffer, 1, sizeof buffer, from)) > 0) {
        if (std::fwrite(buffer, 1, n, to) != n && *writeError == 0) *writeError = errno;
    }
    if (*readError == 0 && std::ferror(from)) *readError = errno ? errno : -1;
    std::fclose(from);
}

// ": REASON" for an errno noted by CopyAndClose or KeptWhole, "" when it is
// not known.
std::string Reason(int error) {
    return error > 0 ? std::string(": ") + std::strerror(error) : std::string();
}

// A file for job `job`'s output or messages (`ending` .out or .err) in the
// jobs' `folder`, open for writing and reading back, its name removed at once
// so that nothing is left of it however the run ends. Null with errno set when
// it cannot be made.
FILE* JobFile(const std::string& folder, int job, const char* ending) {
    std::string path = folder + "/job-";
    path += std::to_string(job);
    path += ending;
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return nullptr;
    unlink(path.c_str());
    FILE* file = fdopen(fd, "w+");
    if (file == nullptr) {
        const int error = errno;
        close(fd);
        errno = error;
    }
    return file;
}

// Whether all that was written to `file` reached it; the errno of the
// failure in *error otherwise (0 when it is not known).
bool KeptWhole(FILE* file, int* error) {
    errno = 0;
    if (std::fflush(file) != 0) {
        *error = errno;
        return false;
    }
    *error = 0;
    return !std::ferror(file);
}

struct Child {
    pid_t pid = -1;
    FILE* out = nullptr;
    FILE* err = nullptr;
};

}  // namespace

std::vector<int> RunJobs(size_t count, int jobs, const JobWork& work, const char* command,
                         bool progress, const std::string& actionsFolder,
                         std::vector<std::string>* actionFiles, FILE* out, FILE* err) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        PrintError(err, command, "cannot start the jobs: %s", std::strerror(errno));
        return {kExitSomeFailed};
    }
    std::fflush(out);
    std::fflush(err);
    std::vector<Child> children(static_cast<size_t>(jobs));
    actionFiles->clear();
    std::vector<std::string> notStarted(static_cast<size_t>(jobs));
    for (int j = 0; j < jobs; ++j) {
        JobShare share;
        share.begin = JobBegin(count, j, jobs);
        share.end = JobBegin(count, j + 1, jobs);
        share.actionsPath = actionsFolder + "/job-" + std::to_string(j) + ".json";
        actionFiles->push_back(share.actionsPath);
        Child& child = children[static_cast<size_t>(j)];
        child.out = JobFile(actionsFolder, j, ".out");
        if (child.out != nullptr) child.err = JobFile(actionsFolder, j, ".err");
        if (child.out == nullptr || child.err == nullptr) {
            notStarted[static_cast<size_t>(j)] = "cannot make its files for messages in " +
                                                 actionsFolder + ": " + std::strerror(errno);
            continue;
        }
        child.pid = fork();
        if (child.pid < 0) {
            notStarted[static_cast<size_t>(j)] = std::strerror(errno);
            continue;
        }
        if (child.pid > 0) NoteChildProcess(child.pid);
        if (child.pid == 0) {
            ForgetChildProcesses();
            close(pipeFds[0]);
            share.out = child.out;
            share.err = child.err;
            share.progressFd = pipeFds[1];
            int status = work(share);
            // The job's dump or messages cut short are said by the job itself,
            // straight on the batch's own standard error.
            const std::string lines = LinesText(share.begin + 1, share.end);
            for (FILE* file : {child.out, child.err}) {
                int error = 0;
                if (KeptWhole(file, &error)) continue;
                if (progress) std::fputs("\r\033[K", err);
                PrintError(err, command, "the job of %s could not keep its %s in %s%s; %s",
                           lines.c_str(), file == child.out ? "dump" : "messages",
                           actionsFolder.c_str(), Reason(error).c_str(),
                           file == child.out ? "it is cut short" : "they are cut short");
                status = CombineJobStatuses({status, kExitWriteFailed});
            }
            _exit(status);  // nothing of the parent's state is torn down twice
        }
    }
    close(pipeFds[1]);
    // An interrupt that came while the jobs were being started reaches them too.
    if (const int signal = InterruptSignal(); signal != 0)
        for (const Child& child : children)
            if (child.pid > 0) kill(child.pid, signal);
    // One byte arrives for every line done; the pipe ends when every child has.
    size_t done = 0;
    char bytes[256];
    ssize_t n;
    while ((n = read(pipeFds[0], bytes, sizeof bytes)) != 0) {
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        done += static_cast<size_t>(n);
        if (progress) std::fprintf(err, "\rorvelk %s: line %zu of %zu\033[K", command, done, count);
    }
    close(pipeFds[0]);
    if (progress) std::fputs("\r\033[K", err);

    std::vector<int> statuses;
    for (int j = 0; j < jobs; ++j) {
        Child& child = children[static_cast<size_t>(j)];
        int raw = 0;
        pid_t waited = -1;
        if (child.pid > 0) {
            do {
                waited = waitpid(child.pid, &raw, 0);
            } while (waited < 0 && errno == EINTR);
        }
        const size_t begin = JobBegin(count, j, jobs) + 1, end = JobBegin(count, j + 1, jobs);
        int outRead = 0, errRead = 0, outWrite = 0, errWrite = 0;
        if (child.out != nullptr) CopyAndClose(child.out, out, &outRead, &outWrite);
        if (child.err != nullptr) CopyAndClose(child.err, err, &errRead, &errWrite);
        int lost = kExitOk;
        for (const bool dump : {true, false}) {
            const int error = dump ? outRead : errRead;
            if (error == 0) continue;
            PrintError(err, command, "the job of %s: its %s cannot be read back from %s%s; %s",
                       LinesText(begin, end).c_str(), dump ? "dump" : "messages",
                       actionsFolder.c_str(), Reason(error).c_str(),
                       dump ? "it is lost" : "they are lost");
            lost = kExitWriteFailed;
        }
        if (outWrite != 0) {
            ReportStandardOutputFailure(out, err, command, outWrite);
            lost = kExitWriteFailed;
        }
        if (waited == child.pid && WIFEXITED(raw)) {
            statuses.push_back(CombineJobStatuses({WEXITSTATUS(raw), lost}));
            continue;
        }
        std::string why;
        if (child.pid <= 0) {
            why = "could not start: " + notStarted[static_cast<size_t>(j)];
        } else if (waited == child.pid && WIFSIGNALED(raw)) {
            why = "was ended by signal " + std::to_string(WTERMSIG(raw)) + " (" +
                  strsignal(WTERMSIG(raw)) + ")";
        } else {
            why = std::string("did not run to its end: ") + std::strerror(errno);
        }
        PrintError(err, command, "the job of %s %s: its lines may not all be placed",
                   LinesText(begin, end).c_str(), why.c_str());
        statuses.push_back(kJobDidNotEnd);
    }
    return statuses;
}

int CombineJobStatuses(const std::vector<int>& statuses) {
    for (const int grave :
         {kExitTableFile, kExitPluginFailure, kExitUsage, kExitWriteFailed, kExitSomeFailed}) {
        for (const int s : statuses)
            if (s == grave || (s == kJobDidNotEnd && grave == kExitSomeFailed)) return grave;
    }
    for (const int s : statuses)
        if (s != kExitOk) return s;
    return kExitOk;
}
