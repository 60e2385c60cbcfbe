#include "model/setup_folder.hpp"

#include "base/paths.hpp"
#include "base/text.hpp"
#include "platform/file_system.hpp"
#include "platform/system_info.hpp"

namespace parcelkit::model {

namespace {

bool holdsSetupScript(const platform::FileSystem& files, const std::wstring& folder) {
    return !folder.empty() &&
           files.fileExists(base::withoutOneTrailingBackslash(folder) + L"\\setup.ini");
}

} // namespace

std::wstring setupFolder(const platform::FileSystem& files, const platform::SystemInfo& system) {
    const std::wstring current = files.currentDirectory();
    if (holdsSetupScript(files, current)) {
        return current;
    }
    const std::wstring own = system.programDirectory();
    return holdsSetupScript(files, own) ? own : current;
}

void enterSetupFolder(platform::FileSystem& files, const platform::SystemInfo& system) {
    const std::wstring folder = setupFolder(files, system);
    if (base::equalsIgnoreCase(folder, files.currentDirectory())) {
        return;
    }
    // Refused, the run stays where it was started, as if the folder held no setup script.
    platform::notChecked(files.setCurrentDirectory(folder));
}

} // namespace parcelkit::model
