#pragma once

#include "platform/shutdown.hpp"

namespace parcelkit::win32 {

class Win32Shutdown : public platform::Shutdown {
public:
    bool nineFamily() const override;
    bool exitWindows(unsigned flags) override;
    bool enablePrivilege(const std::wstring& machine, const std::wstring& privilege) override;
    bool initiateShutdown(const std::wstring& machine, bool force, bool restart) override;
};

} // namespace parcelkit::win32
