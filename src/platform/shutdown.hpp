#pragma once

#include "platform/outcome.hpp"

#include <string>

namespace parcelkit::platform {

// ExitWindowsEx flags of the 9x family.
inline constexpr unsigned kExitShutdown = 1;
inline constexpr unsigned kExitReboot = 2;
inline constexpr unsigned kExitForce = 4;

// The system calls that restart Windows. Which of them run, in which order and with which
// flags is decided by the portable caller, so that the decision can be tested.
class Shutdown {
public:
    virtual ~Shutdown() = default;

    // The 9x family reports itself by the high bit of the version word.
    virtual bool nineFamily() const = 0;
    // Asks the window manager to end the session (9x family).
    virtual Outcome exitWindows(unsigned flags) = 0;
    // Looks the privilege up on the machine (empty: this computer) and enables it in the
    // process token. Refused only when the lookup fails; enabling a privilege the user
    // does not hold silently changes nothing, and the shutdown request then fails.
    virtual Outcome enablePrivilege(const std::wstring& machine, const std::wstring& privilege) = 0;
    // Asks the system to shut down at once, without a message (NT family).
    virtual Outcome initiateShutdown(const std::wstring& machine, bool force, bool restart) = 0;
};

} // namespace parcelkit::platform
