#pragma once

#include "presenters/program_windows.hpp"
#include "presenters/wizard_view.hpp"
#include "model/install_view.hpp"
#include "windows/component_tree_window.hpp"
#include "platform/win32/handles.hpp"
#include "windows/message_window.hpp"

#include <array>
#include <optional>

namespace parcelkit::app {
class WizardPresenter;
}

namespace parcelkit::win32 {

// The wizard window: one fixed-size window whose controls the presenter shows, hides and
// fills page by page; during the installation it is also the installation's view.
class WizardWindow : public MessageWindow, public app::WizardView, public engine::InstallView {
public:
    explicit WizardWindow(const wchar_t* richEditClass);
    ~WizardWindow() override;

    void connect(app::WizardPresenter& presenter, script::ComponentPage& components,
                 app::FailureReport report);
    // Treeview1, Memo1 and CheckBox1 as the component page shows them.
    script::ComponentTreeView& componentTreeView() { return *components_; }

    // app::WizardView
    void setCaption(const std::wstring& text) override;
    std::wstring caption() const override;
    void setText(app::WizardControl control, const std::wstring& text) override;
    std::wstring text(app::WizardControl control) const override;
    void setVisible(app::WizardControl control, bool visible) override;
    void setEnabled(app::WizardControl control, bool enabled) override;
    void focus(app::WizardControl control) override;
    void setFont(const app::FontChoice& font) override;
    int width(app::WizardControl control) const override;
    void setLeft(app::WizardControl control, int left) override;
    void loadReadme(const std::wstring& path) override;
    void loadHeaderPicture(const std::wstring& path) override;
    std::optional<std::wstring> chooseFolder(const std::wstring& caption) override;
    void show() override;
    void close() override;

    // engine::InstallView
    void setStatus(engine::StatusLine line, const std::wstring& text) override;
    void setProgress(int percent) override;
    void processMessages() override;

private:
    static constexpr std::size_t kControlCount =
        static_cast<std::size_t>(app::WizardControl::Button_exit) + 1;

    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onCommand(int id, int code);
    LRESULT onControlColour(HDC dc, HWND control);
    void paintHeaderBand(const DRAWITEMSTRUCT& item) const;
    HWND control(app::WizardControl which) const;
    template <typename Handler> void guarded(Handler handler);

    std::array<HWND, kControlCount> controls_{};
    UniqueFont designFont_;
    UniqueFont titleFont_;
    UniqueFont readmeFont_;
    UniqueFont languageFont_;
    UniqueBitmap picture_;
    UniqueBrush headerBrush_;
    // Made once the controls exist.
    std::optional<ComponentTreeWin32> components_;
    app::WizardPresenter* presenter_ = nullptr;
    app::FailureReport report_;
    bool shown_ = false;
};

} // namespace parcelkit::win32
