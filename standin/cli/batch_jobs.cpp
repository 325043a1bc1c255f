#include "standin/cli/batch_jobs.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "standin/cli/interrupts.h"
#include "standin/cli/options.h"

namespace {

// Copies the whole of `from` (rewound) to `to`, and closes `from`.
void CopyAndClose(FILE* from, FILE* to) {
    std::rewind(from);
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, from)) > 0) std::fwrite(buffer, 1, n, to);
    std::fclose(from);
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
        child.out = std::tmpfile();
        if (child.out != nullptr) child.err = std::tmpfile();
        if (child.out == nullptr || child.err == nullptr) {
            notStarted[static_cast<size_t>(j)] =
                std::string("cannot make its files for messages in the temporary folder: ") +
                std::strerror(errno);
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
            const int status = work(share);
            std::fflush(child.out);
            std::fflush(child.err);
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
        if (child.out != nullptr) CopyAndClose(child.out, out);
        if (child.err != nullptr) CopyAndClose(child.err, err);
        if (waited == child.pid && WIFEXITED(raw)) {
            statuses.push_back(WEXITSTATUS(raw));
            continue;
        }
        const size_t begin = JobBegin(count, j, jobs) + 1, end = JobBegin(count, j + 1, jobs);
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
