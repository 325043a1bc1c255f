// Files written on a thread of their own, so that a batch renders its next
// symbol while the system copies the last one's bytes: each file is written
// as ReplaceFileWith writes it, in the order given, and a failure is kept
// with the caller's tag until the caller takes it.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace standin {

class BackgroundWriter {
  public:
    // A failed write: the caller's tag and the reason, naming the file.
    struct Failure {
        long tag;
        std::string why;
    };

    // At most `maxQueuedBytes` wait to be written; Write blocks beyond that.
    explicit BackgroundWriter(size_t maxQueuedBytes = size_t{32} << 20);
    // Writes whatever is still queued before it returns.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Queues `bytes` to replace the file at `path`.
    void Write(long tag, std::string path, std::string bytes);
    // Waits until every queued file is written.
    void Finish();
    // The failures since the last call, in the order of their writes.
    std::vector<Failure> TakeFailures();

  private:
    struct Job {
        long tag;
        std::string path;
        std::string bytes;
    };
    void Work();

    const size_t maxQueuedBytes_;
    std::mutex mutex_;
    std::condition_variable work_;  // the writer waits here for files
    std::condition_variable room_;  // Write and Finish wait here for the writer
    std::deque<Job> queue_;
    size_t queuedBytes_ = 0;
    int waiting_ = 0;    // callers waiting on room_
    bool idle_ = false;  // the writer waits on work_
    bool busy_ = false;  // the writer writes a file taken from the queue
    bool stopping_ = false;
    std::vector<Failure> failures_;
    std::thread thread_;
};

}  // namespace standin
