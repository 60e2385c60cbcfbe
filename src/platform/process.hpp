#pragma once

#include "platform/outcome.hpp"

#include <cstdint>
#include <memory>
#include <string>

namespace parcelkit::platform {

// Window show commands, creation flags and the unlimited wait, with the values the
// system's process start takes.
inline constexpr int kShowHidden = 0;
inline constexpr int kShowNormal = 5;
inline constexpr std::uint32_t kCreateNewConsole = 0x00000010;
inline constexpr std::uint32_t kCreateNoWindow = 0x08000000;
inline constexpr std::uint32_t kWaitForever = 0xFFFFFFFF;

struct ProcessRequest {
    std::wstring commandLine;      // program and parameters, quoted as the system expects
    std::wstring workingDirectory; // empty: the installer's current directory
    int showCommand = kShowNormal;
    std::uint32_t creationFlags = 0;
    std::uint32_t waitMilliseconds = 0; // 0: do not wait; kWaitForever: until it ends
};

// A started program that had not ended when the wait was over. Releasing it closes the
// installer's handle only; the program goes on running.
class RunningProcess {
public:
    virtual ~RunningProcess() = default;
    // True when the program ends within the given time.
    virtual bool wait(std::uint32_t milliseconds) = 0;
};

// A program that started.
struct ProcessRun {
    bool ended = false;                      // within the wait time of the request
    std::unique_ptr<RunningProcess> running; // not yet ended
};

class Processes {
public:
    virtual ~Processes() = default;
    // Starts a program and waits for it as long as the request says. The exit code is
    // not reported: nothing in the installer looks at it.
    virtual Result<ProcessRun> run(const ProcessRequest& request) = 0;
};

} // namespace parcelkit::platform
