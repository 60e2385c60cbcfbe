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
    bool exitWindows(unsigned flags) override {
        calls.push_back(L"exitWindows " + std::to_wstring(flags));
        return accept;
    }
    bool enablePrivilege(const std::wstring& machine, const std::wstring& privilege) override {
        calls.push_back(L"enablePrivilege " + machine + L"|" + privilege);
        return unknown.count(privilege) == 0;
    }
    bool initiateShutdown(const std::wstring& machine, bool force, bool restart) override {
        calls.push_back(L"initiateShutdown " + machine + L"|" + (force ? L"force" : L"") + L"|" +
                        (restart ? L"restart" : L""));
        return accept;
    }
};

} // namespace parcelkit::doubles
