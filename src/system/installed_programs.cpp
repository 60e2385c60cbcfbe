#include "system/installed_programs.hpp"

#include "base/error.hpp"
#include "model/startup.hpp"

namespace parcelkit::system {

std::wstring installedProgramsKey(const std::wstring& appid) {
    return model::kUninstallKey + appid;
}

std::vector<std::pair<std::wstring, std::wstring>>
installedProgramsValues(const model::InstallContext& context) {
    const model::MessageTexts& language = context.texts;
    const auto& dirs = context.session.dirs;
    // The maker's links and contact have no built-in values: an entry shows only what the
    // product's own language section says.
    return {
        {L"DisplayName", dirs.setupname},
        // The uninstaller lies in the installation directory, where start-up looks for it.
        {L"UninstallString", dirs.setupdir + L"\\uninstall.exe"},
        {L"Language", language.value(L"language", L"2052")},
        {L"DisplayVersion", language.value(L"DisplayVersion", L"")},
        {L"Publisher", language.value(L"Publisher", L"Parcelkit")},
        {L"UrlInfoAbout", language.value(L"UrlInfoAbout", L"")},
        {L"URLUpdateInfo", language.value(L"URLUpdateInfo", L"")},
        {L"HelpLink", language.value(L"HelpLink", L"")},
        {L"Contact", language.value(L"Contact", L"")},
        {L"Comments", language.value(L"Comments", L"")},
        {L"DisplayIcon",
         script::extpath(language.value(L"DisplayIcon", L""), script::MacroForm::DoubledBackslash,
                         dirs, context.platform.files)},
    };
}

void uninstall(model::InstallContext& context) {
    // An empty id would name the list's own key.
    if (context.session.appid.empty()) {
        return;
    }
    const std::wstring key = installedProgramsKey(context.session.appid);
    bool keyMade = false;
    for (const auto& [name, value] : installedProgramsValues(context)) {
        const auto written = context.platform.registry.writeString(platform::RootKey::LocalMachine,
                                                                   key, name, value);
        if (written) {
            keyMade = true;
            continue;
        }
        // The first write creates the key: refused there, the user lacks the rights.
        if (!keyMade) {
            return;
        }
        throw base::Error(L"Failed to set data for '" + name + L"'", L"HKEY_LOCAL_MACHINE\\" + key,
                          written.failure().reason);
    }
}

} // namespace parcelkit::system
