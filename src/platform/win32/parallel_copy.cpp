#include "platform/win32/parallel_copy.hpp"

#include "platform/win32/file_copy_win32.hpp"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace parcelkit::win32 {

namespace {

// The requests of one call, taken in turn by whichever thread is free. Nothing waits on
// another thread per file: on Wine every wait and every wake-up is one more request to
// the same service that opens the files.
class CopyWork {
public:
    explicit CopyWork(const std::vector<platform::CopyRequest>& copies)
        : copies_(copies), outcomes_(copies.size()), ready_(new std::atomic<bool>[copies.size()]) {
        for (std::size_t i = 0; i < copies.size(); ++i) {
            ready_[i].store(false, std::memory_order_relaxed);
        }
    }

    // Copies the next request that nobody has taken; false when none is left.
    bool copyNext(std::vector<char>& buffer) {
        const std::size_t index = next_.fetch_add(1);
        if (index >= copies_.size() || stopped_.load()) {
            return false;
        }
        outcomes_[index] = copyWholeFile(copies_[index].from, copies_[index].to, buffer);
        ready_[index].store(true, std::memory_order_release);
        return true;
    }
    bool ready(std::size_t index) const { return ready_[index].load(std::memory_order_acquire); }
    const platform::Outcome& outcome(std::size_t index) const { return *outcomes_[index]; }
    // No request is taken after this; the one under way still ends.
    void stop() { stopped_.store(true); }

private:
    const std::vector<platform::CopyRequest>& copies_;
    std::vector<std::optional<platform::Outcome>> outcomes_;
    std::unique_ptr<std::atomic<bool>[]> ready_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> stopped_{false};
};

} // namespace

// The second thread: it takes requests of the work it is handed until none is left.
class ParallelCopier::Helper {
public:
    Helper() : thread_([this] { run(); }) {}
    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;
    ~Helper() {
        {
            const std::lock_guard lock(mutex_);
            quit_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }

    void start(CopyWork& work) {
        {
            const std::lock_guard lock(mutex_);
            work_ = &work;
        }
        changed_.notify_all();
    }
    // Until the helper has let go of the work it was handed.
    void finish() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return work_ == nullptr; });
    }

private:
    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [&] { return quit_ || work_ != nullptr; });
            if (quit_) {
                return;
            }
            CopyWork& work = *work_;
            lock.unlock();
            while (work.copyNext(buffer_)) {
            }
            lock.lock();
            work_ = nullptr;
            changed_.notify_all();
        }
    }

    std::vector<char> buffer_;
    std::mutex mutex_;
    std::condition_variable changed_;
    CopyWork* work_ = nullptr;
    bool quit_ = false;
    std::thread thread_; // last: it starts running at once
};

ParallelCopier::ParallelCopier() = default;
ParallelCopier::~ParallelCopier() = default;

platform::Outcome ParallelCopier::copy(const std::wstring& from, const std::wstring& to) {
    return copyWholeFile(from, to, buffer_);
}

void ParallelCopier::copy(const std::vector<platform::CopyRequest>& copies,
                          const platform::CopyReport& report) {
    if (!helper_) {
        helper_ = std::make_unique<Helper>();
    }
    CopyWork work(copies);
    std::size_t reported = 0;
    {
        // However the reporting ends, the helper lets go of the work before it is gone: a
        // report that throws must not leave it copying into a directory the caller cleans
        // up. After the caller's last copy no request is left to take, so stopping then
        // only waits for the helper's last one.
        struct Release {
            CopyWork& work;
            Helper& helper;
            ~Release() {
                work.stop();
                helper.finish();
            }
        } release{work, *helper_};
        helper_->start(work);
        // The caller copies too, and reports whatever has ended in order after each of its
        // own.
        while (work.copyNext(buffer_)) {
            for (; reported < copies.size() && work.ready(reported); ++reported) {
                report(reported, work.outcome(reported));
            }
        }
    }
    for (; reported < copies.size(); ++reported) {
        report(reported, work.outcome(reported));
    }
}

} // namespace parcelkit::win32
