#pragma once

#include "platform/win32/handles.hpp"
#include "presenters/language_dialog_view.hpp"
#include "presenters/program_windows.hpp"
#include "windows/window_base.hpp"

#include <array>

namespace parcelkit::presenters {
class LanguageDialogPresenter;
}

namespace parcelkit::windows {

// The language dialog, the program's main window. It is visible from the start unless
// start-up hid it; its one timer hands over to the wizard when it is not offered.
class LanguageWindow : public WindowBase, public presenters::LanguageDialogView {
public:
    LanguageWindow();
    ~LanguageWindow() override;

    void connect(presenters::LanguageDialogPresenter& presenter, presenters::FailureReport report);
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
    static constexpr std::size_t kControlCount =
        static_cast<std::size_t>(presenters::DialogControl::Button2) + 1;

    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onCommand(int id, int code);
    HWND control(presenters::DialogControl which) const;
    template <typename Handler> void guarded(Handler handler);

    std::array<HWND, kControlCount> controls_{};
    win32::UniqueFont designFont_;
    win32::UniqueFont languageFont_;
    presenters::LanguageDialogPresenter* presenter_ = nullptr;
    presenters::FailureReport report_;
    bool hidden_ = false;
};

} // namespace parcelkit::windows
