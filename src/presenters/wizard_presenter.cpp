#include "presenters/wizard_presenter.hpp"

#include "base/error.hpp"
#include "base/paths.hpp"
#include "model/command_line.hpp"
#include "model/language.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "model/startup.hpp"
#include "platform/platform.hpp"
#include "presenters/about.hpp"
#include "presenters/layout.hpp"
#include "presenters/program_end.hpp"
#include "presenters/wizard_view.hpp"

namespace parcelkit::presenters {

using C = WizardControl;

WizardPresenter::WizardPresenter(WizardView& view, model::Session& session,
                                 const model::LanguageSource& language, model::InstallSteps& steps,
                                 ProgramEnd& end, platform::Platform& platform,
                                 platform::Shutdown& shutdown)
    : view_(view), session_(session), language_(language), steps_(steps), end_(end),
      platform_(platform), shutdown_(shutdown) {}

std::wstring WizardPresenter::currentFile(const wchar_t* name) const {
    return session_.dirs.currentdir + L"\\" + name;
}

std::wstring WizardPresenter::mainValue(const wchar_t* key, const wchar_t* fallback) const {
    // A released setup script is never read again.
    if (!session_.setupini) {
        return fallback;
    }
    return session_.setupini->readString(L"main", key, fallback);
}

void WizardPresenter::FormCreate() {
    session_.needreboot = false;
    model::readMachine(session_, platform_.system, platform_.files);
    const std::wstring picture = currentFile(L"setup.bmp");
    if (platform_.files.fileExists(picture)) {
        view_.loadHeaderPicture(picture);
    }
    session_.setupini = platform_.profiles.open(currentFile(L"setup.ini"));
    model::readSetupScript(session_, *session_.setupini);
    // A branding text of the language section is applied with the language.
    if (texts().value(L"brandingtext", L"").empty()) {
        view_.setText(C::Label_Branding, mainValue(L"BrandingText", L"Parcelkit"));
    }
    view_.setText(C::Edit1, session_.dirs.setupdir);
    readinstall();
}

void WizardPresenter::readinstall() {
    const std::wstring previous = model::installedDirectory(platform_.registry, session_.appid);
    if (!previous.empty()) {
        view_.setText(C::Edit1, previous);
    }
    // "/dir:" is what the administrator asked for on this machine: above both.
    const auto line =
        model::readCommandLine(platform_.system.commandLine(), platform_.system.arguments());
    if (const auto& asked = line.deployment.destination) {
        if (!base::isFullPath(*asked)) {
            throw base::Error(L"Cannot install into", L"\"" + *asked + L"\"",
                              L"The installation directory must be a full path.");
        }
        view_.setText(C::Edit1, base::withoutOneTrailingBackslash(*asked));
    }
    session_.dirs.setupdir = view_.text(C::Edit1);
}

void WizardPresenter::enter() {
    view_.show();
    FormActivate();
}

void WizardPresenter::FormActivate() {
    // The step builds the tree; coming back to the window must not build it again.
    if (activated_) {
        return;
    }
    activated_ = true;
    setlanguage();
    if (!end_.ending()) {
        checkSystem();
    }
}

void WizardPresenter::setlanguage() {
    view_.setCaption(view_.caption() + L" " + session_.dirs.setupname);
    view_.setLeft(C::Bevel1,
                  layoutOf(C::Label_Branding).left + view_.width(C::Label_Branding) + kBrandingGap);
    show1();
    if (!steps_.readlist()) {
        end_.endProgram();
        return;
    }
    steps_.detect();
}

void WizardPresenter::checkSystem() {
    const std::wstring required = mainValue(L"system", L"");
    if (required.empty() || required == script::osWord(session_.ostype)) {
        return;
    }
    const model::MessageTexts t = texts();
    platform_.boxes.show(t.text(model::msg::UnsupportedSystem), t.text(model::msg::ErrorCaption),
                         platform::BoxIcon::Error, platform::BoxButtons::Ok);
    end_.endProgram();
}

void WizardPresenter::runSilently() {
    if (end_.ending()) {
        return;
    }
    if (!activated_) {
        enter();
    }
    if (end_.ending()) {
        return;
    }
    show2();
    show3();
    show4();
    if (!runInstall()) {
        return;
    }
    view_.setText(C::Button1, texts().text(model::msg::FinishButton));
    view_.setEnabled(C::Button1, true);
    view_.setEnabled(C::Button_exit, true);
    end_.endProgram();
}

void WizardPresenter::Button1Click() {
    if (installing_) {
        return;
    }
    const model::MessageTexts t = texts();
    const std::wstring title = view_.text(C::Label2);
    if (title == t.text(model::msg::ReadmeTitle)) {
        show2();
    } else if (title == t.text(model::msg::DestinationTitle)) {
        session_.dirs.setupdir = view_.text(C::Edit1);
        if (!steps_.Checksetup()) {
            end_.endProgram();
            return;
        }
        if (view_.text(C::Memo1).empty()) {
            // Three lines: the hint with a line break of its own, an empty line, the note.
            const std::wstring lines[] = {t.text(model::msg::ComponentHint) + L"\r\n", L"",
                                          t.text(model::msg::InstalledNote)};
            view_.setText(C::Memo1, lines[0] + L"\r\n" + lines[1] + L"\r\n" + lines[2]);
        }
        show3();
    } else if (title == t.text(model::msg::SettingsTitle)) {
        session_.dirs.setupdir = base::withoutOneTrailingBackslash(view_.text(C::Edit1));
        show4();
        if (!runInstall()) {
            return;
        }
        show5();
        if (mainValue(L"exit", L"1") == L"1") {
            view_.close();
        }
    }
}

void WizardPresenter::Button2Click() {
    if (installing_) {
        return;
    }
    const model::MessageTexts t = texts();
    const std::wstring title = view_.text(C::Label2);
    if (title == t.text(model::msg::DestinationTitle)) {
        show1();
    } else if (title == t.text(model::msg::SettingsTitle)) {
        show2();
    }
}

void WizardPresenter::Button_dirClick() {
    const auto folder = view_.chooseFolder(texts().text(model::msg::DestinationTitle));
    if (folder) {
        view_.setText(C::Edit1, *folder);
    }
}

void WizardPresenter::Button_exitClick() {
    // The button is disabled while installing; Esc must not get round that.
    if (installing_) {
        return;
    }
    view_.close();
}

bool WizardPresenter::WMSysCommand(unsigned command) {
    if (command != kAboutCommand) {
        return false;
    }
    platform_.boxes.show(aboutText(), kAboutCaption, platform::BoxIcon::Information,
                         platform::BoxButtons::Ok);
    return true;
}

void WizardPresenter::Image1DblClick() {
    platform_.boxes.show(kDedicationText, kDedicationCaption, platform::BoxIcon::Information,
                         platform::BoxButtons::Ok);
}

} // namespace parcelkit::presenters
