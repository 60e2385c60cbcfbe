#pragma once

#include "platform/process.hpp"

#include <set>
#include <vector>

namespace parcelkit::doubles {

// Records every start. Each program runs for runMilliseconds and then ends; programs whose
// command line is listed in missing cannot be started.
struct FakeProcesses : platform::Processes {
    struct Running : platform::RunningProcess {
        explicit Running(FakeProcesses& owner) : owner_(owner) { ++owner_.handlesHeld; }
        ~Running() override { --owner_.handlesHeld; }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
        bool wait(std::uint32_t milliseconds) override {
            return milliseconds >= owner_.runMilliseconds;
        }

    private:
        FakeProcesses& owner_;
    };

    std::vector<platform::ProcessRequest> requests;
    std::set<std::wstring> missing;
    std::uint32_t runMilliseconds = 0;
    int handlesHeld = 0; // RunningProcess objects not yet released

    platform::Result<platform::ProcessRun> run(const platform::ProcessRequest& request) override {
        requests.push_back(request);
        if (missing.count(request.commandLine) != 0) {
            return platform::Failure{platform::Failure::kFileNotFound,
                                     L"The system cannot find the file specified."};
        }
        platform::ProcessRun outcome;
        outcome.ended = request.waitMilliseconds >= runMilliseconds;
        if (!outcome.ended) {
            outcome.running = std::make_unique<Running>(*this);
        }
        return outcome;
    }

    std::vector<std::wstring> commandLines() const {
        std::vector<std::wstring> lines;
        for (const auto& request : requests) {
            lines.push_back(request.commandLine);
        }
        return lines;
    }
};

} // namespace parcelkit::doubles
