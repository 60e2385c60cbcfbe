// parcelkit-check for Linux: the same check, reading through portable implementations of
// the platform interfaces.
#include "base/text_encoding.hpp"
#include "checker/document_profiles.hpp"
#include "main/check_program.hpp"
#include "platform/native/native_files.hpp"
#include "platform/native/native_paths.hpp"

#include <filesystem>
#include <system_error>

int main(int argc, char** argv) {
    parcelkit::native::ReadOnlyFileSystem files;
    parcelkit::native::ReadOnlyFileBytes bytes;
    parcelkit::checker::DocumentProfiles profiles(bytes);
    parcelkit::programs::CheckMachine machine{
        files, bytes, profiles, [](const std::wstring& folder) {
            const auto found = parcelkit::native::existingPath(folder);
            std::error_code error;
            if (found) {
                std::filesystem::current_path(*found, error);
            }
            return found && !error;
        }};
    std::vector<std::wstring> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(
            parcelkit::base::decodeMarkedText(std::string("\xEF\xBB\xBF") + argv[i]).value_or(L""));
    }
    return parcelkit::programs::runCheck(arguments, machine);
}
