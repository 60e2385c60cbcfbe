#pragma once

#include "platform/process.hpp"

namespace parcelkit::win32 {

class Win32Processes : public platform::Processes {
public:
    platform::Result<platform::ProcessRun> run(const platform::ProcessRequest& request) override;
};

} // namespace parcelkit::win32
