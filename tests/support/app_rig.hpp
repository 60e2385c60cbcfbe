#pragma once

#include "fake_file_system.hpp"
#include "fake_install_steps.hpp"
#include "fake_language_dialog_view.hpp"
#include "fake_message_boxes.hpp"
#include "fake_processes.hpp"
#include "fake_program_end.hpp"
#include "fake_registry.hpp"
#include "fake_shutdown.hpp"
#include "fake_system_info.hpp"
#include "fake_version_info.hpp"
#include "fake_wizard_view.hpp"
#include "memory_profile.hpp"
#include "model/language.hpp"
#include "model/session.hpp"
#include "platform/platform.hpp"
#include "presenters/language_dialog.hpp"
#include "presenters/program_start.hpp"
#include "presenters/wizard_presenter.hpp"

namespace parcelkit::doubles {

// Both windows of the program with their presenters, on a fake machine whose setup
// folder is C:\setup. The wizard's window runs the close check as the real one does.
struct AppRig {
    static constexpr wchar_t kDir[] = L"C:\\setup";

    MemoryProfileStore profiles;
    FakeFileSystem files;
    FakeSystemInfo system;
    FakeRegistry registry;
    FakeProcesses processes;
    FakeMessageBoxes boxes;
    FakeVersionInfo versions;
    platform::Platform platform{profiles, files, system, registry, processes, boxes, versions};
    FakeShutdown shutdown;
    FakeProgramEnd end;
    FakeInstallSteps steps;
    FakeWizardView wizardView;
    FakeLanguageDialogView dialogView;
    model::Session session;
    model::LanguageSource language;
    presenters::WizardPresenter wizard{wizardView, session,  language, steps,
                                       end,        platform, shutdown};
    presenters::LanguageDialogPresenter dialog{dialogView, language, wizardView, session,
                                               wizard,     end,      platform};
    bool closed = false;

    AppRig() {
        platform::notChecked(files.setCurrentDirectory(kDir));
        wizardView.onClose = [this] {
            if (wizard.FormCloseQuery()) {
                closed = true;
                wizard.FormClose();
            }
        };
    }

    static std::wstring path(const std::wstring& name) { return std::wstring(kDir) + L"\\" + name; }
    void file(const std::wstring& name, std::wstring text) {
        files.addFile(path(name));
        profiles.put(path(name), std::move(text));
    }
    void commandLine(std::wstring line, std::vector<std::wstring> args) {
        system.line = std::move(line);
        system.args = std::move(args);
    }
    void start() { presenters::startProgram(dialog, wizard); }
    // Started, then the language dialog confirmed as it is: the wizard shows page 1.
    void startAndConfirm() {
        start();
        dialog.Button1Click();
    }
    std::wstring title() const { return wizardView.text(presenters::WizardControl::Label2); }
};

} // namespace parcelkit::doubles
