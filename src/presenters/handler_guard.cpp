#include "presenters/handler_guard.hpp"

namespace parcelkit::presenters {

void HandlerGuard::connect(FailureReport report, std::function<void()> endProgram) {
    report_ = std::move(report);
    endProgram_ = std::move(endProgram);
    connected_ = true;
}

void HandlerGuard::fail(const std::exception& error) noexcept {
    // A handler that goes on after a handler it called failed has nothing more to say.
    if (failed_) {
        return;
    }
    // Closed first: the handlers that the report's box lets run find nothing to do.
    failed_ = true;
    try {
        if (report_) {
            report_(error);
        }
    } catch (...) {
        // A report that fails itself still ends the program.
    }
    if (endProgram_) {
        endProgram_();
    }
}

} // namespace parcelkit::presenters
