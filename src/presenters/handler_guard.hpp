#pragma once

#include <exception>
#include <functional>
#include <stdexcept>

namespace parcelkit::presenters {

// Called with the exception that a window's handler let through.
using FailureReport = std::function<void(const std::exception&)>;

// The exit code of a program that a failed handler ended: what Windows installers return
// for a fatal error.
inline constexpr int kFatalErrorExitCode = 1603;

// Runs the handlers of one program's windows. An exception must not unwind through the
// system's code that called a window: the first one is reported and the program is asked to
// end. No handler runs before the guard is connected, nor after a failure, since what the
// handlers work on may have been left half changed.
class HandlerGuard {
public:
    void connect(FailureReport report, std::function<void()> endProgram);
    // What the handlers work on is gone: the windows' last messages reach nothing.
    void disconnect() { connected_ = false; }
    bool open() const { return connected_ && !failed_; }
    bool failed() const { return failed_; }

    // True when the handler ran to its end.
    template <typename Handler> bool run(Handler&& handler) noexcept {
        if (!open()) {
            return false;
        }
        try {
            handler();
            return true;
        } catch (const std::exception& error) {
            fail(error);
        } catch (...) {
            fail(std::runtime_error("unknown exception"));
        }
        return false;
    }

private:
    void fail(const std::exception& error) noexcept;

    FailureReport report_;
    std::function<void()> endProgram_;
    bool connected_ = false;
    bool failed_ = false;
};

} // namespace parcelkit::presenters
