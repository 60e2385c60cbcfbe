#include "app/program.hpp"

#include "app/install_steps.hpp"
#include "app/language.hpp"
#include "app/language_dialog.hpp"
#include "app/messages.hpp"
#include "app/program_start.hpp"
#include "app/session.hpp"
#include "app/wizard_presenter.hpp"
#include "platform/error.hpp"
#include "platform/platform.hpp"

namespace parcelkit::app {

namespace {

// The steps as far as they exist today. The component tree (readlist, detect,
// Checksetup) and the install driver (Install) plug in here once they are ready; until
// then the wizard walks its pages and installs nothing.
class InterimInstallSteps : public InstallSteps {
public:
    InterimInstallSteps(const Session& session, const LanguageSource& language,
                        platform::Platform& platform)
        : session_(session), language_(language), platform_(platform) {}

    bool readlist() override {
        if (hasComponentFolder()) {
            return true;
        }
        const MessageTexts texts = language_.texts();
        platform_.boxes.show(texts.text(msg::NothingToInstall), texts.text(msg::ErrorCaption),
                             platform::BoxIcon::Error, platform::BoxButtons::Ok);
        return false;
    }
    void detect() override {}
    bool Checksetup() override { return true; }
    void Install(const StopRequest&) override {}

private:
    // A sub-folder of the setup folder that holds the component file is a component.
    bool hasComponentFolder() const {
        const std::wstring& dir = session_.dirs.currentdir;
        for (const auto& entry : platform_.files.list(dir, L"*")) {
            if (entry.isDirectory &&
                platform_.files.fileExists(dir + L"\\" + entry.name + L"\\" + session_.ininame)) {
                return true;
            }
        }
        return false;
    }

    const Session& session_;
    const LanguageSource& language_;
    platform::Platform& platform_;
};

// Only ASCII reaches what(): our own errors carry their text as PlatformError.
std::wstring describe(const std::exception& error) {
    if (const auto* platformError = dynamic_cast<const platform::PlatformError*>(&error)) {
        return platformError->describe();
    }
    const std::string what = error.what();
    return std::wstring(what.begin(), what.end());
}

} // namespace

int run(platform::Platform& platform, platform::Shutdown& shutdown, ProgramWindows& windows) {
    Session session;
    LanguageSource language;
    InterimInstallSteps steps(session, language, platform);
    WizardPresenter wizard(windows.wizardView(), session, language, steps, windows, platform,
                           shutdown);
    LanguageDialogPresenter dialog(windows.dialogView(), language, windows.wizardView(), session,
                                   wizard, windows, platform);
    const FailureReport report = [&](const std::exception& error) {
        const std::wstring caption = language.langfile ? language.texts().text(msg::ErrorCaption)
                                                       : std::wstring(msg::ErrorCaption.fallback);
        platform.boxes.show(describe(error), caption, platform::BoxIcon::Error,
                            platform::BoxButtons::Ok);
    };
    windows.connect(dialog, wizard, report);
    try {
        startProgram(dialog, wizard);
    } catch (const std::exception& error) {
        report(error);
        windows.endProgram();
    }
    windows.runMessageLoop();
    return 0;
}

} // namespace parcelkit::app
