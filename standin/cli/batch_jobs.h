// `orvelk batch --jobs N`: the lines shared out to N processes. The plug-in
// and the stand-in's host serve one thread, so each process is a whole host
// of its own that places a contiguous run of the lines; what the processes
// print is passed on in line order once they are done, so that N processes
// write the same files, the same dump and the same messages as one.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// The share of one process: lines [begin, end) (0-based), the streams it
// prints on, a file for the actions it placed, and a pipe to which it writes
// one byte per line done.
struct JobShare {
    size_t begin = 0, end = 0;
    FILE* out = nullptr;
    FILE* err = nullptr;
    std::string actionsPath;
    // Whether actionsPath is the user's own set (one process), rather than a
    // job's part that the parent reads back.
    bool usersSet = false;
    int progressFd = -1;
};

// Places one share in the calling process and returns its exit status.
using JobWork = std::function<int(const JobShare& share)>;

// The status of a job that could not be started or did not run to its end
// (it was killed, say): its lines are not all placed, and its files are not
// to be trusted.
inline constexpr int kJobDidNotEnd = -1;

// The lines [begin, end) of job `job` of `jobs` over `count` lines.
inline size_t JobBegin(size_t count, int job, int jobs) {
    return count * static_cast<size_t>(job) / static_cast<size_t>(jobs);
}

// "line 3", or "lines 1-4": lines `first` to `last`, numbered from 1.
inline std::string LinesText(size_t first, size_t last) {
    std::string text = first == last ? "line " : "lines ";
    text += std::to_string(first);
    if (first == last) return text;
    text += '-';
    text += std::to_string(last);
    return text;
}

// Runs `work` in `jobs` child processes over `count` lines. While they run,
// a progress line "line K of N" shows on `err` when `progress` is set; then
// each child's output and messages are copied to `out` and `err` in line
// order. `actionsFolder` (an existing folder) receives the children's action
// files, whose paths come back in *actionFiles, in order, and their output
// and messages, whose names are removed at once. A child whose output or
// messages were cut short says so and exits with kExitWriteFailed; one whose
// output or messages cannot be read back is named, and so is a failed write
// of `out`, each giving kExitWriteFailed. Interrupts reach the children,
// which stop at their next line. Returns the children's exit statuses, in
// order: kJobDidNotEnd for a child that could not be started or ended
// abnormally, which is said with its lines and the reason.
std::vector<int> RunJobs(size_t count, int jobs, const JobWork& work, const char* command,
                         bool progress, const std::string& actionsFolder,
                         std::vector<std::string>* actionFiles, FILE* out, FILE* err);

// The status of a whole run from its jobs' statuses: the gravest of them
// (the table file, then the plug-ins, usage, writing, failed lines; a job
// that did not end counts as failed lines).
int CombineJobStatuses(const std::vector<int>& statuses);
