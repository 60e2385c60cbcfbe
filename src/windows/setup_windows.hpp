#pragma once

#include "presenters/program_windows.hpp"
#include "windows/language_window.hpp"
#include "windows/rich_text.hpp"
#include "windows/wizard_window.hpp"

namespace parcelkit::win32 {

// Both windows and the message loop. The end of the program is a flag that the loop
// looks at between messages, so that a handler that asks for it still finishes and a
// message box shown afterwards still works.
class Win32ProgramWindows : public app::ProgramWindows {
public:
    Win32ProgramWindows();

    app::WizardView& wizardView() override { return wizard_; }
    engine::InstallView& installView() override { return wizard_; }
    app::LanguageDialogView& dialogView() override { return dialog_; }
    script::ComponentTreeView& componentTreeView() override { return wizard_.componentTreeView(); }
    void connect(app::LanguageDialogPresenter& dialog, app::WizardPresenter& wizard,
                 script::ComponentPage& components, app::FailureReport report) override;
    void runMessageLoop() override;

    void endProgram() override;
    bool ending() const override { return ending_; }

private:
    // Loaded before the wizard creates its rich-text control and freed after it is gone.
    RichTextLibrary richText_;
    LanguageWindow dialog_;
    WizardWindow wizard_;
    bool ending_ = false;
};

} // namespace parcelkit::win32
