#include "fake_wizard_view.hpp"

#include "presenters/layout.hpp"

namespace parcelkit::doubles {

namespace {

constexpr int kCharacterWidth = 7;

} // namespace

FakeWizardView::FakeWizardView() {
    for (const auto& control : presenters::controlLayouts()) {
        if (control.form != presenters::Form::Wizard) {
            continue;
        }
        State state;
        state.text = std::wstring(control.designText);
        state.visible = !control.hiddenAtStart;
        state.left = control.left;
        state.width = control.autoSize ? static_cast<int>(state.text.size()) * kCharacterWidth
                                       : control.width;
        controls_[static_cast<presenters::WizardControl>(control.id)] = state;
    }
}

void FakeWizardView::setText(presenters::WizardControl control, const std::wstring& text) {
    auto& state = controls_.at(control);
    state.text = text;
    if (presenters::layoutOf(control).autoSize) {
        state.width = static_cast<int>(text.size()) * kCharacterWidth;
    }
}

std::optional<std::wstring> FakeWizardView::chooseFolder(const std::wstring& caption) {
    folderCaptions.push_back(caption);
    if (folderAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = folderAnswers.front();
    folderAnswers.erase(folderAnswers.begin());
    return answer;
}

void FakeWizardView::close() {
    ++closeRequests;
    if (onClose) {
        onClose();
    }
}

} // namespace parcelkit::doubles
