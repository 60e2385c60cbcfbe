#include "components/detection.hpp"

#include "base/escapes.hpp"
#include "platform/file_system.hpp"
#include "platform/profile.hpp"
#include "script/path_macros.hpp"
#include "script/script_file.hpp"
#include "script/section_variants.hpp"

namespace parcelkit::components {

DetectionEntry readDetection(const platform::ProfileFile& componentFile,
                             const std::wstring& langsection) {
    const bool languageSection = script::languageInUse(langsection) &&
                                 script::sectionExists(componentFile, L"detect_" + langsection);
    const std::wstring section = script::detectionSection(languageSection, langsection);
    const auto read = [&](const wchar_t* key) {
        return componentFile.readString(section, key, L"");
    };
    return {read(L"rootkey"), read(L"subkey"), read(L"valuename"), read(L"valuedata"),
            read(L"file")};
}

std::optional<platform::RootKey> rootKeyNamed(const std::wstring& name) {
    using platform::RootKey;
    if (name == L"HKEY_CLASSES_ROOT") {
        return RootKey::ClassesRoot;
    }
    if (name == L"HKEY_CURRENT_USER") {
        return RootKey::CurrentUser;
    }
    if (name == L"HKEY_LOCAL_MACHINE") {
        return RootKey::LocalMachine;
    }
    if (name == L"HKEY_USERS") {
        return RootKey::Users;
    }
    if (name == L"HKEY_CURRENT_CONFIG") {
        return RootKey::CurrentConfig;
    }
    return std::nullopt;
}

bool installedByRegistry(const DetectionEntry& entry, const platform::Registry& registry) {
    if (entry.rootkey.empty() || entry.subkey.empty()) {
        return false;
    }
    const auto root = rootKeyNamed(entry.rootkey);
    if (!root || !registry.keyExists(*root, entry.subkey)) {
        return false;
    }
    if (entry.valuename.empty() || entry.valuedata.empty()) {
        return true;
    }
    return registry.readString(*root, entry.subkey, entry.valuename).value_or(L"") ==
           entry.valuedata;
}

bool installedByFile(const DetectionEntry& entry, const script::MacroValues& dirs,
                     const platform::FileSystem& files) {
    if (entry.file.empty()) {
        return false;
    }
    const std::wstring path =
        base::extstr(script::extpath(entry.file, script::MacroForm::Plain, dirs, files));
    return files.fileExists(path);
}

} // namespace parcelkit::components
