#pragma once

#include "platform/run_log.hpp"
#include "platform/win32/handles.hpp"

namespace parcelkit::win32 {

// A UTF-8 file written line by line as the run goes, so that a run that is killed still
// leaves what it did.
class Win32RunLog : public platform::RunLog {
public:
    platform::Outcome open(const std::wstring& path) override;
    bool isOpen() const override { return bool(file_); }
    void write(const std::wstring& line) override;

private:
    UniqueFile file_;
};

} // namespace parcelkit::win32
