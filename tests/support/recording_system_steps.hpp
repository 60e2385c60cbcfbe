#pragma once

#include "engine/system_steps.hpp"
#include "event_log.hpp"

#include <functional>

namespace parcelkit::doubles {

// Writes each call into the shared log, lines of a section joined by ";". onShortcut runs
// inside each shortcut call, for tests that change the machine in the middle of a run.
struct RecordingSystemSteps : engine::SystemSteps {
    explicit RecordingSystemSteps(EventLog& log) : log_(log) {}

    void reg(model::InstallContext&, const std::wstring& path) override {
        log_.add(L"reg " + path);
    }
    void unreg(model::InstallContext&, const std::wstring& name,
               const std::wstring& path) override {
        log_.add(L"unreg " + name + L" " + path);
    }
    void shortcut(model::InstallContext& context, const std::vector<std::wstring>& lines,
                  const std::wstring& name) override {
        log_.add(L"shortcut " + name + L" " + EventLog::joined(lines));
        if (onShortcut) {
            onShortcut(context);
        }
    }
    void systemini(model::InstallContext&, const std::vector<std::wstring>& lines,
                   const std::wstring& name) override {
        log_.add(L"systemini " + name + L" " + EventLog::joined(lines));
    }
    void uninstall(model::InstallContext& context) override {
        // The entry is written last, with the record still open.
        log_.add(context.uninstallini ? L"uninstall" : L"uninstall without a record");
    }

    std::function<void(model::InstallContext&)> onShortcut;

private:
    EventLog& log_;
};

} // namespace parcelkit::doubles
