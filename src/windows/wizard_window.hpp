#pragma once

#include "model/install_view.hpp"
#include "platform/win32/handles.hpp"
#include "presenters/wizard_view.hpp"
#include "windows/component_tree_window.hpp"
#include "windows/window_base.hpp"

#include <optional>

namespace parcelkit::presenters {
class WizardPresenter;
}

namespace parcelkit::windows {

// The wizard window: one fixed-size window whose controls the presenter shows, hides and
// fills page by page; during the installation it is also the installation's view. Widths
// and places it reports and takes are in the layout table's pixels.
class WizardWindow : public WindowBase, public presenters::WizardView, public model::InstallView {
public:
    WizardWindow(const wchar_t* richEditClass, presenters::HandlerGuard& guard);
    ~WizardWindow() override;

    void connect(presenters::WizardPresenter& presenter, components::ComponentPage& components);
    // Treeview1, Memo1 and CheckBox1 as the component page shows them.
    components::ComponentTreeView& componentTreeView() { return *components_; }

    // app::WizardView
    void setCaption(const std::wstring& text) override;
    std::wstring caption() const override;
    void setText(presenters::WizardControl control, const std::wstring& text) override;
    std::wstring text(presenters::WizardControl control) const override;
    void setVisible(presenters::WizardControl control, bool visible) override;
    void setEnabled(presenters::WizardControl control, bool enabled) override;
    void focus(presenters::WizardControl control) override;
    void setFont(const model::FontChoice& font) override;
    int width(presenters::WizardControl control) const override;
    void setLeft(presenters::WizardControl control, int left) override;
    void loadReadme(const std::wstring& path) override;
    void loadHeaderPicture(const std::wstring& path) override;
    std::optional<std::wstring> chooseFolder(const std::wstring& caption) override;
    void show() override;
    void close() override;

    // engine::InstallView
    void setStatus(model::StatusLine line, const std::wstring& text) override;
    void setProgress(int percent) override;
    void processMessages() override;

private:
    LRESULT onCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onDefaultId(WPARAM wParam, LPARAM lParam);
    LRESULT onControlColour(WPARAM wParam, LPARAM lParam);
    LRESULT onNotify(WPARAM wParam, LPARAM lParam);
    LRESULT onDrawItem(WPARAM wParam, LPARAM lParam);
    LRESULT onSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onClose(WPARAM wParam, LPARAM lParam);
    void click(presenters::WizardControl button);
    void showPicture();
    void resolutionChanged() override;
    HWND control(presenters::WizardControl which) const;
    void paintStatusIfDue();

    win32::UniqueBitmap picture_;      // as the file holds it
    win32::UniqueBitmap shownPicture_; // enlarged for the screen
    std::wstring readme_;
    win32::UniqueBrush headerBrush_;
    // Made once the controls exist.
    std::optional<ComponentTreeWin32> components_;
    presenters::WizardPresenter* presenter_ = nullptr;
    bool shown_ = false;
    // The installation's status lines and progress change with every file; what is not
    // painted yet waits here for the next paint.
    std::array<std::optional<std::wstring>, 4> pendingStatus_;
    std::optional<int> pendingProgress_;
    unsigned long lastStatusPaint_ = 0;
    unsigned long lastPump_ = 0;
};

} // namespace parcelkit::windows
