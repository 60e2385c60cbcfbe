#include "engine/file_copy.hpp"

#include "base/escapes.hpp"
#include "base/text.hpp"
#include "components/file_list.hpp"
#include "engine/file_entry.hpp"
#include "engine/make_directory.hpp"
#include "engine/replace_at_restart.hpp"
#include "engine/version_compare.hpp"
#include "launch/run_programs.hpp"
#include "model/command_line.hpp"

#include <algorithm>

namespace parcelkit::engine {

namespace {

bool hasWildcard(const std::wstring& pattern) {
    return pattern.find_first_of(L"*?") != std::wstring::npos;
}

std::wstring withTrailingBackslash(std::wstring path) {
    if (path.empty() || path.back() != L'\\') {
        path += L'\\';
    }
    return path;
}

// Up to and including the last backslash.
std::wstring directoryPart(const std::wstring& path) {
    const auto slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

bool onSkiplist(const std::vector<std::wstring>& skiplist, const std::wstring& file) {
    return std::any_of(skiplist.begin(), skiplist.end(), [&](const std::wstring& skipped) {
        return base::equalsIgnoreCase(skipped, file);
    });
}

// One file of an entry's list, with its place in the list for the progress bar.
struct ListedFile {
    std::wstring name;
    std::size_t index;
    std::size_t count;
};

// One call of filecopy: the section's entries, then the registrations they queued.
class SectionCopy {
public:
    SectionCopy(model::InstallContext& context, const std::vector<std::wstring>& skiplist,
                const std::wstring& name, const std::wstring& componentDir)
        : context_(context), skiplist_(skiplist), name_(name), componentDir_(componentDir),
          unattended_(model::startedWithArguments(context.platform.system.arguments())) {}

    void install(const std::wstring& line);
    void registerQueued();

private:
    void installFile(const FileEntry& entry, const std::wstring& sourceDirectory,
                     const std::wstring& targetDirectory, const ListedFile& file);
    bool replaces(const std::wstring& target, const std::wstring& source) const;
    void record(const std::wstring& target, const std::wstring& suffix);
    void notFound(const std::wstring& path);
    void show(model::StatusLine line, const std::wstring& text) {
        context_.view.setStatus(line, text);
    }
    std::wstring text(const model::Message& message) const { return context_.texts.text(message); }

    model::InstallContext& context_;
    const std::vector<std::wstring>& skiplist_;
    const std::wstring& name_;
    const std::wstring& componentDir_;
    // A run started with any parameter shows no box: nobody may be there to answer it.
    const bool unattended_;
    std::vector<std::wstring> reglist_;
};

void SectionCopy::install(const std::wstring& line) {
    const FileEntry entry = readFileEntry(line, componentDir_ + L"\\" + context_.session.ininame);
    platform::FileSystem& files = context_.platform.files;
    const std::wstring targetDirectory = withTrailingBackslash(script::extpath(
        entry.targetDirectory, script::MacroForm::Plain, context_.session.dirs, files));
    const std::wstring pattern = componentDir_ + L"\\" + entry.source;
    const auto listed = components::GetFileList(pattern, files);
    if (!hasWildcard(entry.source) && !files.fileExists(pattern)) {
        notFound(pattern);
    }
    // The entry asks for the directory: it is there, and recorded, even when no file matches.
    makedir(context_, name_, targetDirectory);
    context_.view.setProgress(0);
    if (!listed) {
        return;
    }
    const std::wstring sourceDirectory = directoryPart(pattern);
    for (std::size_t index = 0; index < listed->size(); ++index) {
        installFile(entry, sourceDirectory, targetDirectory,
                    {(*listed)[index], index, listed->size()});
    }
}

void SectionCopy::installFile(const FileEntry& entry, const std::wstring& sourceDirectory,
                              const std::wstring& targetDirectory, const ListedFile& file) {
    if (onSkiplist(skiplist_, file.name)) {
        return;
    }
    platform::FileSystem& files = context_.platform.files;
    const std::wstring targetName = entry.targetName.empty() ? file.name : entry.targetName;
    const std::wstring target = targetDirectory + targetName;
    const std::wstring source = sourceDirectory + file.name;

    using Kind = RegistrationFlag::Kind;
    const Kind registration = entry.registration.kind;
    if (registration == Kind::Always) {
        reglist_.push_back(target);
    }
    // Registered and recorded whether or not the file is replaced: the uninstaller learns
    // from the suffix whether the installed copy was kept.
    if (registration == Kind::Shared) {
        reglist_.push_back(target);
        record(target, files.fileExists(target) && !replaces(target, source) ? L"2" : L"1");
    }
    if (entry.overwrite != OverwriteMode::Always && files.fileExists(target)) {
        if (entry.overwrite == OverwriteMode::Never || !replaces(target, source)) {
            return;
        }
    }
    if (registration == Kind::WhenCopied) {
        reglist_.push_back(target);
    }
    // Read-only, hidden or system would make the copy fail.
    if (files.fileExists(target)) {
        // A refusal shows in the copy that follows.
        platform::notChecked(files.setNormalAttributes(target));
    }
    show(model::StatusLine::Activity, text(model::msg::DirectoryLabel) + targetDirectory);
    show(model::StatusLine::Subject, text(model::msg::FileLabel) + targetName);
    context_.view.processMessages();

    if (!files.fileExists(source)) {
        notFound(source);
        return;
    }
    if (!files.copyFile(source, target)) {
        replaceAtRestart(context_, source, target);
    }
    context_.view.processMessages();
    context_.view.setProgress(int((file.index + 1) * 100 / file.count));
    if (entry.recorded && registration != Kind::Shared) {
        record(target, entry.registration.text);
    }
}

bool SectionCopy::replaces(const std::wstring& target, const std::wstring& source) const {
    return VerCheck(context_.platform.versions, context_.platform.files, target, source);
}

void SectionCopy::record(const std::wstring& target, const std::wstring& suffix) {
    model::uninstallRecord(context_).addFile(target, suffix, name_);
}

void SectionCopy::notFound(const std::wstring& path) {
    if (unattended_) {
        return;
    }
    context_.platform.boxes.show(text(model::msg::NotFound) + path, text(model::msg::ErrorCaption),
                                 platform::BoxIcon::Error, platform::BoxButtons::Ok);
}

void SectionCopy::registerQueued() {
    const std::wstring tool = context_.session.dirs.sysdir + L"\\regsvr32.exe";
    for (const auto& target : reglist_) {
        show(model::StatusLine::Heading, text(model::msg::CopyingLine));
        show(model::StatusLine::Notice, text(model::msg::WaitLine));
        show(model::StatusLine::Activity, text(model::msg::Registering));
        show(model::StatusLine::Subject, target);
        // The tool's outcome is its own business: it reports nothing the installer can act on.
        launch::ExecuteWait(context_.platform.processes, tool, L" /s \"" + target + L"\"", L"",
                            platform::kShowHidden, platform::kWaitForever);
        context_.view.processMessages();
    }
}

} // namespace

void filecopy(model::InstallContext& context, const std::vector<std::wstring>& lines,
              std::vector<std::wstring>& skiplist, const std::wstring& name,
              const std::wstring& componentDir) {
    // The component file lies beside the payload and would match "*".
    skiplist.push_back(context.session.ininame);
    SectionCopy section(context, skiplist, name, componentDir);
    for (const auto& line : lines) {
        section.install(line);
    }
    section.registerQueued();
}

} // namespace parcelkit::engine
