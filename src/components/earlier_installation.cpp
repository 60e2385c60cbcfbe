#include "components/earlier_installation.hpp"

#include "base/paths.hpp"
#include "components/component_page.hpp"
#include "components/warning_question.hpp"
#include "launch/run_programs.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "model/startup.hpp"
#include "platform/platform.hpp"

namespace parcelkit::components {

namespace {

// The destination as the user typed it may end with a backslash.
std::wstring fileIn(const std::wstring& setupdir, const wchar_t* name) {
    return base::withoutOneTrailingBackslash(setupdir) + L"\\" + name;
}

} // namespace

bool earlierInstallation(const std::wstring& setupdir, const platform::FileSystem& files) {
    return files.fileExists(fileIn(setupdir, L"uninstall.exe")) &&
           files.fileExists(fileIn(setupdir, L"uninstall.ini"));
}

SetupCheck Checksetup(const model::Session& session, const model::MessageTexts& texts,
                      platform::Platform& platform, ComponentPage& page) {
    const std::wstring& setupdir = session.dirs.setupdir;
    const bool present = earlierInstallation(setupdir, platform.files);
    const std::wstring caption = texts.text(model::msg::NoticeCaption);
    if (!session.setupmode) {
        if (present ||
            askWarning(platform.boxes, texts.text(model::msg::NotInstalledForUpdate), caption)) {
            return SetupCheck::Continue;
        }
        return SetupCheck::EndProgram;
    }
    if (!present) {
        return SetupCheck::Continue;
    }
    if (!askWarning(platform.boxes, texts.text(model::msg::AlreadyInstalled), caption)) {
        return SetupCheck::EndProgram;
    }
    // The uninstaller works on its own record; whether it could start or not, the tree is
    // built again so that it shows what is installed now.
    launch::ExecuteWait(platform.processes, fileIn(setupdir, L"uninstall.exe"), L"", L"",
                        platform::kShowNormal, platform::kWaitForever);
    if (!page.readlist()) {
        return SetupCheck::EndProgram;
    }
    page.detect();
    return SetupCheck::Rebuilt;
}

} // namespace parcelkit::components
