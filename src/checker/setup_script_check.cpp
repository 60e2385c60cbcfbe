#include "checker/setup_script_check.hpp"

#include "base/text.hpp"
#include "checker/entry_checks.hpp"
#include "checker/known_names.hpp"
#include "checker/language_check.hpp"
#include "checker/names_check.hpp"
#include "checker/text_form_check.hpp"
#include "model/startup.hpp"

#include <algorithm>

namespace parcelkit::checker {

namespace {

bool contains(const std::vector<std::wstring>& names, const std::wstring& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::wstring& n) { return base::equalsIgnoreCase(n, name); });
}

void checkMain(const CheckContext& context, const ScriptFile& file) {
    const auto report = [&](const wchar_t* key, Severity severity, std::string id,
                            std::wstring text) {
        context.report(file, file.keyLine(L"main", key), severity, std::move(id), std::move(text));
    };
    if (file.value(L"main", L"id").empty()) {
        report(L"id", Severity::Warning, "setup-id",
               L"id is missing or empty: setup.exe writes no installed-programs entry and never "
               L"finds an earlier installation");
    }
    if (file.value(L"main", L"progdir").empty()) {
        report(L"progdir", Severity::Warning, "setup-progdir",
               L"progdir is missing or empty: the destination page starts empty, and a silent "
               L"installation has no directory to install into");
    }
    const std::wstring system = file.value(L"main", L"system");
    if (!system.empty() && system != L"98" && system != L"2000") {
        report(L"system", Severity::Error, "setup-system",
               L"system=" + system +
                   L" is neither 98 nor 2000: setup.exe shows message 65 and ends on every "
                   L"system");
    }
    const std::wstring mode = file.value(L"main", L"mode", L"setup");
    if (!model::readSetupMode(file.profile()) && !base::equalsIgnoreCase(mode, L"update")) {
        report(L"mode", Severity::Warning, "setup-mode",
               L"mode=" + mode + L" is neither setup nor update: setup.exe runs as an update");
    }
    const std::wstring readme = file.value(L"main", L"readme", L"readme.txt");
    if (!context.languageFile() &&
        !context.folder.files.fileExists(context.folder.root + L"\\" + readme)) {
        report(L"readme", Severity::Warning, "readme-missing",
               L"readme '" + readme +
                   L"' is not in the setup folder: the wizard's first page stays empty");
    }
    if (!context.languageFile() && file.value(L"main", L"name").empty()) {
        report(L"name", Severity::Warning, "installed-programs-empty",
               L"'name' is missing or empty in [main]: without a language.ini it is the "
               L"product's name in the wizard and in the installed-programs entry");
    }
}

} // namespace

void checkSetupScript(const CheckContext& context, const ScriptFile& setupini) {
    checkTextForm(context, setupini, TextKind::Profile);
    checkProfileLayout(context, setupini);
    const auto lists = setupListSections(context.languages);
    std::vector<std::wstring> known{L"main"};
    known.insert(known.end(), lists.begin(), lists.end());
    if (!context.languageFile()) {
        known.push_back(L"language");
    }
    checkNames(
        context, setupini,
        [&](const std::wstring& section) -> std::optional<std::vector<std::wstring>> {
            if (base::equalsIgnoreCase(section, L"main")) {
                return setupMainKeys();
            }
            if (!context.languageFile() && base::equalsIgnoreCase(section, L"language")) {
                return languageKeys();
            }
            if (contains(lists, section)) {
                return std::vector<std::wstring>{};
            }
            return std::nullopt;
        },
        known);
    checkMain(context, setupini);
    for (const auto& section : lists) {
        checkRunEntries(context, setupini, section);
    }
    if (!context.languageFile()) {
        checkLanguageSection(context, setupini, L"language",
                             model::readSetupMode(setupini.profile()));
    }
}

} // namespace parcelkit::checker
