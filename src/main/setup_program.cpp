#include "main/setup_program.hpp"

#include "model/install_steps.hpp"
#include "model/language.hpp"
#include "presenters/language_dialog.hpp"
#include "model/messages.hpp"
#include "presenters/program_start.hpp"
#include "model/session.hpp"
#include "presenters/wizard_presenter.hpp"
#include "engine/install.hpp"
#include "model/install_context.hpp"
#include "base/error.hpp"
#include "platform/platform.hpp"
#include "components/component_page.hpp"
#include "components/earlier_installation.hpp"

namespace parcelkit::app {

namespace {

// The component page and the install driver as the wizard starts them. The component page
// builds the tree, detects installed components and checks the destination; Install reads
// the tree's final states through components().
class ProgramInstallSteps : public InstallSteps {
public:
    ProgramInstallSteps(Session& session, const LanguageSource& language,
                        platform::Platform& platform, const platform::Collation& collation,
                        script::ComponentTreeView& view, engine::InstallView& installView,
                        engine::SystemSteps& systemSteps)
        : session_(session), language_(language), platform_(platform), installView_(installView),
          systemSteps_(systemSteps), components_(view, session, language, platform, collation) {}

    // The tree in absolute order with its states, children and titles, and the per-node
    // lists (componentdirs, namelist, ...) indexed the same way.
    script::ComponentPage& components() { return components_; }

    bool readlist() override { return components_.readlist(); }
    void detect() override { components_.detect(); }
    bool Checksetup() override {
        // Rebuilt: the earlier installation was removed and the tree shows what is left.
        return script::Checksetup(session_, language_.texts(), platform_, components_) !=
               script::SetupCheck::EndProgram;
    }
    void Install(const StopRequest& stop) override {
        components_.expandAll();
        const MessageTexts texts = language_.texts();
        engine::InstallContext context{platform_, session_,     *session_.setupini,
                                       texts,     installView_, nullptr};
        engine::Install(context, {components_.tree(), components_.lists()}, systemSteps_, stop);
    }

private:
    Session& session_;
    const LanguageSource& language_;
    platform::Platform& platform_;
    engine::InstallView& installView_;
    engine::SystemSteps& systemSteps_;
    script::ComponentPage components_;
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

int run(platform::Platform& platform, const platform::Collation& collation,
        platform::Shutdown& shutdown, engine::SystemSteps& systemSteps, ProgramWindows& windows) {
    Session session;
    LanguageSource language;
    ProgramInstallSteps steps(session, language, platform, collation, windows.componentTreeView(),
                              windows.installView(), systemSteps);
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
    windows.connect(dialog, wizard, steps.components(), report);
    // A silent installation that ends in an error must not look like a success to the
    // script that started it.
    int exitCode = 0;
    try {
        startProgram(dialog, wizard);
    } catch (const std::exception& error) {
        report(error);
        windows.endProgram();
        exitCode = 1;
    }
    windows.runMessageLoop();
    return exitCode;
}

} // namespace parcelkit::app
