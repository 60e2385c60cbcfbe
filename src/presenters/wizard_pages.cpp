#include "model/language.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "presenters/wizard_presenter.hpp"
#include "presenters/wizard_view.hpp"

#include <initializer_list>

namespace parcelkit::presenters {

namespace {

using C = WizardControl;

// The controls that only one page shows; every page step sets all of them.
void showOnly(WizardView& view, std::initializer_list<C> shown) {
    static constexpr C kPageControls[] = {C::Label4,    C::Label5,       C::Label6,    C::Label7,
                                          C::RichEdit1, C::GroupBox1,    C::Treeview1, C::Memo1,
                                          C::CheckBox1, C::ProgressBar1, C::Button2};
    for (const C control : kPageControls) {
        bool visible = false;
        for (const C s : shown) {
            visible = visible || s == control;
        }
        view.setVisible(control, visible);
    }
}

void setTitles(WizardView& view, const std::wstring& title, const std::wstring& subtitle) {
    view.setText(C::Label2, title);
    view.setText(C::Label3, subtitle);
}

} // namespace

model::MessageTexts WizardPresenter::texts() const {
    return language_.texts();
}

void WizardPresenter::show1() {
    const model::MessageTexts t = texts();
    setTitles(view_, t.text(model::msg::ReadmeTitle), t.text(model::msg::ReadmeSubtitle));
    showOnly(view_, {C::RichEdit1});
    view_.setText(C::Button1, t.text(model::msg::Next));
}

void WizardPresenter::show2() {
    const model::MessageTexts t = texts();
    setTitles(view_, t.text(model::msg::DestinationTitle),
              t.text(model::msg::DestinationSubtitleStart) + L" " + session_.dirs.setupname + L" " +
                  t.text(model::msg::DestinationSubtitleEnd));
    showOnly(view_, {C::Label4, C::Label5, C::GroupBox1, C::Button2});
    view_.setText(C::Label4, t.text(model::msg::DestinationLine1));
    view_.setText(C::Label5, t.text(model::msg::DestinationLine2));
    view_.setText(C::Button1, t.text(model::msg::Next));
}

void WizardPresenter::show3() {
    const model::MessageTexts t = texts();
    setTitles(view_, t.text(model::msg::SettingsTitle), t.text(model::msg::SettingsSubtitle));
    showOnly(view_, {C::Treeview1, C::Memo1, C::CheckBox1, C::Button2});
    view_.setText(C::Button1, t.text(session_.setupmode ? model::msg::InstallButton
                                                        : model::msg::UpdateButton));
}

void WizardPresenter::show4() {
    const model::MessageTexts t = texts();
    const bool setup = session_.setupmode;
    setTitles(view_, t.text(setup ? model::msg::InstallCaption : model::msg::UpdateCaption),
              t.text(setup ? model::msg::InstallingSubtitle : model::msg::UpdatingSubtitle));
    // Label4 and Label5 keep their texts until the installation writes them.
    showOnly(view_, {C::Label4, C::Label5, C::Label6, C::Label7, C::ProgressBar1});
    view_.setEnabled(C::Button1, false);
    view_.setEnabled(C::Button_exit, false);
}

void WizardPresenter::show5() {
    const model::MessageTexts t = texts();
    setTitles(view_, t.text(model::msg::FinishTitle),
              t.text(session_.setupmode ? model::msg::FinishSubtitle
                                        : model::msg::UpdateFinishedSubtitle));
    showOnly(view_, {C::Label4, C::Label5});
    view_.setText(C::Label4, t.text(model::msg::FinishLine1));
    view_.setText(C::Label5, t.text(session_.needreboot ? model::msg::FinishRestartLine
                                                        : model::msg::FinishThanksPage));
    view_.setVisible(C::Button1, false);
    view_.setText(C::Button_exit, t.text(model::msg::FinishButton));
    view_.setEnabled(C::Button_exit, true);
    view_.focus(C::Button_exit);
}

} // namespace parcelkit::presenters
