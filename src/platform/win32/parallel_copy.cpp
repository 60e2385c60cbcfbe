#include "platform/win32/parallel_copy.hpp"

#include "platform/win32/file_copy_win32.hpp"

#include <atomic>
#include <memory>
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
    void copyAll(std::vector<char>& buffer) {
        while (copyNext(buffer)) {
        }
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

// A second thread that copies beside the caller, ended however the caller's part ends: a
// report that throws must not leave it copying into a directory the caller cleans up.
class Helper {
public:
    Helper(CopyWork& work, std::vector<char>& buffer)
        : work_(work), thread_([&work, &buffer] { work.copyAll(buffer); }) {}
    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;
    ~Helper() {
        work_.stop();
        join();
    }
    void join() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }

private:
    CopyWork& work_;
    std::thread thread_;
};

} // namespace

void copyInParallel(const std::vector<platform::CopyRequest>& copies,
                    const platform::CopyReport& report, CopyBuffers& buffers) {
    CopyWork work(copies);
    Helper helper(work, buffers.helper);
    std::vector<char>& buffer = buffers.caller;
    std::size_t reported = 0;
    // The caller copies too, and reports whatever has ended in order after each of its own.
    while (work.copyNext(buffer)) {
        for (; reported < copies.size() && work.ready(reported); ++reported) {
            report(reported, work.outcome(reported));
        }
    }
    helper.join();
    for (; reported < copies.size(); ++reported) {
        report(reported, work.outcome(reported));
    }
}

} // namespace parcelkit::win32
