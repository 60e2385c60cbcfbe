#include "system/system_ini.hpp"

#include "base/escapes.hpp"
#include "record/record_format.hpp"

namespace parcelkit::system {

std::wstring systemIniPath(const model::Session& session) {
    return session.dirs.windir + L"\\system.ini";
}

void systemini(model::InstallContext& context, const std::vector<std::wstring>& entries,
               const std::wstring& name) {
    // The NT family keeps no settings in system.ini.
    if (entries.empty() || context.session.ostype != script::OsFamily::Nine) {
        return;
    }
    const auto systemIni = context.platform.profiles.open(systemIniPath(context.session));
    for (const auto& entry : entries) {
        std::wstring value = entry;
        const std::wstring keySide = base::parse(value, L"=");
        std::wstring keyName = keySide;
        const std::wstring section = base::parse(keyName, L",");
        // Without both names the entry would land in a key or section the author never
        // meant, and the uninstaller would remove it again.
        if (section.empty() || keyName.empty()) {
            continue;
        }
        model::uninstallRecord(context).write(record::kSystemIniSection, keySide, name);
        model::flushRecord(context);
        value = base::extstr(script::extpath(value, script::MacroForm::Plain, context.session.dirs,
                                             context.platform.files));
        platform::require(systemIni->writeString(section, keyName, value), L"Unable to write to",
                          systemIni->path());
    }
}

} // namespace parcelkit::system
