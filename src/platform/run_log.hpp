#pragma once

#include "platform/outcome.hpp"

#include <string>
#include <utility>

namespace parcelkit::platform {

// The log a run writes when asked to ("/log"): one line per step, for whoever has to find
// out afterwards what an unattended run did.
class RunLog {
public:
    virtual ~RunLog() = default;

    // Starts writing to the file, replacing it; until then every line is dropped.
    virtual Outcome open(const std::wstring& path) = 0;
    virtual bool isOpen() const = 0;
    // Appends one line; the local time goes in front.
    virtual void write(const std::wstring& line) = 0;

    // The component whose steps follow; empty outside of one.
    void setComponent(std::wstring name) { component_ = std::move(name); }
    const std::wstring& component() const { return component_; }

    // A log that is never written, for runs and tests that want none.
    static RunLog& none();

private:
    std::wstring component_;
};

class NoRunLog : public RunLog {
public:
    Outcome open(const std::wstring&) override {
        return Failure{Failure::kNotSupported, L"This run keeps no log."};
    }
    bool isOpen() const override { return false; }
    void write(const std::wstring&) override {}
};

inline RunLog& RunLog::none() {
    static NoRunLog log;
    return log;
}

} // namespace parcelkit::platform
