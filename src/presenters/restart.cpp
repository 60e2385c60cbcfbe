#include "presenters/restart.hpp"

#include "platform/shutdown.hpp"

namespace parcelkit::presenters {

namespace {

bool shutDownNineFamily(platform::Shutdown& shutdown, const std::wstring& machine, bool force,
                        bool restart) {
    // The window manager can only end the session of this computer.
    if (!machine.empty()) {
        return false;
    }
    // A restart is asked for as shutdown and reboot together.
    unsigned flags = platform::kExitShutdown;
    if (restart) {
        flags |= platform::kExitReboot;
    }
    if (force) {
        flags |= platform::kExitForce;
    }
    return bool(shutdown.exitWindows(flags));
}

} // namespace

bool WindowsShutdown(platform::Shutdown& shutdown, const std::wstring& machine, bool force,
                     bool restart) {
    if (shutdown.nineFamily()) {
        return shutDownNineFamily(shutdown, machine, force, restart);
    }
    if (!shutdown.enablePrivilege(machine, L"SeShutdownPrivilege")) {
        return false;
    }
    if (!shutdown.enablePrivilege(machine, L"SeRemoteShutdownPrivilege")) {
        return false;
    }
    return bool(shutdown.initiateShutdown(machine, force, restart));
}

} // namespace parcelkit::presenters
