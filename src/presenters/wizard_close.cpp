#include "model/command_line.hpp"
#include "model/language.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "platform/platform.hpp"
#include "presenters/program_end.hpp"
#include "presenters/restart.hpp"
#include "presenters/wizard_presenter.hpp"
#include "presenters/wizard_view.hpp"

namespace parcelkit::presenters {

// One run of the installation. However it ends (done, abandoned, or an error that the
// window reports), an abandon confirmed meanwhile releases the setup script only now that
// the installation no longer reads it, and closes the window.
class WizardPresenter::InstallRun {
public:
    explicit InstallRun(WizardPresenter& wizard) : wizard_(wizard) {
        wizard_.installing_ = true;
        wizard_.stop_.clear();
    }
    InstallRun(const InstallRun&) = delete;
    InstallRun& operator=(const InstallRun&) = delete;
    ~InstallRun() {
        wizard_.installing_ = false;
        if (wizard_.abandoned_) {
            wizard_.session_.setupini.reset();
            wizard_.view_.close();
        }
    }

private:
    WizardPresenter& wizard_;
};

bool WizardPresenter::runInstall() {
    const InstallRun run(*this);
    steps_.Install(stop_);
    installed_ = !abandoned_;
    return !abandoned_;
}

bool WizardPresenter::mayCloseUnasked() const {
    // Without a setup script there is nothing to abandon; with any argument nobody may be
    // there to answer.
    return !platform_.files.fileExists(currentFile(L"setup.ini")) ||
           model::startedWithArguments(platform_.system);
}

bool WizardPresenter::ask(const model::MessageTexts& texts, const std::wstring& question) {
    return platform_.boxes.show(question, texts.text(model::msg::NoticeCaption),
                                platform::BoxIcon::Question,
                                platform::BoxButtons::YesNo) == platform::BoxAnswer::Yes;
}

bool WizardPresenter::FormCloseQuery() {
    if (abandoned_) {
        return true;
    }
    const model::MessageTexts t = texts();
    if (installing_) {
        // The installation still reads the setup script: it stops first, and the window
        // closes when it has returned.
        if (mayCloseUnasked() || ask(t, t.text(model::msg::AbandonQuestion))) {
            abandoned_ = true;
            stop_.request();
        }
        return false;
    }
    if (mayCloseUnasked()) {
        return true;
    }
    if (view_.text(WizardControl::Button_exit) != t.text(model::msg::FinishButton)) {
        if (!ask(t, t.text(model::msg::AbandonQuestion))) {
            return false;
        }
        abandoned_ = true;
        session_.setupini.reset();
        return true;
    }
    if (session_.needreboot && ask(t, t.text(model::msg::RestartQuestion))) {
        session_.setupini.reset();
        // A refused restart is not reported; the program ends as usual.
        WindowsShutdown(shutdown_, L"", false, true);
    }
    return true;
}

void WizardPresenter::FormClose() {
    end_.endProgram();
}

} // namespace parcelkit::presenters
