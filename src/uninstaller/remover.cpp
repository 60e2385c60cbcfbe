#include "uninstaller/remover.hpp"

#include "base/error.hpp"
#include "base/paths.hpp"
#include "base/text.hpp"
#include "model/startup.hpp"
#include "platform/file_bytes.hpp"
#include "record/record_format.hpp"
#include "script/script_file.hpp"
#include "uninstaller/component_removal.hpp"

#include <algorithm>

namespace parcelkit::uninstaller {

namespace {

constexpr wchar_t kRecordName[] = L"uninstall.ini";

bool isChosen(const std::vector<std::wstring>& chosen, const std::wstring& name) {
    return std::any_of(chosen.begin(), chosen.end(),
                       [&](const auto& c) { return record::sameOwner(c, name); });
}

KeptPaths pathsKeptBy(const record::RemovalRecord& record,
                      const std::vector<record::InstalledComponent>& staying) {
    KeptPaths kept;
    for (const auto& component : staying) {
        for (const auto& file : record.filesOf(component.name)) {
            kept.insert(base::asciiUpper(file.path));
        }
    }
    return kept;
}

// The entry is this installation's only when its command names this very uninstaller;
// another installation with the same id elsewhere keeps its own.
void removeInstalledProgramsEntry(RemovalContext& context, const std::wstring& id) {
    if (id.empty()) {
        return;
    }
    auto& registry = context.machine.registry;
    const std::wstring key = std::wstring(model::kUninstallKey) + id;
    const auto command =
        registry.readString(platform::RootKey::LocalMachine, key, L"UninstallString");
    if (!command || !base::equalsIgnoreCase(model::uninstallerOf(*command), context.program)) {
        return;
    }
    if (!registry.deleteTree(platform::RootKey::LocalMachine, key)) {
        context.leftover(L"HKEY_LOCAL_MACHINE\\" + key, L"The registry refused the deletion.");
    }
}

bool removeRemainingFiles(RemovalContext& context, const record::RemovalRecord& left) {
    bool complete = true;
    for (const auto& file : left.files) {
        // The running program is taken care of after it has ended.
        if (base::equalsIgnoreCase(file.path, context.program) || file.suffix == L"2" ||
            removeFile(context, file.path)) {
            context.forget(record::kFileSection, file.key);
        } else {
            complete = false;
        }
    }
    return complete;
}

// Directories that hold the running program can go only after it; the rest go now.
std::vector<std::wstring> removeRemainingDirectories(RemovalContext& context,
                                                     std::vector<record::RecordedDirectory> left) {
    std::stable_sort(left.begin(), left.end(), [](const auto& a, const auto& b) {
        return base::depthOf(a.path) > base::depthOf(b.path);
    });
    std::vector<std::wstring> holdingProgram;
    for (const auto& dir : left) {
        if (base::isWithin(context.program, dir.path)) {
            if (base::isRemovablePath(dir.path)) {
                holdingProgram.push_back(base::withoutTrailingBackslashes(dir.path));
            }
            continue;
        }
        switch (removeDirectory(context, dir.path)) {
        case DirectoryOutcome::NotEmpty:
            context.leftover(base::withoutTrailingBackslashes(dir.path),
                             L"The directory holds files that were not installed; kept.");
            break;
        case DirectoryOutcome::Refused:
            break;
        default:
            context.forget(record::kDirSection, dir.key);
        }
    }
    return holdingProgram;
}

void removeProgramItself(RemovalContext& context, const std::vector<std::wstring>& directories) {
    if (!context.report.restartNeeded()) {
        context.report.removeProgramAfterExit = true;
        context.report.directoriesAfterExit = directories;
        return;
    }
    // The restart deletes in the order asked: the program first, then its directories.
    auto& removal = context.machine.removal;
    if (!removal.deleteAtRestart(context.program)) {
        context.leftover(context.program, L"The deletion at restart was refused.");
        return;
    }
    context.markPending(context.program);
    for (const auto& dir : directories) {
        if (removal.deleteAtRestart(dir)) {
            context.markPending(dir);
        }
    }
}

// A run killed while it wrote the record leaves the new text beside it: nobody else's file.
void removeInterruptedRecordWrites(RemovalContext& context) {
    const std::wstring pattern = platform::temporaryCopiesOf(kRecordName);
    for (const auto& entry : context.machine.files.list(context.installDir, pattern)) {
        if (!entry.isDirectory) {
            platform::notChecked(
                context.machine.removal.removeFile(context.installDir + L"\\" + entry.name));
        }
    }
}

void removeInstallationItself(RemovalContext& context) {
    const record::RemovalRecord left = record::readRemovalRecord(context.record);
    runRemovalPrograms(context,
                       script::readListSection(context.record, record::kUninstallRunSection),
                       Phase::After);
    if (!removeRemainingFiles(context, left)) {
        context.saveRecord(); // the record stays, so that another run can try again
        return;
    }
    removeInterruptedRecordWrites(context);
    const auto holdingProgram = removeRemainingDirectories(context, left.directories);
    const std::wstring unreg = context.installDir + L"\\unreg.reg";
    if (context.machine.files.fileExists(unreg)) {
        if (const auto removed = context.machine.removal.removeFile(unreg); !removed) {
            context.leftover(unreg, removed.failure().reason);
        }
    }
    removeInstalledProgramsEntry(context, left.id);
    const std::wstring record = context.record.path();
    if (const auto removed = context.machine.removal.removeFile(record); !removed) {
        context.leftover(record, removed.failure().reason);
        context.saveRecord();
        return;
    }
    context.report.installationRemoved = true;
    removeProgramItself(context, holdingProgram);
}

} // namespace

std::wstring recordPathFor(const std::wstring& program) {
    return base::parentOf(program) + L"\\" + kRecordName;
}

script::ProfileDocument recordOf(platform::ProfileStore& profiles, const std::wstring& program) {
    const std::wstring path = recordPathFor(program);
    const auto text = profiles.readText(path);
    return script::ProfileDocument(path, text ? *text : std::wstring());
}

RemovalReport removeInstallation(RemovalMachine& machine, const std::wstring& program,
                                 const std::vector<std::wstring>& chosen,
                                 const RemovalOptions& options, const StatusLine& status) {
    const std::wstring recordPath = recordPathFor(program);
    const auto text = machine.profiles.readText(recordPath);
    script::ProfileDocument ini(recordPath, text ? *text : std::wstring());
    RemovalContext context{machine, ini, base::parentOf(program), program, options, status, {}, {}};
    if (!text || !machine.files.fileExists(recordPath)) {
        context.leftover(recordPath, L"There is no uninstall record; nothing was removed.");
        return context.report;
    }
    try {
        const record::RemovalRecord record = record::readRemovalRecord(ini);
        std::vector<record::InstalledComponent> going;
        std::vector<record::InstalledComponent> staying;
        for (const auto& component : record.components) {
            (isChosen(chosen, component.name) ? going : staying).push_back(component);
        }
        const bool everything = staying.empty();
        if (everything) {
            runRemovalPrograms(context, script::readListSection(ini, record::kUninstallRunSection),
                               Phase::Before);
        }
        const KeptPaths kept = pathsKeptBy(record, staying);
        bool complete = true;
        for (const auto& component : going) {
            machine.log.setComponent(component.name);
            complete = removeComponent(context, record, component, kept) && complete;
            context.saveRecord();
        }
        machine.log.setComponent({});
        if (everything && complete) {
            removeInstallationItself(context);
        }
    } catch (const base::Error& error) {
        context.leftover(error.object(), error.operation() + L": " + error.reason());
    }
    return context.report;
}

} // namespace parcelkit::uninstaller
