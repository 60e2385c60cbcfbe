#include "checker/known_names.hpp"

#include "checker/check_context.hpp"
#include "script/section_variants.hpp"

#include <algorithm>

namespace parcelkit::checker {

namespace {

constexpr const wchar_t* kRegistryKeys[] = {L"reg",   L"reg98",   L"reg2000",
                                            L"unreg", L"unreg98", L"unreg2000"};

void addUnique(std::vector<std::wstring>& names, const std::wstring& name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) {
        names.push_back(name);
    }
}

std::vector<std::wstring> listSections(const std::vector<script::EntryKind>& kinds,
                                       const std::vector<std::wstring>& languages) {
    std::vector<std::wstring> names;
    for (const auto kind : kinds) {
        for (const auto family : kFamilies) {
            for (const auto& language : languages) {
                for (const auto& name : script::sectionVariants(kind, family, language)) {
                    addUnique(names, name);
                }
            }
        }
    }
    return names;
}

} // namespace

std::vector<std::wstring> setupMainKeys() {
    return {L"name",    L"id",     L"progdir",  L"mode", L"BrandingText",
            L"ininame", L"system", L"expanded", L"exit", L"readme"};
}

std::vector<std::wstring> componentMainKeys() {
    std::vector<std::wstring> keys{L"title", L"name", L"checked", L"mutex",  L"expanded", L"system",
                                   L"type",  L"pri",  L"content", L"Author", L"date",     L"ver"};
    keys.insert(keys.end(), std::begin(kRegistryKeys), std::end(kRegistryKeys));
    return keys;
}

std::vector<std::wstring> componentLanguageKeys() {
    std::vector<std::wstring> keys{L"title", L"content", L"Author", L"date", L"ver"};
    keys.insert(keys.end(), std::begin(kRegistryKeys), std::end(kRegistryKeys));
    return keys;
}

std::vector<std::wstring> detectionKeys() {
    return {L"rootkey", L"subkey", L"valuename", L"valuedata", L"file"};
}

std::vector<std::wstring> languageKeys() {
    std::vector<std::wstring> keys{L"LanguageName", L"font",         L"size",
                                   L"charset",      L"name",         L"brandingtext",
                                   L"readme",       L"language",     L"DisplayVersion",
                                   L"Publisher",    L"UrlInfoAbout", L"URLUpdateInfo",
                                   L"HelpLink",     L"Contact",      L"Comments",
                                   L"DisplayIcon",  L"7r2"};
    // Messages 31 and 38 are not used.
    for (int number = 1; number <= 71; ++number) {
        if (number != 31 && number != 38) {
            keys.push_back(std::to_wstring(number));
        }
    }
    return keys;
}

std::vector<std::wstring> componentListSections(const std::vector<std::wstring>& languages) {
    using K = script::EntryKind;
    return listSections(
        {K::Programs, K::UninstallPrograms, K::Directories, K::Files, K::Shortcuts, K::SystemIni},
        languages);
}

std::vector<std::wstring> setupListSections(const std::vector<std::wstring>& languages) {
    auto names = listSections({script::EntryKind::Programs}, languages);
    // setup.ini's programs for the uninstaller come in no language variant.
    names.push_back(L"uninstall_run");
    return names;
}

} // namespace parcelkit::checker
