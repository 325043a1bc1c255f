#include "standin/files/background_writer.h"

#include "standin/files/replace_file.h"

namespace standin {

BackgroundWriter::BackgroundWriter(size_t maxQueuedBytes)
    : maxQueuedBytes_(maxQueuedBytes), thread_([this] { Work(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    work_.notify_one();
    thread_.join();
}

void BackgroundWriter::Write(long tag, std::string path, std::string bytes) {
    std::unique_lock<std::mutex> lock(mutex_);
    // One file larger than the limit still goes, once nothing else waits.
    ++waiting_;
    room_.wait(lock, [&] {
        return queue_.empty() || queuedBytes_ + bytes.size() <= maxQueuedBytes_;
    });
    --waiting_;
    queuedBytes_ += bytes.size();
    queue_.push_back(Job{tag, std::move(path), std::move(bytes)});
    // Waking the writer costs a system call: only when it sleeps.
    const bool wake = idle_;
    lock.unlock();
    if (wake) work_.notify_one();
}

void BackgroundWriter::Finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (idle_ && !queue_.empty()) work_.notify_one();
    ++waiting_;
    room_.wait(lock, [&] { return queue_.empty() && !busy_; });
    --waiting_;
}

std::vector<BackgroundWriter::Failure> BackgroundWriter::TakeFailures() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(failures_, {});
}

void BackgroundWriter::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        idle_ = true;
        work_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        idle_ = false;
        if (queue_.empty()) return;  // stopping, and everything is written
        Job job = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        std::string why;
        const bool written = ReplaceFileWith(job.path, job.bytes, &why);
        const size_t size = job.bytes.size();
        const long tag = job.tag;
        job = Job{};  // the bytes go before the lock is taken again
        lock.lock();
        busy_ = false;
        queuedBytes_ -= size;
        if (!written) failures_.push_back(Failure{tag, std::move(why)});
        if (waiting_ > 0) room_.notify_all();
    }
}

}  // namespace standin
