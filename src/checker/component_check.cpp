#include "checker/component_check.hpp"

#include "base/text.hpp"
#include "checker/entry_checks.hpp"
#include "checker/known_names.hpp"
#include "checker/names_check.hpp"
#include "checker/registry_file_check.hpp"
#include "checker/text_form_check.hpp"
#include "components/detection.hpp"
#include "script/section_variants.hpp"

#include <algorithm>
#include <set>

namespace parcelkit::checker {

namespace {

using script::EntryKind;

bool contains(const std::vector<std::wstring>& names, const std::wstring& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::wstring& n) { return base::equalsIgnoreCase(n, name); });
}

class ComponentCheck {
public:
    ComponentCheck(const CheckContext& context, const std::wstring& folder,
                   const std::wstring& ininame)
        : context_(context), folder_(folder), file_(context.folder, folder + L"\\" + ininame) {}

    void run() {
        checkTextForm(context_, file_, TextKind::Profile);
        checkProfileLayout(context_, file_);
        checkNames(
            context_, file_, [&](const std::wstring& s) { return keysOf(s); }, knownSections());
        checkMainValues();
        checkEntrySections();
        checkDetection();
        checkRegistryFiles();
    }

private:
    std::optional<std::vector<std::wstring>> keysOf(const std::wstring& section) const {
        if (base::equalsIgnoreCase(section, L"main")) {
            return componentMainKeys();
        }
        if (contains(context_.languages, section) && context_.languageFile()) {
            return componentLanguageKeys();
        }
        if (base::equalsIgnoreCase(section, L"detect") || detectSection(section)) {
            return detectionKeys();
        }
        if (contains(componentListSections(context_.languages), section)) {
            return std::vector<std::wstring>{};
        }
        // Without a language file the "language" section still lends date and author.
        if (!context_.languageFile() && base::equalsIgnoreCase(section, L"language")) {
            return componentLanguageKeys();
        }
        return std::nullopt;
    }

    bool detectSection(const std::wstring& section) const {
        return std::any_of(context_.languages.begin(), context_.languages.end(),
                           [&](const std::wstring& language) {
                               return context_.languageFile() &&
                                      base::equalsIgnoreCase(section, L"detect_" + language);
                           });
    }

    std::vector<std::wstring> knownSections() const {
        std::vector<std::wstring> names{L"main", L"detect"};
        for (const auto& language : context_.languages) {
            if (context_.languageFile()) {
                names.push_back(language);
                names.push_back(L"detect_" + language);
            }
        }
        const auto lists = componentListSections(context_.languages);
        names.insert(names.end(), lists.begin(), lists.end());
        return names;
    }

    void checkMainValues() {
        const std::wstring checked = file_.value(L"main", L"checked", L"0");
        if (checked != L"0" && checked != L"1" && checked != L"2") {
            report(file_.keyLine(L"main", L"checked"), Severity::Warning, "checked-value",
                   L"checked=" + checked +
                       L" is none of 0, 1 and 2: the component takes its parent's state, or "
                       L"starts unchecked");
        }
        const std::wstring system = file_.value(L"main", L"system");
        if (!system.empty() && system != L"98" && system != L"2000") {
            report(file_.keyLine(L"main", L"system"), Severity::Warning, "system-value",
                   L"system=" + system +
                       L" is neither 98 nor 2000: setup.exe offers the component on no system");
        }
        const std::wstring type = file_.value(L"main", L"type");
        if (!type.empty() && !base::equalsIgnoreCase(type, L"group")) {
            report(file_.keyLine(L"main", L"type"), Severity::Warning, "type-value",
                   L"type=" + type +
                       L" is not 'group': setup.exe installs the component like "
                       L"any other");
        }
    }

    void checkEntrySections() {
        for (const auto& section : componentListSections(context_.languages)) {
            if (file_.sectionLine(section) == 0) {
                continue;
            }
            switch (kindOf(section)) {
            case EntryKind::Programs:
            case EntryKind::UninstallPrograms:
                checkRunEntries(context_, file_, section);
                break;
            case EntryKind::Directories:
                checkDirectoryEntries(context_, file_, section);
                break;
            case EntryKind::Files:
                checkFileEntries(context_, file_, section, folder_);
                break;
            case EntryKind::Shortcuts:
                checkShortcutEntries(context_, file_, section);
                break;
            case EntryKind::SystemIni:
                break;
            }
        }
    }

    EntryKind kindOf(const std::wstring& section) const {
        const std::wstring lower = base::asciiLower(section);
        const auto startsWith = [&](std::wstring_view word) { return lower.rfind(word, 0) == 0; };
        if (startsWith(L"setup_run")) {
            return EntryKind::Programs;
        }
        if (startsWith(L"uninstall_run")) {
            return EntryKind::UninstallPrograms;
        }
        if (startsWith(L"systemini")) {
            return EntryKind::SystemIni;
        }
        if (startsWith(L"shortcut")) {
            return EntryKind::Shortcuts;
        }
        if (startsWith(L"dir")) {
            return EntryKind::Directories;
        }
        return EntryKind::Files;
    }

    void checkDetection() {
        for (const auto& language : context_.languages) {
            const auto entry = components::readDetection(file_.profile(), language);
            const std::wstring section =
                script::detectionSection(file_.sectionLine(L"detect_" + language) != 0, language);
            const auto line = [&](const wchar_t* key) { return file_.keyLine(section, key); };
            if (!entry.rootkey.empty() && !components::rootKeyNamed(entry.rootkey)) {
                report(line(L"rootkey"), Severity::Warning, "detect-rootkey",
                       L"rootkey '" + entry.rootkey +
                           L"' is no root key setup.exe can read (write it in upper case, e.g. "
                           L"HKEY_LOCAL_MACHINE): the registry test never finds the component");
            }
            if (entry.rootkey.empty() != entry.subkey.empty()) {
                report(line(entry.rootkey.empty() ? L"subkey" : L"rootkey"), Severity::Warning,
                       "detect-incomplete",
                       L"the registry test needs both rootkey and subkey: with one of them "
                       L"alone it never finds the component");
            }
            if (!entry.valuename.empty() != !entry.valuedata.empty()) {
                report(line(entry.valuename.empty() ? L"valuedata" : L"valuename"),
                       Severity::Warning, "detect-incomplete",
                       L"valuename and valuedata count only together: with one of them alone "
                       L"setup.exe tests only that the key exists");
            }
        }
    }

    void checkRegistryFiles() {
        std::vector<std::wstring> places{L"main"};
        if (context_.languageFile()) {
            places.insert(places.end(), context_.languages.begin(), context_.languages.end());
        }
        for (const auto& place : places) {
            for (const wchar_t* base : {L"reg", L"unreg"}) {
                for (const auto family : kFamilies) {
                    for (const auto& key : script::registryKeys(base, family)) {
                        checkRegistryFileKey(place, key, base == std::wstring_view(L"unreg"));
                    }
                }
            }
        }
    }

    void checkRegistryFileKey(const std::wstring& section, const std::wstring& key, bool undo) {
        const std::wstring name = file_.value(section, key);
        if (name.empty() || !checkedKeys_.insert(base::asciiLower(section + L"/" + key)).second) {
            return;
        }
        const std::wstring path = folder_ + L"\\" + name;
        if (!context_.folder.files.fileExists(path)) {
            report(file_.keyLine(section, key), Severity::Warning, "registry-file-missing",
                   L"registry file '" + name +
                       L"' is not in the component folder: setup.exe skips it silently");
            return;
        }
        checkRegistryFile(context_, path, undo);
    }

    void report(std::size_t line, Severity severity, std::string id, std::wstring text) const {
        context_.report(file_, line, severity, std::move(id), std::move(text));
    }

    const CheckContext& context_;
    std::wstring folder_;
    ScriptFile file_;
    std::set<std::wstring> checkedKeys_;
};

} // namespace

void checkComponent(const CheckContext& context, const std::wstring& folder,
                    const std::wstring& ininame) {
    ComponentCheck(context, folder, ininame).run();
}

} // namespace parcelkit::checker
