#pragma once

#include "platform/shutdown.hpp"

#include <set>
#include <string>
#include <vector>

namespace parcelkit::doubles {

// Records the shutdown calls in order. Privileges listed in unknown fail their lookup.
struct FakeShutdown : platform::Shutdown {
    bool nine = false;
    bool accept = true;
    std::set<std::wstring> unknown;
    std::vector<std::wstring> calls;

    bool nineFamily() const override { return nine; }
    platform::Outcome exitWindows(unsigned flags) override {
        calls.push_back(L"exitWindows " + std::to_wstring(flags));
        return answer(accept);
    }
    platform::Outcome enablePrivilege(const std::wstring& machine,
                                      const std::wstring& privilege) override {
        calls.push_back(L"enablePrivilege " + machine + L"|" + privilege);
        return answer(unknown.count(privilege) == 0);
    }
    platform::Outcome initiateShutdown(const std::wstring& machine, bool force,
                                       bool restart) override {
        calls.push_back(L"initiateShutdown " + machine + L"|" + (force ? L"force" : L"") + L"|" +
                        (restart ? L"restart" : L""));
        return answer(accept);
    }

private:
    static platform::Outcome answer(bool done) {
        if (done) {
            return {};
        }
        return platform::Failure{1314, L"A required privilege is not held by the client."};
    }
};

} // namespace parcelkit::doubles
