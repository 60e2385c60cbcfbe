#pragma once

#include "platform/shutdown.hpp"

namespace parcelkit::win32 {

class Win32Shutdown : public platform::Shutdown {
public:
    bool nineFamily() const override;
    platform::Outcome exitWindows(unsigned flags) override;
    platform::Outcome enablePrivilege(const std::wstring& machine,
                                      const std::wstring& privilege) override;
    platform::Outcome initiateShutdown(const std::wstring& machine, bool force,
                                       bool restart) override;
};

} // namespace parcelkit::win32
