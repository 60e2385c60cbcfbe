#include "engine/install_component.hpp"

#include "base/error.hpp"
#include "base/escapes.hpp"
#include "base/text.hpp"
#include "engine/file_copy.hpp"
#include "engine/file_entry.hpp"
#include "engine/make_directory.hpp"
#include "engine/system_steps.hpp"
#include "launch/run_programs.hpp"
#include "model/install_steps.hpp"
#include "script/path_macros.hpp"
#include "script/script_file.hpp"
#include "script/section_variants.hpp"

namespace parcelkit::engine {

namespace {

constexpr wchar_t kMain[] = L"main";

// The six registry-file keys whose files are never copied, whatever the OS family.
constexpr const wchar_t* kRegistryFileKeys[] = {L"reg",       L"unreg", L"reg2000",
                                                L"unreg2000", L"reg98", L"unreg98"};

class ComponentRun {
public:
    ComponentRun(model::InstallContext& context, const ComponentRef& component, SystemSteps& steps,
                 const model::StopRequest& stop, std::vector<std::wstring>& afterlist)
        : context_(context), component_(component), steps_(steps), stop_(stop),
          afterlist_(afterlist),
          file_(context.platform.profiles.open(componentFile(context, component))) {}

    bool run() {
        if (base::equalsIgnoreCase(file_->readString(kMain, L"type", L""), L"group")) {
            return true;
        }
        writeRecordEntries();
        runBeforePrograms();
        recordUninstallPrograms();
        if (!makeDirectories()) {
            return false;
        }
        fillSkiplist();
        if (base::equalsIgnoreCase(file_->readString(kMain, L"pri", L""), L"file")) {
            if (!copyFiles()) {
                return false;
            }
            applyRegistryFiles();
        } else {
            applyRegistryFiles();
            if (!copyFiles()) {
                return false;
            }
        }
        makeShortcuts();
        writeSystemIni();
        return true;
    }

    static std::wstring componentFile(const model::InstallContext& context,
                                      const ComponentRef& component) {
        return component.folder + L"\\" + context.session.ininame;
    }

private:
    script::OsFamily ostype() const { return context_.session.ostype; }
    const std::wstring& langsection() const { return context_.texts.langsection(); }
    bool withLanguage() const { return script::languageInUse(langsection()); }
    std::vector<std::wstring> sections(script::EntryKind kind) const {
        return script::sectionVariants(kind, ostype(), langsection());
    }
    std::vector<std::wstring> lines(const std::wstring& section) const {
        return script::readListSection(*file_, section);
    }

    // The language section is asked first even without a language file: its name is then
    // "language", a section that component files may carry as well.
    std::wstring fromLanguageOrMain(const std::wstring& key) const {
        std::wstring value = file_->readString(langsection(), key, L"");
        return value.empty() ? file_->readString(kMain, key, L"") : value;
    }

    void writeRecordEntries() {
        record::RecordWriter& record = model::uninstallRecord(context_);
        const std::wstring info = record::infoSection(component_.name);
        record.write(record::kListSection, component_.name, component_.title);
        record.write(info, L"Ver", file_->readString(kMain, L"ver", L""));
        record.write(info, L"Date", fromLanguageOrMain(L"date"));
        record.write(info, L"Author", fromLanguageOrMain(L"author"));
    }

    void runBeforePrograms() {
        for (const auto& section : sections(script::EntryKind::Programs)) {
            const auto entries = lines(section);
            if (entries.empty()) {
                continue;
            }
            model::flushRecord(context_);
            if (launch::runprg(entries, L"before", context_.platform, context_.session.dirs) > 0) {
                context_.copiedSizes.forget();
            }
            afterlist_.insert(afterlist_.end(), entries.begin(), entries.end());
        }
    }

    void recordUninstallPrograms() {
        record::RecordWriter& record = model::uninstallRecord(context_);
        const std::wstring runSection = record::runSection(component_.name);
        for (const auto& section : sections(script::EntryKind::UninstallPrograms)) {
            for (std::wstring value : lines(section)) {
                const std::wstring key = base::parse(value, L"=");
                record.write(runSection, expanded(key), value);
            }
        }
    }

    bool makeDirectories() {
        for (const auto& section : sections(script::EntryKind::Directories)) {
            for (std::wstring line : lines(section)) {
                const std::wstring directory = base::extstr(expanded(base::parse(line, L"=")));
                context_.view.processMessages();
                if (stop_.requested()) {
                    return false;
                }
                makedir(context_, component_.name, directory);
            }
        }
        return true;
    }

    void fillSkiplist() {
        skiplist_.clear();
        addRegistryFileNames(kMain);
        if (withLanguage()) {
            addRegistryFileNames(langsection());
        }
    }
    void addRegistryFileNames(const std::wstring& section) {
        for (const wchar_t* key : kRegistryFileKeys) {
            std::wstring value = file_->readString(section, key, L"");
            if (!value.empty()) {
                skiplist_.push_back(std::move(value));
            }
        }
    }

    // filecopy lets the window process messages after each copy: a stop is looked at
    // after each of its sections.
    bool copyFiles() {
        for (const auto& section : sections(script::EntryKind::Files)) {
            filecopy(context_, lines(section), skiplist_, component_.name, component_.folder);
            if (stop_.requested()) {
                return false;
            }
        }
        return true;
    }

    // The undo files are collected before anything is imported: the entries that take an
    // import away again are in place before it happens.
    void applyRegistryFiles() {
        for (const auto& path : registryFiles(L"unreg")) {
            steps_.unreg(context_, component_.name, path);
        }
        model::flushRecord(context_);
        for (const auto& path : registryFiles(L"reg")) {
            steps_.reg(context_, path);
        }
    }
    // The existing files that [main] and, with a language in use, the language section
    // name under the key and its OS-family variant; a missing one is passed over.
    std::vector<std::wstring> registryFiles(const std::wstring& base) const {
        std::vector<std::wstring> found;
        std::vector<std::wstring> places{kMain};
        if (withLanguage()) {
            places.push_back(langsection());
        }
        for (const auto& section : places) {
            for (const auto& key : script::registryKeys(base, ostype())) {
                const std::wstring value = file_->readString(section, key, L"");
                const std::wstring path = component_.folder + L"\\" + value;
                if (!value.empty() && context_.platform.files.fileExists(path)) {
                    found.push_back(path);
                }
            }
        }
        return found;
    }

    void makeShortcuts() {
        for (const auto& section : sections(script::EntryKind::Shortcuts)) {
            const auto entries = lines(section);
            if (!entries.empty()) {
                steps_.shortcut(context_, entries, component_.name);
            }
        }
    }

    // system.ini holds entries of its own only on the 9x family.
    void writeSystemIni() {
        if (ostype() != script::OsFamily::Nine) {
            return;
        }
        for (const auto& section : sections(script::EntryKind::SystemIni)) {
            const auto entries = lines(section);
            if (!entries.empty()) {
                steps_.systemini(context_, entries, component_.name);
            }
        }
    }

    std::wstring expanded(const std::wstring& text) const {
        return script::extpath(text, script::MacroForm::Plain, context_.session.dirs,
                               context_.platform.files);
    }

    model::InstallContext& context_;
    const ComponentRef& component_;
    SystemSteps& steps_;
    const model::StopRequest& stop_;
    std::vector<std::wstring>& afterlist_;
    std::unique_ptr<platform::ProfileFile> file_;
    std::vector<std::wstring> skiplist_;
};

} // namespace

bool installComponent(model::InstallContext& context, const ComponentRef& component,
                      SystemSteps& steps, const model::StopRequest& stop,
                      std::vector<std::wstring>& afterlist) {
    ComponentRun run(context, component, steps, stop, afterlist);
    context.platform.log.setComponent(component.name);
    try {
        return run.run();
    } catch (const MalformedEntry&) {
        throw; // names its component file and entry already
    } catch (const base::Error& error) {
        // Whoever reads the error needs to know which component the run stopped at.
        throw base::Error(error.operation(), error.object(),
                          error.reason() + L"\r\nComponent file: " +
                              ComponentRun::componentFile(context, component));
    }
}

} // namespace parcelkit::engine
