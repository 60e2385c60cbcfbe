#include "base/escapes.hpp"
#include "base/paths.hpp"
#include "base/text.hpp"
#include "launch/run_programs.hpp"
#include "uninstaller/removal_context.hpp"

namespace parcelkit::uninstaller {

namespace {

struct RemovalRun {
    Phase phase = Phase::Before;
    std::wstring when;
    std::wstring wait;
    std::wstring show;
    bool known = true; // a phase word other than "before" or "after" never runs
};

RemovalRun readRemovalRun(std::wstring_view valueSide) {
    std::vector<std::wstring> fields;
    base::extstring(L"|", valueSide, fields);
    RemovalRun run;
    // Three fields name no phase; fewer may name only a phase, as "after" alone does.
    const bool namesPhase =
        fields.size() >= 4 ||
        (fields.size() < 3 && !fields.empty() && (fields[0] == L"before" || fields[0] == L"after"));
    if (namesPhase) {
        run.known = fields[0] == L"before" || fields[0] == L"after";
        run.phase = fields[0] == L"after" ? Phase::After : Phase::Before;
        fields.erase(fields.begin());
    }
    fields.resize(std::max<std::size_t>(fields.size(), 3));
    run.when = fields[0];
    run.wait = fields[1];
    run.show = fields[2];
    return run;
}

std::wstring folded(const std::wstring& path) {
    return base::asciiUpper(base::withoutTrailingBackslashes(path));
}

} // namespace

// In memory, where nothing refuses them; saveRecord() may be refused.
void RemovalContext::forget(const std::wstring& section, const std::wstring& key) {
    platform::notChecked(record.deleteKey(section, key));
}

void RemovalContext::forgetSection(const std::wstring& section) {
    platform::notChecked(record.deleteSection(section));
}

void RemovalContext::rewrite(const std::wstring& section, const std::wstring& key,
                             const std::wstring& value) {
    platform::notChecked(record.writeString(section, key, value));
}

void RemovalContext::saveRecord() {
    if (!record.changed()) {
        return;
    }
    platform::require(machine.profiles.writeText(record.path(), record.text()),
                      L"Unable to write to", record.path());
    record.markSaved();
}

bool RemovalContext::isPending(const std::wstring& path) const {
    return pending.count(folded(path)) != 0;
}

void RemovalContext::markPending(const std::wstring& path) {
    pending.insert(folded(path));
    report.atRestart.push_back(path);
}

void runRemovalPrograms(RemovalContext& context, const std::vector<std::wstring>& lines,
                        Phase phase) {
    for (const auto& line : lines) {
        std::wstring valueSide = line;
        std::wstring keySide = base::parse(valueSide, L"=");
        const RemovalRun run = readRemovalRun(valueSide);
        if (!run.known || run.phase != phase) {
            continue;
        }
        if (context.options.silent && run.when != L"always") {
            continue;
        }
        // The record holds the key with its path macros expanded already.
        const std::wstring program = base::extstr(base::parse(keySide, L"|"));
        const std::wstring parameters = base::extstr(base::parse(keySide, L"|"));
        const std::wstring directory = base::extstr(keySide);
        context.show(program);
        const bool wait = run.wait == L"wait";
        const bool ended =
            launch::ExecuteWait(context.machine.processes, program, parameters, directory,
                                run.show == L"hide" ? platform::kShowHidden : platform::kShowNormal,
                                wait ? platform::kWaitForever : 0);
        if (wait && !ended) {
            context.leftover(program, L"The program could not be started.");
        }
    }
}

bool removeFile(RemovalContext& context, const std::wstring& path) {
    if (!base::isRemovablePath(path)) {
        context.leftover(path, L"The record names no single file here; left alone.");
        return false;
    }
    if (!context.machine.files.fileExists(path)) {
        return true;
    }
    context.show(path);
    const auto removed = context.machine.removal.removeFile(path);
    if (removed) {
        return true;
    }
    if (context.machine.removal.deleteAtRestart(path)) {
        context.markPending(path);
        return true;
    }
    context.leftover(path, removed.failure().reason);
    return false;
}

DirectoryOutcome removeDirectory(RemovalContext& context, const std::wstring& path) {
    if (!base::isRemovablePath(path)) {
        context.leftover(path, L"The record names no single directory here; left alone.");
        return DirectoryOutcome::Refused;
    }
    auto& files = context.machine.files;
    if (!files.directoryExists(path)) {
        return DirectoryOutcome::Missing;
    }
    const std::wstring dir = base::withoutTrailingBackslashes(path);
    const auto removed = context.machine.removal.removeEmptyDirectory(dir);
    if (removed) {
        return DirectoryOutcome::Removed;
    }
    const auto entries = files.list(dir, L"*");
    const bool emptyAtRestart =
        !entries.empty() && std::all_of(entries.begin(), entries.end(), [&](const auto& e) {
            return context.isPending(dir + L"\\" + e.name);
        });
    if (emptyAtRestart && context.machine.removal.deleteAtRestart(dir)) {
        context.markPending(dir);
        return DirectoryOutcome::AtRestart;
    }
    if (!entries.empty()) {
        return DirectoryOutcome::NotEmpty;
    }
    context.leftover(dir, removed.failure().reason);
    return DirectoryOutcome::Refused;
}

} // namespace parcelkit::uninstaller
