#include "system/system_steps_impl.hpp"

#include "system/installed_programs.hpp"
#include "system/registry_files.hpp"
#include "system/shortcuts.hpp"
#include "system/system_ini.hpp"

namespace parcelkit::system {

void SystemStepsImpl::reg(model::InstallContext& context, const std::wstring& path) {
    system::reg(context, files_, path);
}

void SystemStepsImpl::unreg(model::InstallContext& context, const std::wstring& name,
                            const std::wstring& path) {
    system::unreg(context, files_, name, path);
}

void SystemStepsImpl::shortcut(model::InstallContext& context,
                               const std::vector<std::wstring>& lines, const std::wstring& name) {
    system::shortcut(context, shell_, lines, name);
}

void SystemStepsImpl::systemini(model::InstallContext& context,
                                const std::vector<std::wstring>& lines, const std::wstring& name) {
    system::systemini(context, lines, name);
}

void SystemStepsImpl::uninstall(model::InstallContext& context) {
    parcelkit::system::uninstall(context);
}

} // namespace parcelkit::system
