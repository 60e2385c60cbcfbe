#pragma once

#include "fake_processes.hpp"
#include "fake_registry.hpp"
#include "fake_removal_disk.hpp"
#include "fake_system_info.hpp"
#include "memory_profile.hpp"
#include "uninstaller/remover.hpp"

#include <string>
#include <vector>

namespace parcelkit::doubles {

// Starts nothing, but notes every start in the disk's log, and what the registry editor
// was given to import at that moment.
struct LoggingProcesses : FakeProcesses {
    FakeRemovalDisk* disk = nullptr;
    std::vector<std::wstring> imported;

    platform::Result<platform::ProcessRun> run(const platform::ProcessRequest& request) override {
        disk->log.push_back(L"run " + request.commandLine);
        const std::wstring regedit = L"C:\\windows\\regedit.exe /s \"";
        if (request.commandLine.compare(0, regedit.size(), regedit) == 0) {
            const std::wstring file = request.commandLine.substr(
                regedit.size(), request.commandLine.size() - regedit.size() - 1);
            const auto* text = disk->text(file);
            imported.push_back(text == nullptr ? L"(missing)" : *text);
        }
        return FakeProcesses::run(request);
    }
};

// An installation in C:\Program Files\Notes with its uninstaller, record and machine.
struct UninstallerRig {
    static constexpr wchar_t kDir[] = L"C:\\Program Files\\Notes";
    static constexpr wchar_t kProgram[] = L"C:\\Program Files\\Notes\\uninstall.exe";
    static constexpr wchar_t kRecord[] = L"C:\\Program Files\\Notes\\uninstall.ini";

    FakeRemovalDisk disk;
    MemoryProfileStore profiles;
    FakeRegistry registry;
    LoggingProcesses processes;
    FakeSystemInfo system;
    uninstaller::RemovalMachine machine{profiles, disk, disk, disk, registry, processes, system};

    UninstallerRig() {
        processes.disk = &disk;
        disk.addDirectory(L"C:\\windows\\system32");
        disk.addDirectory(L"C:\\users\\ann\\Temp");
        disk.addFile(kProgram);
    }

    void record(const std::wstring& text) {
        profiles.put(kRecord, text);
        disk.addFile(kRecord);
    }
    std::wstring recordText() const {
        const auto* text = profiles.text(kRecord);
        return text == nullptr ? L"" : *text;
    }
    uninstaller::RemovalReport remove(const std::vector<std::wstring>& chosen,
                                      uninstaller::RemovalOptions options = {}) {
        return uninstaller::removeInstallation(machine, kProgram, chosen, options);
    }
};

} // namespace parcelkit::doubles
