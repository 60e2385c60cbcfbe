#include "main/check_program.hpp"

#include "base/error.hpp"
#include "base/text_encoding.hpp"
#include "checker/command.hpp"
#include "checker/folder_check.hpp"
#include "checker/report.hpp"

#include <cstdio>

namespace parcelkit::programs {

namespace {

void write(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

} // namespace

int runCheck(const std::vector<std::wstring>& arguments, CheckMachine& machine) {
    const auto command = checker::readCheckCommand(arguments);
    if (!command) {
        write(stderr, checker::kCheckUsage);
        return checker::kCannotCheck;
    }
    if (!machine.enterFolder(command->folder)) {
        write(stderr,
              "parcelkit-check: cannot enter the folder " + base::toUtf8(command->folder) + "\n");
        return checker::kCannotCheck;
    }
    try {
        const checker::FolderAccess folder{machine.files, machine.bytes, machine.profiles,
                                           machine.files.currentDirectory()};
        const checker::Findings findings = checker::checkFolder(folder);
        write(stdout,
              command->json ? checker::jsonReport(findings) : checker::textReport(findings));
        return checker::exitCode(findings);
    } catch (const base::Error& error) {
        std::string message = "parcelkit-check: ";
        message.append(error.what()).append("\n");
        write(stderr, message);
        return checker::kCannotCheck;
    }
}

} // namespace parcelkit::programs
