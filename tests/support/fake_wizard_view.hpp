#pragma once

#include "presenters/wizard_view.hpp"

#include <functional>
#include <map>
#include <vector>

namespace parcelkit::doubles {

// The wizard window as texts, visibility and enabled states, starting from the design of
// the layout table. An auto-sized control measures 7 pixels per character.
class FakeWizardView : public presenters::WizardView {
public:
    struct State {
        std::wstring text;
        bool visible = true;
        bool enabled = true;
        int left = 0;
        int width = 0;
    };

    FakeWizardView();

    // What close() does after recording the request; a test wires it to the close check,
    // as the window does.
    std::function<void()> onClose;
    std::vector<std::optional<std::wstring>> folderAnswers; // next answers of chooseFolder

    const State& state(presenters::WizardControl control) const { return controls_.at(control); }
    bool visible(presenters::WizardControl control) const { return state(control).visible; }
    bool enabled(presenters::WizardControl control) const { return state(control).enabled; }
    int left(presenters::WizardControl control) const { return state(control).left; }

    std::wstring windowCaption;
    model::FontChoice font;
    std::optional<presenters::WizardControl> focused;
    std::wstring readme;
    std::wstring headerPicture;
    std::vector<std::wstring> folderCaptions;
    int shows = 0;
    int closeRequests = 0;

    void setCaption(const std::wstring& text) override { windowCaption = text; }
    std::wstring caption() const override { return windowCaption; }
    void setText(presenters::WizardControl control, const std::wstring& text) override;
    std::wstring text(presenters::WizardControl control) const override {
        return state(control).text;
    }
    void setVisible(presenters::WizardControl control, bool visible) override {
        controls_.at(control).visible = visible;
    }
    void setEnabled(presenters::WizardControl control, bool enabled) override {
        controls_.at(control).enabled = enabled;
    }
    void focus(presenters::WizardControl control) override { focused = control; }
    void setFont(const model::FontChoice& choice) override { font = choice; }
    int width(presenters::WizardControl control) const override { return state(control).width; }
    void setLeft(presenters::WizardControl control, int left) override {
        controls_.at(control).left = left;
    }
    void loadReadme(const std::wstring& path) override { readme = path; }
    void loadHeaderPicture(const std::wstring& path) override { headerPicture = path; }
    std::optional<std::wstring> chooseFolder(const std::wstring& caption) override;
    void show() override { ++shows; }
    void close() override;

private:
    std::map<presenters::WizardControl, State> controls_;
};

} // namespace parcelkit::doubles
