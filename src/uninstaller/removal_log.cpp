#include "uninstaller/removal_log.hpp"

#include "record/record_format.hpp"
#include "runlog/log_file.hpp"
#include "uninstaller/remover.hpp"

namespace parcelkit::uninstaller {

platform::Outcome startRemovalLog(RemovalMachine& machine, const std::wstring& program,
                                  const std::wstring& asked) {
    const std::wstring id =
        asked.empty()
            ? recordOf(machine.profiles, program).readString(record::kMainSection, L"id", L"")
            : std::wstring();
    return runlog::startLog(
        machine.log, runlog::logFilePath(asked, machine.system.tempDirectory(), id, L"uninstall"),
        machine.system.commandLine());
}

} // namespace parcelkit::uninstaller
