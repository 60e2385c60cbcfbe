#pragma once

#include "platform/process.hpp"

namespace parcelkit::win32 {

class Win32Processes : public platform::Processes {
public:
    std::optional<unsigned long> run(const platform::ProcessRequest& request) override;
};

} // namespace parcelkit::win32
