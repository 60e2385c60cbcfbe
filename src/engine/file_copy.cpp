#include "engine/file_copy.hpp"

#include "base/escapes.hpp"
#include "base/paths.hpp"
#include "base/text.hpp"
#include "components/file_list.hpp"
#include "engine/file_entry.hpp"
#include "engine/make_directory.hpp"
#include "engine/replace_at_restart.hpp"
#include "engine/version_compare.hpp"
#include "launch/run_programs.hpp"
#include "model/command_line.hpp"

#include <algorithm>
#include <optional>
#include <unordered_set>

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

// One file of an entry's list that is to be copied, with its place in the list for the
// progress bar and the suffix of its record entry (none when the entry is not recorded
// after the copy).
struct PlannedCopy {
    std::wstring source;
    std::wstring target;
    std::wstring targetName;
    std::uint64_t bytes; // as the source was listed
    bool targetExisted;
    std::optional<std::wstring> suffix;
    bool recordedBefore; // by an earlier installation: its entry stays whatever happens now
    std::size_t index;
    std::size_t count;
};

// The files of a target directory, listed once per entry: a lookup of a file that does not
// exist makes the system search the directory, so one lookup per file would cost each
// file a search of all the others. Names are folded for the ASCII letters only; another
// name is looked up on its own, so that no case rule decides whether a file is replaced.
class TargetFiles {
public:
    TargetFiles(const platform::FileSystem& files, const std::wstring& directory)
        : files_(files), directory_(directory) {
        for (const auto& entry : files.list(base::withoutTrailingBackslashes(directory), L"*")) {
            if (!entry.isDirectory) {
                names_.insert(base::asciiLower(entry.name));
            }
        }
    }
    bool exists(const std::wstring& name) const {
        if (!listable(name)) {
            return files_.fileExists(directory_ + name);
        }
        return names_.count(base::asciiLower(name)) != 0;
    }
    void copied(const std::wstring& name) {
        if (listable(name)) {
            names_.insert(base::asciiLower(name));
        }
    }

private:
    static bool listable(const std::wstring& name) {
        return std::all_of(name.begin(), name.end(),
                           [](wchar_t c) { return c < 0x80 && c != L'\\' && c != L'/'; });
    }

    const platform::FileSystem& files_;
    std::wstring directory_;
    std::unordered_set<std::wstring> names_;
};

// A group is put on the record with one flush before its files are copied. A flush
// writes the whole record, so the groups grow with it: the flushes of a run then cost
// about as much as writing the final record a few times.
constexpr std::size_t kSmallestGroup = 64;
std::size_t groupSize(const record::RecordWriter& record) {
    return std::max(kSmallestGroup, record.size() / 4);
}

// One call of filecopy: the section's entries, then the registrations they queued.
class SectionCopy {
public:
    SectionCopy(model::InstallContext& context, const std::vector<std::wstring>& skiplist,
                const std::wstring& name, const std::wstring& componentDir)
        : context_(context), skiplist_(skiplist), name_(name), componentDir_(componentDir),
          unattended_(model::startedWithArguments(context.platform.system)),
          directoryLabel_(text(model::msg::DirectoryLabel)),
          fileLabel_(text(model::msg::FileLabel)) {}

    void install(const std::wstring& line);
    void registerQueued();

private:
    void plan(const FileEntry& entry, const std::wstring& sourceDirectory,
              const std::wstring& targetDirectory, TargetFiles& targets,
              const platform::DirectoryEntry& listed, std::size_t index, std::size_t count);
    void copyGroup(const std::wstring& targetDirectory, TargetFiles& targets);
    void copyEnded(const PlannedCopy& planned, const platform::Outcome& copied,
                   const std::wstring& targetDirectory, TargetFiles& targets);
    bool replaces(const std::wstring& target, const std::wstring& source) const;
    void record(const std::wstring& target, const std::wstring& suffix);
    void notFound(const std::wstring& path);
    void failed(const std::wstring& message);
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
    // Looked up once: every lookup reads the language file again.
    const std::wstring directoryLabel_;
    const std::wstring fileLabel_;
    std::vector<std::wstring> reglist_;
    std::optional<RecordedDirectory> directory_; // the entry's, until the first flush
    std::vector<PlannedCopy> group_;
    std::unordered_set<std::wstring> groupTargets_;
};

void SectionCopy::install(const std::wstring& line) {
    const FileEntry entry = readFileEntry(line, componentDir_ + L"\\" + context_.session.ininame);
    platform::FileSystem& files = context_.platform.files;
    const std::wstring targetDirectory = withTrailingBackslash(script::extpath(
        entry.targetDirectory, script::MacroForm::Plain, context_.session.dirs, files));
    const std::wstring pattern = componentDir_ + L"\\" + entry.source;
    const auto listed = components::listFiles(pattern, files);
    if (!hasWildcard(entry.source) && !files.fileExists(pattern)) {
        notFound(pattern);
    }
    // The entry asks for the directory: it is there, and recorded, even when no file matches.
    // It is made after the first flush of the entry's files, which puts it on the disk too.
    directory_ = recordDirectory(context_, name_, targetDirectory);
    context_.view.setProgress(0);
    const std::wstring sourceDirectory = directoryPart(pattern);
    TargetFiles targets(files, targetDirectory);
    for (std::size_t index = 0; listed && index < listed->size(); ++index) {
        plan(entry, sourceDirectory, targetDirectory, targets, (*listed)[index], index,
             listed->size());
    }
    copyGroup(targetDirectory, targets);
}

// The decisions of the file copy, file by file in list order: what is registered, what is
// recorded, what is copied. The copies themselves wait for their group.
void SectionCopy::plan(const FileEntry& entry, const std::wstring& sourceDirectory,
                       const std::wstring& targetDirectory, TargetFiles& targets,
                       const platform::DirectoryEntry& listed, std::size_t index,
                       std::size_t count) {
    const std::wstring& name = listed.name;
    if (onSkiplist(skiplist_, name)) {
        return;
    }
    const std::wstring targetName = entry.targetName.empty() ? name : entry.targetName;
    const std::wstring target = targetDirectory + targetName;
    const std::wstring source = sourceDirectory + name;
    // A second file onto the same target is decided on what the first one left there.
    if (groupTargets_.count(target) != 0) {
        copyGroup(targetDirectory, targets);
    }
    const bool targetExists = targets.exists(targetName);

    using Kind = RegistrationFlag::Kind;
    const Kind registration = entry.registration.kind;
    if (registration == Kind::Always) {
        reglist_.push_back(target);
    }
    // Registered and recorded whether or not the file is replaced: the uninstaller learns
    // from the suffix whether the installed copy was kept.
    if (registration == Kind::Shared) {
        reglist_.push_back(target);
        record(target, targetExists && !replaces(target, source) ? L"2" : L"1");
    }
    if (entry.overwrite != OverwriteMode::Always && targetExists) {
        if (entry.overwrite == OverwriteMode::Never || !replaces(target, source)) {
            return;
        }
    }
    if (registration == Kind::WhenCopied) {
        reglist_.push_back(target);
    }
    std::optional<std::wstring> suffix;
    if (entry.recorded && registration != Kind::Shared) {
        suffix = entry.registration.text;
    }
    groupTargets_.insert(target);
    const bool recordedBefore = suffix && model::uninstallRecord(context_).hasFile(target, *suffix);
    group_.push_back({source, target, targetName, listed.size, targetExists, std::move(suffix),
                      recordedBefore, index, count});
    if (group_.size() >= groupSize(model::uninstallRecord(context_))) {
        copyGroup(targetDirectory, targets);
    }
}

// The group's entries reach the record on the disk before any of its files is copied.
void SectionCopy::copyGroup(const std::wstring& targetDirectory, TargetFiles& targets) {
    for (const auto& planned : group_) {
        if (planned.suffix) {
            record(planned.target, *planned.suffix);
        }
    }
    model::flushRecord(context_);
    if (directory_) {
        createMissing(context_, *directory_);
        directory_.reset();
    }
    platform::FileSystem& files = context_.platform.files;
    std::vector<platform::CopyRequest> copies;
    copies.reserve(group_.size());
    for (const auto& planned : group_) {
        // Read-only, hidden or system would make the copy fail.
        if (planned.targetExisted) {
            // A refusal shows in the copy that follows.
            platform::notChecked(files.setNormalAttributes(planned.target));
        }
        copies.push_back({planned.source, planned.target});
    }
    // No two targets of a group are the same, so the copies may run side by side; what
    // follows each one happens here, in list order.
    files.copyFiles(copies, [&](std::size_t index, const platform::Outcome& copied) {
        copyEnded(group_[index], copied, targetDirectory, targets);
    });
    group_.clear();
    groupTargets_.clear();
}

void SectionCopy::copyEnded(const PlannedCopy& planned, const platform::Outcome& copied,
                            const std::wstring& targetDirectory, TargetFiles& targets) {
    show(model::StatusLine::Activity, directoryLabel_ + targetDirectory);
    show(model::StatusLine::Subject, fileLabel_ + planned.targetName);
    context_.view.processMessages();
    if (!copied) {
        platform::FileSystem& files = context_.platform.files;
        // The source is looked for only when the copy fails: one lookup less per file.
        const bool sourceMissing = !files.fileExists(planned.source);
        // Only a target held by a running program waits for the restart; any other refusal
        // (no room, no rights) is the run's failure, not a success postponed.
        const auto& failure = copied.failure();
        const bool held = failure.inUse() || (failure.code == platform::Failure::kAccessDenied &&
                                              planned.targetExisted);
        if (sourceMissing || !held || !replaceAtRestart(context_, planned.source, planned.target)) {
            failed(sourceMissing
                       ? text(model::msg::NotFound) + planned.source
                       : L"Unable to write to " + planned.target + L": " + failure.reason);
            if (planned.suffix && !planned.recordedBefore) {
                model::uninstallRecord(context_).removeFile(planned.target, *planned.suffix);
            }
            return;
        }
    } else {
        context_.copiedSizes.copied(planned.target, planned.bytes);
    }
    targets.copied(planned.targetName);
    context_.view.processMessages();
    context_.view.setProgress(int((planned.index + 1) * 100 / planned.count));
}

bool SectionCopy::replaces(const std::wstring& target, const std::wstring& source) const {
    return VerCheck(context_.platform.versions, context_.platform.files, target, source);
}

void SectionCopy::record(const std::wstring& target, const std::wstring& suffix) {
    model::uninstallRecord(context_).addFile(target, suffix, name_);
}

void SectionCopy::notFound(const std::wstring& path) {
    failed(text(model::msg::NotFound) + path);
}

void SectionCopy::failed(const std::wstring& message) {
    // The run goes on and installs the rest, but it has failed all the same: a run with
    // arguments, which shows no box, still hears of it for its exit code.
    if (unattended_) {
        context_.platform.boxes.report(message, platform::BoxIcon::Error);
        return;
    }
    context_.platform.boxes.show(message, text(model::msg::ErrorCaption), platform::BoxIcon::Error,
                                 platform::BoxButtons::Ok);
}

void SectionCopy::registerQueued() {
    model::flushRecord(context_);
    if (!reglist_.empty()) {
        context_.copiedSizes.forget();
    }
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
