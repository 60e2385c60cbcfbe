#include "system/installed_programs.hpp"

#include "base/error.hpp"
#include "model/startup.hpp"
#include "system/installed_size.hpp"

namespace parcelkit::system {

namespace {

std::wstring digits(unsigned number, std::size_t width) {
    std::wstring text = std::to_wstring(number);
    return std::wstring(text.size() < width ? width - text.size() : 0, L'0') + text;
}

// yyyymmdd, the form the list of installed programs reads.
std::wstring dateText(const platform::Date& date) {
    return digits(date.year, 4) + digits(date.month, 2) + digits(date.day, 2);
}

platform::Outcome write(platform::Registry& registry, const std::wstring& key,
                        const EntryValue& value) {
    if (const auto* number = std::get_if<std::uint32_t>(&value.data)) {
        return registry.writeDword(platform::RootKey::LocalMachine, key, value.name, *number);
    }
    return registry.writeString(platform::RootKey::LocalMachine, key, value.name,
                                std::get<std::wstring>(value.data));
}

} // namespace

std::wstring installedProgramsKey(const std::wstring& appid) {
    return model::kUninstallKey + appid;
}

std::vector<EntryValue> installedProgramsValues(model::InstallContext& context) {
    const model::MessageTexts& language = context.texts;
    const auto& dirs = context.session.dirs;
    // The uninstaller lies in the installation directory, where start-up looks for it. The
    // path is quoted: unquoted, a path with blanks lets the system take "C:\Program.exe" for
    // the program.
    const std::wstring uninstaller = L"\"" + dirs.setupdir + L"\\uninstall.exe\"";
    // The maker's links and contact have no built-in values: an entry shows only what the
    // product's own language section says.
    return {
        {L"DisplayName", dirs.setupname},
        {L"UninstallString", uninstaller},
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
        // What deployment tools and the system's list read besides.
        {L"InstallLocation", dirs.setupdir},
        {L"QuietUninstallString", uninstaller + L" /s"},
        {L"EstimatedSize", installedKilobytes(model::uninstallRecord(context), context.copiedSizes,
                                              context.platform.files, dirs.setupdir)},
        {L"InstallDate", dateText(context.platform.system.localDate())},
        // The uninstaller removes; there is nothing to change or mend in place.
        {L"NoModify", std::uint32_t(1)},
        {L"NoRepair", std::uint32_t(1)},
    };
}

void uninstall(model::InstallContext& context) {
    // An empty id would name the list's own key.
    if (context.session.appid.empty()) {
        return;
    }
    const std::wstring key = installedProgramsKey(context.session.appid);
    bool keyMade = false;
    for (const auto& value : installedProgramsValues(context)) {
        const auto written = write(context.platform.registry, key, value);
        if (written) {
            keyMade = true;
            continue;
        }
        // The first write creates the key: refused there, the user lacks the rights.
        if (!keyMade) {
            return;
        }
        throw base::Error(L"Failed to set data for '" + value.name + L"'",
                          L"HKEY_LOCAL_MACHINE\\" + key, written.failure().reason);
    }
}

} // namespace parcelkit::system
