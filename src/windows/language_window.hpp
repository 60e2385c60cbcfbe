#pragma once

#include "presenters/language_dialog_view.hpp"
#include "windows/window_base.hpp"

namespace parcelkit::presenters {
class LanguageDialogPresenter;
}

namespace parcelkit::windows {

// The language dialog, the program's main window. It is visible from the start unless
// start-up hid it; its one timer hands over to the wizard when it is not offered.
class LanguageWindow : public WindowBase, public presenters::LanguageDialogView {
public:
    explicit LanguageWindow(presenters::HandlerGuard& guard);
    ~LanguageWindow() override;

    void connect(presenters::LanguageDialogPresenter& presenter) { presenter_ = &presenter; }
    // Created visible: shown once start-up has placed it, unless it was hidden meanwhile.
    void showUnlessHidden();

    void setCaption(const std::wstring& text) override;
    void setText(presenters::DialogControl control, const std::wstring& text) override;
    void setFont(const model::FontChoice& font) override;
    void fillList(const std::vector<std::wstring>& lines) override;
    void select(int index) override;
    int selectedIndex() const override;
    void centre() override;
    void placeOutOfSight() override;
    void armTimer(unsigned milliseconds) override;
    void stopTimer() override;
    void hide() override;

private:
    LRESULT onCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onDefaultId(WPARAM wParam, LPARAM lParam);
    LRESULT onTimer(WPARAM wParam, LPARAM lParam);
    LRESULT onClose(WPARAM wParam, LPARAM lParam);
    HWND control(presenters::DialogControl which) const;

    presenters::LanguageDialogPresenter* presenter_ = nullptr;
    bool hidden_ = false;
};

} // namespace parcelkit::windows
