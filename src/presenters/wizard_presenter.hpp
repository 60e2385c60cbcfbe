#pragma once

#include "model/install_steps.hpp"
#include "presenters/wizard_entry.hpp"

#include <string>

namespace parcelkit::platform {
struct Platform;
class Shutdown;
} // namespace parcelkit::platform

namespace parcelkit::model {
class MessageTexts;
struct LanguageSource;
struct Session;
} // namespace parcelkit::model

namespace parcelkit::presenters {

class ProgramEnd;
class WizardView;

// The wizard: start-up of the session, the five pages and the way between them, and the
// close check. Its window turns each message into one call here.
class WizardPresenter : public WizardEntry {
public:
    WizardPresenter(WizardView& view, model::Session& session,
                    const model::LanguageSource& language, model::InstallSteps& steps,
                    ProgramEnd& end, platform::Platform& platform, platform::Shutdown& shutdown);

    // Creation, after the language dialog's: the machine, the setup script, the header
    // picture, the branding line, the destination and an earlier installation.
    void FormCreate();
    // The unattended run: the activation step, pages 2 to 4 and the installation, then
    // the end of the program. Expects the language to have been applied.
    void runSilently();

    void enter() override;
    // The activation step, once: caption, page 1, component tree, detection, OS check.
    void FormActivate();

    void show1();
    void show2();
    void show3();
    void show4();
    void show5();

    void Button1Click();    // Next / Install
    void Button2Click();    // Back
    void Button_dirClick(); // Browse
    void Button_exitClick();
    // Whether the window may close now; may ask the abandon or the restart question.
    bool FormCloseQuery();
    void FormClose();
    // True when the command was the About item; other commands go to the default handling.
    bool WMSysCommand(unsigned command);
    void Image1DblClick();

    // The destination of an earlier installation into Edit1, and Edit1 into setupdir.
    void readinstall();

    bool installing() const { return installing_; }
    // The installation ran to its end, not abandoned on the way.
    bool installed() const { return installed_; }

private:
    class InstallRun;

    void setlanguage();
    void checkSystem();
    // False when the installation was abandoned while it ran.
    bool runInstall();
    bool mayCloseUnasked() const;
    bool ask(const model::MessageTexts& texts, const std::wstring& question);
    std::wstring mainValue(const wchar_t* key, const wchar_t* fallback) const;
    std::wstring currentFile(const wchar_t* name) const;
    model::MessageTexts texts() const;

    WizardView& view_;
    model::Session& session_;
    const model::LanguageSource& language_;
    model::InstallSteps& steps_;
    ProgramEnd& end_;
    platform::Platform& platform_;
    platform::Shutdown& shutdown_;

    model::StopRequest stop_;
    bool activated_ = false;
    bool installing_ = false;
    bool abandoned_ = false;
    bool installed_ = false;
};

} // namespace parcelkit::presenters
