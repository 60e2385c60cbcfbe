#include "uninstaller/silent_removal.hpp"

#include "uninstaller/remover.hpp"

namespace parcelkit::uninstaller {

std::vector<std::wstring> installedComponentNames(platform::ProfileStore& profiles,
                                                  const std::wstring& program) {
    std::vector<std::wstring> names;
    for (const auto& component :
         record::readRemovalRecord(recordOf(profiles, program)).components) {
        names.push_back(component.name);
    }
    return names;
}

void finishSelfRemoval(RemovalReport& report, platform::SelfRemoval& self) {
    if (report.removeProgramAfterExit && !self.removeAfterExit(report.directoriesAfterExit)) {
        report.leftovers.push_back(
            {self.programPath(), L"The uninstaller could not arrange to delete itself."});
    }
}

int exitCodeFor(const RemovalReport& report) {
    if (!report.leftovers.empty()) {
        return kExitLeftovers;
    }
    return report.restartNeeded() ? kExitRestartNeeded : kExitRemoved;
}

int removeSilently(RemovalMachine& machine, platform::SelfRemoval& self) {
    const std::wstring program = self.programPath();
    self.prepareRemoval();
    RemovalOptions options;
    options.silent = true;
    options.registryEntries = true;
    RemovalReport report = removeInstallation(
        machine, program, installedComponentNames(machine.profiles, program), options);
    finishSelfRemoval(report, self);
    return exitCodeFor(report);
}

} // namespace parcelkit::uninstaller
