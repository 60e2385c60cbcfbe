#pragma once

#include "platform/file_system.hpp"

#include <memory>

namespace parcelkit::win32 {

// Copies with copyWholeFile on the calling thread and one more, and reports each outcome
// on the calling thread in request order. A small file costs more in system calls than in
// bytes; two threads keep both the program and the system's file service busy (more
// measured no faster). The second thread and both buffers are kept from call to call: on
// Wine a new thread clears a megabyte of stack, and a new buffer costs a page fault per
// page.
class ParallelCopier {
public:
    ParallelCopier();
    ~ParallelCopier();
    ParallelCopier(const ParallelCopier&) = delete;
    ParallelCopier& operator=(const ParallelCopier&) = delete;

    // One file, on the calling thread.
    platform::Outcome copy(const std::wstring& from, const std::wstring& to);
    // Two files or more; one is not worth the second thread.
    void copy(const std::vector<platform::CopyRequest>& copies, const platform::CopyReport& report);

private:
    class Helper;
    std::vector<char> buffer_;
    std::unique_ptr<Helper> helper_; // started by the first call with two files or more
};

} // namespace parcelkit::win32
