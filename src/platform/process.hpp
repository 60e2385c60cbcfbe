#pragma once

#include <optional>
#include <string>

namespace parcelkit::platform {

struct ProcessRequest {
    std::wstring commandLine;      // program and parameters, quoted as the system expects
    std::wstring workingDirectory; // empty: the current directory
    bool hidden = false;
    bool wait = false;
};

class Processes {
public:
    virtual ~Processes() = default;
    // Starts a program. With wait, returns its exit code; without, 0 once started.
    // nullopt when the program could not be started.
    virtual std::optional<unsigned long> run(const ProcessRequest& request) = 0;
};

} // namespace parcelkit::platform
