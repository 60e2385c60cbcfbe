#include "script/section_variants.hpp"

namespace parcelkit::script {

bool languageInUse(const std::wstring& langsection) {
    return langsection != kNoLanguageSection;
}

namespace {

struct VariantNames {
    std::wstring base;
    std::wstring osPrefix; // empty: no OS-family variant
    bool osVariant;
    bool osLanguageVariant;
};

VariantNames namesOf(EntryKind kind) {
    switch (kind) {
    case EntryKind::Programs:
        return {L"setup_run", L"", false, false};
    case EntryKind::UninstallPrograms:
        return {L"uninstall_run", L"", false, false};
    case EntryKind::Directories:
        return {L"dir", L"dir", true, true};
    case EntryKind::Files:
        // The OS-family file section is named by the family alone: [98], [2000].
        return {L"file", L"", true, true};
    case EntryKind::Shortcuts:
        return {L"shortcut", L"shortcut", true, true};
    case EntryKind::SystemIni:
        return {L"systemini", L"", false, false};
    }
    return {L"", L"", false, false};
}

} // namespace

std::vector<std::wstring> sectionVariants(EntryKind kind, OsFamily family,
                                          const std::wstring& langsection) {
    const std::wstring ostype(osWord(family));
    const auto names = namesOf(kind);
    const bool withLanguage = languageInUse(langsection);
    std::vector<std::wstring> sections{names.base};
    if (names.osVariant) {
        sections.push_back(names.osPrefix + ostype);
    }
    if (withLanguage) {
        sections.push_back(names.base + L"_" + langsection);
        if (names.osLanguageVariant) {
            sections.push_back(names.osPrefix + ostype + L"_" + langsection);
        }
    }
    return sections;
}

std::wstring detectionSection(bool languageSectionExists, const std::wstring& langsection) {
    if (languageInUse(langsection) && languageSectionExists) {
        return L"detect_" + langsection;
    }
    return L"detect";
}

std::vector<std::wstring> registryKeys(const std::wstring& base, OsFamily ostype) {
    return {base, base + std::wstring(osWord(ostype))};
}

} // namespace parcelkit::script
