#pragma once

#include "model/command_line.hpp"
#include "model/language.hpp"

#include <string>
#include <vector>

namespace parcelkit::platform {
struct Platform;
}

namespace parcelkit::model {
struct Session;
}

namespace parcelkit::presenters {

class LanguageDialogView;
class ProgramEnd;
class WizardEntry;
class WizardView;

// The language dialog: chooses the language section, reads the command line, and applies
// the chosen language to the wizard before handing over to it. It is created first and is
// the program's main window.
class LanguageDialogPresenter {
public:
    // language is the shared language state that the wizard reads; the dialog fills it.
    LanguageDialogPresenter(LanguageDialogView& view, model::LanguageSource& language,
                            WizardView& wizardView, model::Session& session, WizardEntry& wizard,
                            ProgramEnd& end, platform::Platform& platform);

    // Creation: language file and section, the dialog's texts and list, the command line.
    void FormCreate();
    // OK: takes the selected language and hands over.
    void Button1Click();
    // Cancel, Esc or the close box: the program ends.
    void Button2Click();
    // The one-shot hand-over when the dialog is not offered.
    void Timer1Timer();

    // Applies the language to the wizard: font, caption, control texts, branding line,
    // readme and product name.
    void setlanguage();
    // Hides the dialog, applies the language and shows the wizard; only the first call
    // does anything.
    void handOver();

    const model::CommandLine& commandLine() const { return commandLine_; }
    bool setupmode() const { return setupmode_; }
    const std::vector<std::wstring>& langsections() const { return langsections_; }

private:
    void showUsage();
    void fillLanguageList();
    std::wstring currentFile(const wchar_t* name) const;

    LanguageDialogView& view_;
    model::LanguageSource& language_;
    WizardView& wizardView_;
    model::Session& session_;
    WizardEntry& wizard_;
    ProgramEnd& end_;
    platform::Platform& platform_;

    model::CommandLine commandLine_;
    std::vector<std::wstring> langsections_;
    bool setupmode_ = false;
    bool handedOver_ = false;
};

} // namespace parcelkit::presenters
