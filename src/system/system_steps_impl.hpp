#pragma once

#include "engine/system_steps.hpp"

namespace parcelkit::platform {
class FileBytes;
class Shell;
} // namespace parcelkit::platform

namespace parcelkit::system {

// The system-integration steps on a machine that has a shell and files read as bytes.
class SystemStepsImpl : public engine::SystemSteps {
public:
    SystemStepsImpl(platform::Shell& shell, platform::FileBytes& files)
        : shell_(shell), files_(files) {}

    void reg(model::InstallContext& context, const std::wstring& path) override;
    void unreg(model::InstallContext& context, const std::wstring& name,
               const std::wstring& path) override;
    void shortcut(model::InstallContext& context, const std::vector<std::wstring>& lines,
                  const std::wstring& name) override;
    void systemini(model::InstallContext& context, const std::vector<std::wstring>& lines,
                   const std::wstring& name) override;
    void uninstall(model::InstallContext& context) override;

private:
    platform::Shell& shell_;
    platform::FileBytes& files_;
};

} // namespace parcelkit::system
