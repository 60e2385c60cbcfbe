#pragma once

#include "model/install_view.hpp"

#include <map>
#include <utility>
#include <vector>

namespace parcelkit::doubles {

// Keeps the status lines and the progress, and every change in order.
struct FakeInstallView : model::InstallView {
    std::map<model::StatusLine, std::wstring> lines;
    std::vector<std::pair<model::StatusLine, std::wstring>> changes;
    std::vector<int> progress;
    int messagePumps = 0;

    void setStatus(model::StatusLine line, const std::wstring& text) override {
        lines[line] = text;
        changes.emplace_back(line, text);
    }
    void setProgress(int percent) override { progress.push_back(percent); }
    void processMessages() override { ++messagePumps; }

    std::wstring line(model::StatusLine which) const {
        const auto it = lines.find(which);
        return it == lines.end() ? std::wstring() : it->second;
    }
};

} // namespace parcelkit::doubles
