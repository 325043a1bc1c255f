#include "standin/cli/batch_jobs.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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
    for (int j = 0; j < jobs; ++j) {
        JobShare share;
        share.begin = count * j / jobs;
        share.end = count * (j + 1) / jobs;
        share.actionsPath = actionsFolder + "/job-" + std::to_string(j) + ".json";
        actionFiles->push_back(share.actionsPath);
        Child& child = children[static_cast<size_t>(j)];
        child.out = std::tmpfile();
        child.err = std::tmpfile();
        if (child.out == nullptr || child.err == nullptr) continue;
        child.pid = fork();
        if (child.pid == 0) {
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
    for (Child& child : children) {
        int raw = 0;
        const bool ran = child.pid > 0 && waitpid(child.pid, &raw, 0) == child.pid;
        if (child.out != nullptr) CopyAndClose(child.out, out);
        if (child.err != nullptr) CopyAndClose(child.err, err);
        if (ran && WIFEXITED(raw)) {
            statuses.push_back(WEXITSTATUS(raw));
        } else {
            PrintError(err, command, "a job did not run to its end");
            statuses.push_back(kExitSomeFailed);
        }
    }
    return statuses;
}

int CombineJobStatuses(const std::vector<int>& statuses) {
    for (const int grave :
         {kExitTableFile, kExitPluginFailure, kExitUsage, kExitWriteFailed, kExitSomeFailed}) {
        for (const int s : statuses)
            if (s == grave) return grave;
    }
    for (const int s : statuses)
        if (s != kExitOk) return s;
    return kExitOk;
}
