#pragma once

#include "presenters/program_windows.hpp"
#include "windows/language_window.hpp"
#include "windows/rich_text.hpp"
#include "windows/wizard_window.hpp"

namespace parcelkit::windows {

// Both windows and the message loop. The end of the program is a flag that the loop
// looks at between messages, so that a handler that asks for it still finishes and a
// message box shown afterwards still works. A handler that fails ends the program too.
class Win32ProgramWindows : public presenters::ProgramWindows {
public:
    Win32ProgramWindows();
    ~Win32ProgramWindows() override;
    Win32ProgramWindows(const Win32ProgramWindows&) = delete;
    Win32ProgramWindows& operator=(const Win32ProgramWindows&) = delete;

    presenters::WizardView& wizardView() override { return wizard_; }
    model::InstallView& installView() override { return wizard_; }
    presenters::LanguageDialogView& dialogView() override { return dialog_; }
    components::ComponentTreeView& componentTreeView() override {
        return wizard_.componentTreeView();
    }
    void connect(presenters::LanguageDialogPresenter& dialog, presenters::WizardPresenter& wizard,
                 components::ComponentPage& components, presenters::FailureReport report) override;
    void runMessageLoop() override;

    void endProgram() override;
    bool ending() const override { return ending_; }

private:
    // Before the windows, whose handlers it runs, and gone after them.
    presenters::HandlerGuard guard_;
    // Loaded before the wizard creates its rich-text control and freed after it is gone.
    RichTextLibrary richText_;
    LanguageWindow dialog_;
    WizardWindow wizard_;
    bool ending_ = false;
};

} // namespace parcelkit::windows
