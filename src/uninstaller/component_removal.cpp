#include "uninstaller/component_removal.hpp"

#include "base/error.hpp"
#include "base/paths.hpp"
#include "base/text.hpp"
#include "base/text_encoding.hpp"
#include "launch/run_programs.hpp"
#include "launch/system_tools.hpp"
#include "record/record_format.hpp"
#include "record/unreg_blocks.hpp"
#include "script/script_file.hpp"
#include "script/text_files.hpp"

#include <algorithm>

namespace parcelkit::uninstaller {

namespace {

// A file that was there before and newer than ours: whoever put it there still uses it.
bool wasThereBefore(const record::RecordedFile& file) {
    return file.suffix == L"2";
}

bool isComServer(const record::RecordedFile& file) {
    return file.suffix == L"1" || file.suffix == L"3";
}

bool keptByOthers(const record::RecordedFile& file, const KeptPaths& kept) {
    return kept.count(base::asciiUpper(file.path)) != 0;
}

std::wstring systemTool(const RemovalContext& context, const wchar_t* name) {
    return base::withoutTrailingBackslashes(context.machine.system.systemDirectory()) + L"\\" +
           name;
}

std::wstring registryEditor(const RemovalContext& context) {
    const auto& system = context.machine.system;
    return launch::systemToolPath(
        context.machine.files, base::withoutTrailingBackslashes(system.systemDirectory()),
        base::withoutTrailingBackslashes(system.windowsDirectory()), L"regedit.exe");
}

void unregisterServers(RemovalContext& context, const std::vector<record::RecordedFile>& files) {
    for (const auto& file : files) {
        if (!isComServer(file) || !context.machine.files.fileExists(file.path)) {
            continue;
        }
        context.show(file.path);
        // The server's own answer is not looked at: the file goes either way.
        if (!launch::ExecuteWait(context.machine.processes, systemTool(context, L"regsvr32.exe"),
                                 L"/u /s \"" + file.path + L"\"", L"", platform::kShowHidden,
                                 platform::kWaitForever)) {
            context.leftover(file.path, L"regsvr32.exe could not be started to unregister it.");
        }
    }
}

bool removeFiles(RemovalContext& context, const std::vector<record::RecordedFile>& files,
                 const KeptPaths& kept) {
    bool complete = true;
    for (const auto& file : files) {
        if (wasThereBefore(file) || keptByOthers(file, kept) || removeFile(context, file.path)) {
            context.forget(record::kFileSection, file.key);
        } else {
            complete = false;
        }
    }
    return complete;
}

bool removeSettings(RemovalContext& context, const std::vector<record::RecordedSetting>& settings) {
    if (settings.empty()) {
        return true;
    }
    const std::wstring path =
        base::withoutTrailingBackslashes(context.machine.system.windowsDirectory()) +
        L"\\system.ini";
    const auto systemIni = context.machine.profiles.open(path);
    bool complete = true;
    for (const auto& setting : settings) {
        try {
            if (!setting.section.empty() && !setting.name.empty()) {
                platform::require(systemIni->deleteKey(setting.section, setting.name),
                                  L"Unable to write to", path);
            }
            context.forget(record::kSystemIniSection, setting.key);
        } catch (const base::Error& error) {
            context.leftover(path + L" [" + setting.section + L"] " + setting.name, error.reason());
            complete = false;
        }
    }
    return complete;
}

void removeDirectories(RemovalContext& context,
                       std::vector<record::RecordedDirectory> directories) {
    std::stable_sort(directories.begin(), directories.end(), [](const auto& a, const auto& b) {
        return base::depthOf(a.path) > base::depthOf(b.path);
    });
    for (const auto& dir : directories) {
        switch (removeDirectory(context, dir.path)) {
        case DirectoryOutcome::Removed:
        case DirectoryOutcome::Missing:
        case DirectoryOutcome::AtRestart:
            context.forget(record::kDirSection, dir.key);
            break;
        case DirectoryOutcome::NotEmpty:
            // Tried again when the whole installation goes.
            context.rewrite(record::kDirSection, dir.key, record::kShared);
            context.leftover(base::withoutTrailingBackslashes(dir.path),
                             L"The directory holds files that were not installed; kept.");
            break;
        case DirectoryOutcome::Refused:
            break;
        }
    }
}

} // namespace

bool removeRegistryEntries(RemovalContext& context, const std::wstring& name) {
    auto& bytes = context.machine.bytes;
    const std::wstring unreg = context.installDir + L"\\unreg.reg";
    const auto text = script::readText(bytes, unreg);
    const auto block = text ? record::blockAsRegistryFile(*text, name) : std::nullopt;
    if (!block) {
        return true;
    }
    // A name of its own in the shared temporary folder, created before it is written.
    const std::wstring tempDir =
        base::withoutTrailingBackslashes(context.machine.system.tempDirectory());
    const auto created = context.machine.files.createTemporaryFile(tempDir, L"unr");
    if (!created) {
        context.leftover(L"unreg.reg ;" + name, tempDir + L": " + created.failure().reason);
        return false;
    }
    const std::wstring& temporary = *created;
    if (const auto written = bytes.write(temporary, base::encodeUtf16(*block)); !written) {
        platform::notChecked(context.machine.removal.removeFile(temporary));
        context.leftover(L"unreg.reg ;" + name, temporary + L": " + written.failure().reason);
        return false;
    }
    context.show(unreg);
    // The registry editor imports nothing from an unquoted path with blanks.
    const bool ran = launch::ExecuteWait(context.machine.processes, registryEditor(context),
                                         L"/s \"" + temporary + L"\"", L"", platform::kShowHidden,
                                         platform::kWaitForever);
    platform::notChecked(context.machine.removal.removeFile(temporary));
    if (!ran) {
        context.leftover(L"unreg.reg ;" + name, L"regedit.exe could not be started.");
        return false;
    }
    // Applied twice does no harm: a file that keeps the block is no error.
    const auto rest = bytes.write(unreg, base::encodeUtf16(record::withoutBlock(*text, name)));
    if (!rest) {
        context.leftover(unreg, rest.failure().reason);
    }
    return true;
}

bool removeComponent(RemovalContext& context, const record::RemovalRecord& record,
                     const record::InstalledComponent& component, const KeptPaths& kept) {
    const std::wstring& name = component.name;
    context.show(component.caption.empty() ? name : component.caption);
    const auto programs = script::readListSection(context.record, record::runSection(name));
    runRemovalPrograms(context, programs, Phase::Before);

    const auto files = record.filesOf(name);
    std::vector<record::RecordedFile> going;
    std::copy_if(files.begin(), files.end(), std::back_inserter(going),
                 [&](const auto& f) { return !wasThereBefore(f) && !keptByOthers(f, kept); });
    unregisterServers(context, going);
    bool complete = removeFiles(context, files, kept);
    complete = removeSettings(context, record.settingsOf(name)) && complete;
    if (context.options.registryEntries) {
        complete = removeRegistryEntries(context, name) && complete;
    }
    runRemovalPrograms(context, programs, Phase::After);
    removeDirectories(context, record.directoriesOf(name));

    if (complete) {
        context.forgetSection(record::runSection(name));
        context.forgetSection(record::infoSection(name));
        context.forget(record::kListSection, name);
        context.report.removedComponents.push_back(name);
    }
    return complete;
}

} // namespace parcelkit::uninstaller
