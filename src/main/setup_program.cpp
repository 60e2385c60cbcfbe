#include "main/setup_program.hpp"

#include "base/error.hpp"
#include "components/command_line_choice.hpp"
#include "components/component_page.hpp"
#include "components/earlier_installation.hpp"
#include "engine/install.hpp"
#include "model/command_line.hpp"
#include "model/install_context.hpp"
#include "model/install_steps.hpp"
#include "model/language.hpp"
#include "model/messages.hpp"
#include "model/run_outcome.hpp"
#include "model/session.hpp"
#include "model/setup_folder.hpp"
#include "platform/platform.hpp"
#include "platform/run_lock.hpp"
#include "presenters/language_dialog.hpp"
#include "presenters/program_start.hpp"
#include "presenters/wizard_presenter.hpp"
#include "runlog/log_file.hpp"
#include "runlog/step_line.hpp"

namespace parcelkit::programs {

namespace {

// The component page and the install driver as the wizard starts them. The component page
// builds the tree, detects installed components and checks the destination; Install reads
// the tree's final states through components().
class ProgramInstallSteps : public model::InstallSteps {
public:
    ProgramInstallSteps(model::Session& session, const model::LanguageSource& language,
                        platform::Platform& platform, const platform::Collation& collation,
                        components::ComponentTreeView& view, model::InstallView& installView,
                        engine::SystemSteps& systemSteps, std::optional<std::wstring> choice)
        : session_(session), language_(language), platform_(platform), installView_(installView),
          systemSteps_(systemSteps), choice_(std::move(choice)),
          components_(view, session, language, platform, collation) {}

    // The tree in absolute order with its states, children and titles, and each node's
    // component (folder, NAME, ...) in the same order.
    components::ComponentPage& components() { return components_; }

    bool readlist() override { return components_.readlist(); }
    void detect() override {
        components_.detect();
        // The tree starts with the command line's choice, in the wizard as under "/s".
        if (choice_) {
            components::applyCommandLineChoice(components_, *choice_, platform_.boxes);
        }
    }
    bool Checksetup() override {
        // Rebuilt: the earlier installation was removed and the tree shows what is left.
        return components::Checksetup(session_, language_.texts(), platform_, components_) !=
               components::SetupCheck::EndProgram;
    }
    void Install(const model::StopRequest& stop) override {
        components_.expandAll();
        const model::MessageTexts texts = language_.texts();
        model::InstallContext context{platform_, session_,     *session_.setupini,
                                      texts,     installView_, nullptr};
        engine::Install(context, {components_.tree(), components_.components()}, systemSteps_,
                        stop);
    }

private:
    model::Session& session_;
    const model::LanguageSource& language_;
    platform::Platform& platform_;
    model::InstallView& installView_;
    engine::SystemSteps& systemSteps_;
    std::optional<std::wstring> choice_; // "/components:"
    components::ComponentPage components_;
};

std::wstring setupId(platform::Platform& machine) {
    return machine.profiles.open(machine.files.currentDirectory() + L"\\setup.ini")
        ->readString(L"main", L"id", L"");
}

// Two runs of one product at once would interleave their copies and their records.
bool anotherRunIsActive(const std::wstring& id, platform::RunLocks& locks) {
    return !id.empty() && !locks.acquire(L"Parcelkit.Setup." + id);
}

constexpr wchar_t kAlreadyRunning[] =
    L"Another installation of this program is running. Wait until it has ended, then start "
    L"setup again.";

int install(platform::Platform& machine, const model::CommandLine& line,
            const platform::Collation& collation, platform::Shutdown& shutdown,
            engine::SystemSteps& systemSteps, presenters::ProgramWindows& windows) {
    // Every box of the run goes through these: a silent run shows none, any error decides
    // the exit code, and the log hears of each.
    model::RunOutcomeBoxes boxes(machine.boxes, line.silent, machine.log);
    platform::Platform platform{machine.profiles, machine.files,     machine.system,
                                machine.registry, machine.processes, boxes,
                                machine.versions, machine.log};
    model::Session session;
    model::LanguageSource language;
    ProgramInstallSteps steps(session, language, platform, collation, windows.componentTreeView(),
                              windows.installView(), systemSteps, line.deployment.components);
    presenters::WizardPresenter wizard(windows.wizardView(), session, language, steps, windows,
                                       platform, shutdown);
    presenters::LanguageDialogPresenter dialog(windows.dialogView(), language, windows.wizardView(),
                                               session, wizard, windows, platform);
    const presenters::FailureReport report = [&](const std::exception& error) {
        const std::wstring caption = language.langfile
                                         ? language.texts().text(model::msg::ErrorCaption)
                                         : std::wstring(model::msg::ErrorCaption.fallback);
        platform.boxes.show(base::describe(error), caption, platform::BoxIcon::Error,
                            platform::BoxButtons::Ok);
    };
    windows.connect(dialog, wizard, steps.components(), report);
    try {
        presenters::startProgram(dialog, wizard);
    } catch (const std::exception& error) {
        report(error);
        windows.endProgram();
    }
    windows.runMessageLoop();
    return exitCodeOf(boxes.failed(), wizard.installed(), session.needreboot, line.usage);
}

} // namespace

int runSetup(platform::Platform& machine, const platform::Collation& collation,
             platform::Shutdown& shutdown, platform::RunLocks& locks,
             engine::SystemSteps& systemSteps, presenters::ProgramWindows& windows) {
    // Before anything reads the current directory.
    model::enterSetupFolder(machine.files, machine.system);
    const model::CommandLine line =
        model::readCommandLine(machine.system.commandLine(), machine.system.arguments());
    const std::wstring id = setupId(machine);
    if (const auto& asked = line.deployment.logFile) {
        const std::wstring path =
            runlog::logFilePath(*asked, machine.system.tempDirectory(), id, L"setup");
        if (const auto started = runlog::startLog(machine.log, path, machine.system.commandLine());
            !started) {
            // A run asked to leave a log must not run without one: nobody would learn
            // what it did.
            if (!line.silent) {
                machine.boxes.show(L"Cannot write the log " + path + L": " +
                                       started.failure().reason,
                                   std::wstring(model::msg::ErrorCaption.fallback),
                                   platform::BoxIcon::Error, platform::BoxButtons::Ok);
            }
            return model::kExitFailed;
        }
    }
    int code = model::kExitAlreadyRunning;
    if (anotherRunIsActive(id, locks)) {
        runlog::logMessage(machine.log, true, kAlreadyRunning);
        if (!line.silent) {
            machine.boxes.show(kAlreadyRunning, std::wstring(model::msg::ErrorCaption.fallback),
                               platform::BoxIcon::Warning, platform::BoxButtons::Ok);
        }
    } else {
        code = install(machine, line, collation, shutdown, systemSteps, windows);
    }
    runlog::logExitCode(machine.log, code);
    return code;
}

int exitCodeOf(bool failed, bool installed, bool restartNeeded, bool usage) {
    if (failed) {
        return model::kExitFailed;
    }
    if (installed) {
        return restartNeeded ? model::kExitRestartNeeded : model::kExitDone;
    }
    // The usage text is all that was asked for; any other run that ends before the
    // installation was left by the user.
    return usage ? model::kExitDone : model::kExitCancelled;
}

} // namespace parcelkit::programs
