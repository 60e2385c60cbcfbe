#include "windows/uninstaller_window.hpp"

#include "base/error.hpp"
#include "platform/win32/handles.hpp"
#include "platform/win32/message_box_win32.hpp"
#include "presenters/uninstaller_presenter.hpp"
#include "windows/controls.hpp"
#include "windows/window_base.hpp"

#include <windows.h>

#include <commctrl.h>

namespace parcelkit::windows {

namespace {

using presenters::UninstallerControl;
using UC = UninstallerControl;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The record holds no text for it.
constexpr wchar_t kErrorCaption[] = L"Error";

class UninstallerWindow : public WindowBase, public presenters::UninstallerView {
public:
    UninstallerWindow(uninstaller::RemovalMachine& machine, platform::SelfRemoval& self,
                      presenters::HandlerGuard& guard);
    ~UninstallerWindow() override { destroy(); }

    int run();

    void applyTexts(const record::UninstallerTexts& texts) override;
    void setDirectory(const std::wstring& directory) override { setText(UC::Directory, directory); }
    void setComponents(const std::vector<std::wstring>& captions) override;
    std::vector<bool> checkedComponents() const override;
    void checkAllComponents(bool checked) override;
    void setSelectAll(bool checked) override { check(UC::SelectAll, checked); }
    bool deleteRegistryEntries() const override {
        return ::SendMessageW(control(UC::DeleteRegistry), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void enableUninstall(bool enabled) override { ::EnableWindow(control(UC::Uninstall), enabled); }
    void setBusy(bool busy) override;
    void setProgress(const std::wstring& line) override;
    void showOutcome(const std::wstring& text, const std::wstring& finishButton,
                     const std::vector<bool>& gone) override;
    void close() override;

private:
    LRESULT onCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onNotify(WPARAM wParam, LPARAM lParam);
    LRESULT onClose(WPARAM wParam, LPARAM lParam);
    void reportFailure(const std::exception& error);
    HWND control(UninstallerControl which) const {
        return WindowBase::control(static_cast<int>(which));
    }
    void setText(UninstallerControl which, const std::wstring& text) {
        setControlText(static_cast<int>(which), text);
    }
    void check(UninstallerControl which, bool checked) {
        ::SendMessageW(control(which), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    presenters::UninstallerPresenter presenter_;
    bool updating_ = false; // check boxes set by the program, not by the user
};

UninstallerWindow::UninstallerWindow(uninstaller::RemovalMachine& machine,
                                     platform::SelfRemoval& self, presenters::HandlerGuard& guard)
    : WindowBase(presenters::Form::Uninstaller, guard), presenter_(machine, self, *this) {
    create(L"ParcelkitUninstaller", kStyle, 0);
    if (hwnd() == nullptr) {
        return;
    }
    // It has no rich text.
    createControls(L"EDIT");
    check(UC::DeleteRegistry, true);
    route(WM_COMMAND, &UninstallerWindow::onCommand);
    route(WM_NOTIFY, &UninstallerWindow::onNotify);
    route(WM_CLOSE, &UninstallerWindow::onClose);
}

void UninstallerWindow::applyTexts(const record::UninstallerTexts& texts) {
    ::SetWindowTextW(hwnd(), texts.title.c_str());
    setText(UC::ClosePrograms, texts.closePrograms);
    setText(UC::DirectoryLabel, texts.directory);
    setText(UC::ChooseHint, texts.choose);
    setText(UC::ComponentsGroup, texts.components);
    setText(UC::SelectAll, texts.selectAll);
    setText(UC::DeleteRegistry, texts.deleteRegistry);
    setText(UC::RestartHint, texts.restartHint);
    setText(UC::Uninstall, texts.uninstall);
    setText(UC::Cancel, texts.cancel);
    setFontOfControls(fontRequestOf(model::FontChoice{texts.font, texts.size, texts.charset}));
}

void UninstallerWindow::setComponents(const std::vector<std::wstring>& captions) {
    updating_ = true;
    const HWND list = control(UC::Components);
    ListView_DeleteAllItems(list);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        LVITEMW entry{};
        entry.mask = LVIF_TEXT;
        entry.iItem = int(i);
        entry.pszText = const_cast<wchar_t*>(captions[i].c_str());
        ListView_InsertItem(list, &entry);
        ListView_SetCheckState(list, int(i), TRUE);
    }
    updating_ = false;
}

std::vector<bool> UninstallerWindow::checkedComponents() const {
    const HWND list = control(UC::Components);
    std::vector<bool> checked;
    for (int i = 0, n = ListView_GetItemCount(list); i < n; ++i) {
        checked.push_back(ListView_GetCheckState(list, i) != 0);
    }
    return checked;
}

void UninstallerWindow::checkAllComponents(bool checked) {
    updating_ = true;
    const HWND list = control(UC::Components);
    for (int i = 0, n = ListView_GetItemCount(list); i < n; ++i) {
        ListView_SetCheckState(list, i, checked ? TRUE : FALSE);
    }
    updating_ = false;
}

void UninstallerWindow::setBusy(bool busy) {
    for (const UC which :
         {UC::Components, UC::SelectAll, UC::DeleteRegistry, UC::Uninstall, UC::Cancel}) {
        ::EnableWindow(control(which), !busy);
    }
}

void UninstallerWindow::setProgress(const std::wstring& line) {
    setText(UC::Progress, line);
    // The removal runs inside the click: let the line be seen.
    ::UpdateWindow(control(UC::Progress));
}

void UninstallerWindow::showOutcome(const std::wstring& text, const std::wstring& finishButton,
                                    const std::vector<bool>& gone) {
    setBusy(false);
    for (const UC which : {UC::Components, UC::SelectAll, UC::DeleteRegistry}) {
        ::EnableWindow(control(which), FALSE);
    }
    // A component that is gone loses its check box: it can no longer be chosen, and a
    // ticked box would read as still there.
    updating_ = true;
    const HWND list = control(UC::Components);
    for (int i = 0, n = ListView_GetItemCount(list); i < n; ++i) {
        if (static_cast<std::size_t>(i) < gone.size() && gone[static_cast<std::size_t>(i)]) {
            ListView_SetItemState(list, i, INDEXTOSTATEIMAGEMASK(0), LVIS_STATEIMAGEMASK);
        }
    }
    updating_ = false;
    showControl(static_cast<int>(UC::Uninstall), false);
    setText(UC::Progress, text);
    setText(UC::Cancel, finishButton);
    ::SetFocus(control(UC::Cancel));
}

void UninstallerWindow::close() {
    destroy();
    ::PostQuitMessage(0);
}

void UninstallerWindow::reportFailure(const std::exception& error) {
    win32::Win32MessageBoxes boxes;
    boxes.show(base::describe(error), kErrorCaption, platform::BoxIcon::Error,
               platform::BoxButtons::Ok);
}

LRESULT UninstallerWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const std::optional<int> from = controlOfCommand(id);
    // Esc arrives as IDCANCEL.
    if (id == IDCANCEL || from == static_cast<int>(UC::Cancel)) {
        presenter_.cancelClicked();
    } else if (from == static_cast<int>(UC::Uninstall)) {
        presenter_.uninstallClicked();
    } else if (from == static_cast<int>(UC::SelectAll)) {
        presenter_.selectAllClicked(::SendMessageW(control(UC::SelectAll), BM_GETCHECK, 0, 0) ==
                                    BST_CHECKED);
    } else {
        return defaultHandling(WM_COMMAND, wParam, lParam);
    }
    return 0;
}

LRESULT UninstallerWindow::onNotify(WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom == control(UC::Components) && header->code == LVN_ITEMCHANGED &&
        !updating_) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uChanged & LVIF_STATE) != 0 &&
            ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) != 0) {
            presenter_.componentClicked();
        }
    }
    return defaultHandling(WM_NOTIFY, wParam, lParam);
}

LRESULT UninstallerWindow::onClose(WPARAM, LPARAM) {
    presenter_.cancelClicked();
    return 0;
}

int UninstallerWindow::run() {
    if (hwnd() == nullptr) {
        return 1;
    }
    guard().connect([this](const std::exception& error) { reportFailure(error); },
                    [this] { close(); });
    guard().run([this] { presenter_.start(); });
    if (hwnd() != nullptr) {
        ::ShowWindow(hwnd(), SW_SHOWNORMAL);
        ::SetFocus(control(UC::Uninstall));
    }
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (hwnd() == nullptr || !::IsDialogMessageW(hwnd(), &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    guard().disconnect();
    return guard().failed() ? presenters::kFatalErrorExitCode : presenter_.exitCode();
}

} // namespace

int runUninstallerWindow(uninstaller::RemovalMachine& machine, platform::SelfRemoval& self) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);
    presenters::HandlerGuard guard;
    UninstallerWindow window(machine, self, guard);
    return window.run();
}

} // namespace parcelkit::windows
