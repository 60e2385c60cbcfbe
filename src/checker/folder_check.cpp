#include "checker/folder_check.hpp"

#include "base/paths.hpp"
#include "base/text.hpp"
#include "checker/check_context.hpp"
#include "checker/component_check.hpp"
#include "checker/known_names.hpp"
#include "checker/language_check.hpp"
#include "checker/names_check.hpp"
#include "checker/setup_script_check.hpp"
#include "checker/text_form_check.hpp"
#include "checker/tree_check.hpp"
#include "components/component_scan.hpp"
#include "model/startup.hpp"
#include "script/path_macros.hpp"
#include "script/section_variants.hpp"

#include <algorithm>

namespace parcelkit::checker {

namespace {

// Every language section setup.exe may run with: the sections of language.ini, or the
// literal "language" without one.
std::vector<std::wstring> languageSections(const ScriptFile& languageIni) {
    if (!languageIni.exists()) {
        return {script::kNoLanguageSection};
    }
    std::vector<std::wstring> names;
    for (const auto& name : languageIni.profile().sectionNames()) {
        const bool seen = std::any_of(names.begin(), names.end(), [&](const std::wstring& n) {
            return base::equalsIgnoreCase(n, name);
        });
        if (!seen) {
            names.push_back(name);
        }
    }
    return names;
}

void checkLanguageFile(const CheckContext& context, const ScriptFile& file, bool setupMode) {
    checkTextForm(context, file, TextKind::Profile);
    checkProfileLayout(context, file);
    checkNames(context, file, [](const std::wstring&) { return languageKeys(); }, {});
    for (const auto& section : context.languages) {
        checkLanguageSection(context, file, section, setupMode);
    }
}

// Component folders whatever their [main] system says, in the order found.
void everyComponentFolder(const FolderAccess& folder, const std::wstring& directory,
                          const std::wstring& ininame, std::vector<std::wstring>& found) {
    for (const auto& entry : folder.files.list(directory, L"*")) {
        const std::wstring path = directory + L"\\" + entry.name;
        if (entry.isDirectory && folder.files.fileExists(path + L"\\" + ininame)) {
            found.push_back(path);
            everyComponentFolder(folder, path, ininame, found);
        }
    }
}

} // namespace

Findings checkFolder(const FolderAccess& folder) {
    Findings findings;
    const ScriptFile setupini(folder, folder.root + L"\\setup.ini");
    if (!setupini.exists()) {
        findings.add({L"setup.ini", 0, Severity::Error, "setup-ini-missing",
                      L"setup.ini is not in the setup folder: setup.exe has nothing to install"});
        return findings;
    }
    const ScriptFile languageIni(folder, folder.root + L"\\language.ini");
    CheckContext context{folder, typicalMachine(folder.root), languageSections(languageIni),
                         findings};
    context.dirs.setupdir = base::withoutOneTrailingBackslash(
        script::expandDefaultDestination(setupini.value(L"main", L"progdir"), context.dirs));
    context.dirs.setupname = setupini.value(L"main", L"name", L"Parcelkit");

    const bool setupMode = model::readSetupMode(setupini.profile());
    checkSetupScript(context, setupini);
    if (languageIni.exists()) {
        checkLanguageFile(context, languageIni, setupMode);
    }

    const std::wstring ininame = setupini.value(L"main", L"ininame", L"parcelkit.ini");
    std::vector<FamilyTree> trees;
    bool anyComponent = false;
    for (const auto family : kFamilies) {
        trees.push_back({family, components::scanComponents(folder.root, {ininame, family},
                                                            folder.files, folder.profiles)});
        anyComponent = anyComponent || !trees.back().roots.empty();
    }
    if (!anyComponent) {
        context.report(setupini, 0, Severity::Error, "no-components",
                       L"no sub-folder holds a component file (" + ininame +
                           L"): setup.exe shows message 18 and ends");
    }
    std::vector<std::wstring> componentFolders;
    everyComponentFolder(folder, folder.root, ininame, componentFolders);
    for (const auto& componentFolder : componentFolders) {
        checkComponent(context, componentFolder, ininame);
    }
    checkTrees(context, trees, ininame);
    return findings;
}

} // namespace parcelkit::checker
