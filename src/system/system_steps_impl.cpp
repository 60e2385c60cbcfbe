#include "system/system_steps_impl.hpp"

#include "system/registry_files.hpp"
#include "system/shortcuts.hpp"
#include "system/system_ini.hpp"
#include "system/installed_programs.hpp"

namespace parcelkit::system {

void SystemStepsImpl::reg(engine::InstallContext& context, const std::wstring& path) {
    system::reg(context, files_, path);
}

void SystemStepsImpl::unreg(engine::InstallContext& context, const std::wstring& name,
                            const std::wstring& path) {
    system::unreg(context, files_, name, path);
}

void SystemStepsImpl::shortcut(engine::InstallContext& context,
                               const std::vector<std::wstring>& lines, const std::wstring& name) {
    system::shortcut(context, shell_, lines, name);
}

void SystemStepsImpl::systemini(engine::InstallContext& context,
                                const std::vector<std::wstring>& lines, const std::wstring& name) {
    system::systemini(context, lines, name);
}

void SystemStepsImpl::uninstall(engine::InstallContext& context) {
    parcelkit::uninstall::uninstall(context);
}

} // namespace parcelkit::system
