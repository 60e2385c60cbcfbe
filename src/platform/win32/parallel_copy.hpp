#pragma once

#include "platform/file_system.hpp"

namespace parcelkit::win32 {

// Copies the pairs with copyWholeFile on the calling thread and one more, and reports each
// outcome on the calling thread in request order. A small file costs more in system calls
// than in bytes; two threads keep both the program and the system's file service busy
// (more measured no faster).
// One buffer for each thread, kept from call to call: a buffer freshly allocated costs the
// system a page fault for each of its pages.
struct CopyBuffers {
    std::vector<char> caller;
    std::vector<char> helper;
};

void copyInParallel(const std::vector<platform::CopyRequest>& copies,
                    const platform::CopyReport& report, CopyBuffers& buffers);

} // namespace parcelkit::win32
