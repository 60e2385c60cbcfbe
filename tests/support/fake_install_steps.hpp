#pragma once

#include "model/install_steps.hpp"

#include <functional>
#include <string>
#include <vector>

namespace parcelkit::doubles {

// Records the steps in order. duringInstall runs inside Install, where the real one lets
// the window process messages; the run then stops if that asked it to.
struct FakeInstallSteps : model::InstallSteps {
    bool components = true;
    bool goOn = true; // answer of Checksetup
    std::function<void()> duringInstall;
    std::vector<std::wstring> calls;
    bool stoppedEarly = false;

    bool readlist() override {
        calls.push_back(L"readlist");
        return components;
    }
    void detect() override { calls.push_back(L"detect"); }
    bool Checksetup() override {
        calls.push_back(L"Checksetup");
        return goOn;
    }
    void Install(const model::StopRequest& stop) override {
        calls.push_back(L"Install");
        if (duringInstall) {
            duringInstall();
        }
        stoppedEarly = stop.requested();
    }
};

} // namespace parcelkit::doubles
