#pragma once

#include "presenters/wizard_view.hpp"

#include <functional>
#include <map>
#include <vector>

namespace parcelkit::doubles {

// The wizard window as texts, visibility and enabled states, starting from the design of
// the layout table. An auto-sized control measures 7 pixels per character.
class FakeWizardView : public app::WizardView {
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

    const State& state(app::WizardControl control) const { return controls_.at(control); }
    bool visible(app::WizardControl control) const { return state(control).visible; }
    bool enabled(app::WizardControl control) const { return state(control).enabled; }
    int left(app::WizardControl control) const { return state(control).left; }

    std::wstring windowCaption;
    app::FontChoice font;
    std::optional<app::WizardControl> focused;
    std::wstring readme;
    std::wstring headerPicture;
    std::vector<std::wstring> folderCaptions;
    int shows = 0;
    int closeRequests = 0;

    void setCaption(const std::wstring& text) override { windowCaption = text; }
    std::wstring caption() const override { return windowCaption; }
    void setText(app::WizardControl control, const std::wstring& text) override;
    std::wstring text(app::WizardControl control) const override { return state(control).text; }
    void setVisible(app::WizardControl control, bool visible) override {
        controls_.at(control).visible = visible;
    }
    void setEnabled(app::WizardControl control, bool enabled) override {
        controls_.at(control).enabled = enabled;
    }
    void focus(app::WizardControl control) override { focused = control; }
    void setFont(const app::FontChoice& choice) override { font = choice; }
    int width(app::WizardControl control) const override { return state(control).width; }
    void setLeft(app::WizardControl control, int left) override {
        controls_.at(control).left = left;
    }
    void loadReadme(const std::wstring& path) override { readme = path; }
    void loadHeaderPicture(const std::wstring& path) override { headerPicture = path; }
    std::optional<std::wstring> chooseFolder(const std::wstring& caption) override;
    void show() override { ++shows; }
    void close() override;

private:
    std::map<app::WizardControl, State> controls_;
};

} // namespace parcelkit::doubles
