#include "windows/uninstaller_window.hpp"

#include "platform/win32/handles.hpp"
#include "presenters/uninstaller_presenter.hpp"

#include <windows.h>

#include <commctrl.h>

#include <array>

namespace parcelkit::windows {

namespace {

enum ControlId : int {
    kClosePrograms = 100,
    kDirectoryLabel,
    kDirectory,
    kChoose,
    kComponentsGroup,
    kComponents,
    kSelectAll,
    kDeleteRegistry,
    kProgress,
    kRestartHint,
    kUninstall,
    kCancel,
};

struct ControlPlace {
    int id;
    const wchar_t* windowClass;
    DWORD style;
    int x, y, width, height;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// The window's layout, in pixels of a 96-dpi screen.
constexpr std::array<ControlPlace, 12> kLayout{{
    {kClosePrograms, L"STATIC", kChild, 12, 12, 456, 20},
    {kDirectoryLabel, L"STATIC", kChild, 12, 40, 456, 18},
    {kDirectory, L"EDIT", kChild | ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, 12, 60, 456, 22},
    {kChoose, L"STATIC", kChild, 12, 92, 456, 20},
    {kComponentsGroup, L"BUTTON", kChild | BS_GROUPBOX, 12, 114, 456, 172},
    {kComponents, WC_LISTVIEWW,
     kChild | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL, 24, 134,
     432, 120},
    {kSelectAll, L"BUTTON", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 24, 258, 300, 22},
    {kDeleteRegistry, L"BUTTON", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 12, 294, 456, 22},
    {kProgress, L"EDIT", kChild | ES_READONLY | ES_MULTILINE | WS_VSCROLL | WS_BORDER, 12, 322, 456,
     64},
    {kRestartHint, L"STATIC", kChild, 12, 394, 270, 20},
    {kUninstall, L"BUTTON", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 290, 420, 86, 26},
    {kCancel, L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 382, 420, 86, 26},
}};

constexpr wchar_t kWindowClass[] = L"ParcelkitUninstaller";

class UninstallerWindow : public presenters::UninstallerView {
public:
    UninstallerWindow(uninstaller::RemovalMachine& machine, platform::SelfRemoval& self)
        : presenter_(machine, self, *this) {}

    int run();

    void applyTexts(const record::UninstallerTexts& texts) override;
    void setDirectory(const std::wstring& directory) override { setText(kDirectory, directory); }
    void setComponents(const std::vector<std::wstring>& captions) override;
    std::vector<bool> checkedComponents() const override;
    void checkAllComponents(bool checked) override;
    void setSelectAll(bool checked) override { check(kSelectAll, checked); }
    bool deleteRegistryEntries() const override {
        return ::SendMessageW(item(kDeleteRegistry), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void enableUninstall(bool enabled) override { ::EnableWindow(item(kUninstall), enabled); }
    void setBusy(bool busy) override;
    void setProgress(const std::wstring& line) override;
    void showOutcome(const std::wstring& text, const std::wstring& finishButton) override;
    void close() override { ::DestroyWindow(window_); }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void createControls();
    HWND item(int id) const { return ::GetDlgItem(window_, id); }
    void setText(int id, const std::wstring& text) { ::SetWindowTextW(item(id), text.c_str()); }
    void check(int id, bool checked) {
        ::SendMessageW(item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    presenters::UninstallerPresenter presenter_;
    HWND window_ = nullptr;
    win32::UniqueFont font_;
    bool updating_ = false; // check boxes set by the program, not by the user
};

void UninstallerWindow::applyTexts(const record::UninstallerTexts& texts) {
    ::SetWindowTextW(window_, texts.title.c_str());
    setText(kClosePrograms, texts.closePrograms);
    setText(kDirectoryLabel, texts.directory);
    setText(kChoose, texts.choose);
    setText(kComponentsGroup, texts.components);
    setText(kSelectAll, texts.selectAll);
    setText(kDeleteRegistry, texts.deleteRegistry);
    setText(kRestartHint, texts.restartHint);
    setText(kUninstall, texts.uninstall);
    setText(kCancel, texts.cancel);
    const HDC screen = ::GetDC(nullptr);
    const int height = -::MulDiv(texts.size, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    font_.reset(::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DWORD(texts.charset),
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH, texts.font.c_str()));
    for (const auto& place : kLayout) {
        ::SendMessageW(item(place.id), WM_SETFONT, WPARAM(font_.get()), TRUE);
    }
}

void UninstallerWindow::setComponents(const std::vector<std::wstring>& captions) {
    updating_ = true;
    const HWND list = item(kComponents);
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
    const HWND list = item(kComponents);
    std::vector<bool> checked;
    for (int i = 0, n = ListView_GetItemCount(list); i < n; ++i) {
        checked.push_back(ListView_GetCheckState(list, i) != 0);
    }
    return checked;
}

void UninstallerWindow::checkAllComponents(bool checked) {
    updating_ = true;
    const HWND list = item(kComponents);
    for (int i = 0, n = ListView_GetItemCount(list); i < n; ++i) {
        ListView_SetCheckState(list, i, checked ? TRUE : FALSE);
    }
    updating_ = false;
}

void UninstallerWindow::setBusy(bool busy) {
    for (const int id : {kComponents, kSelectAll, kDeleteRegistry, kUninstall, kCancel}) {
        ::EnableWindow(item(id), !busy);
    }
}

void UninstallerWindow::setProgress(const std::wstring& line) {
    setText(kProgress, line);
    // The removal runs inside the click: let the line be seen.
    ::UpdateWindow(item(kProgress));
}

void UninstallerWindow::showOutcome(const std::wstring& text, const std::wstring& finishButton) {
    setBusy(false);
    for (const int id : {kComponents, kSelectAll, kDeleteRegistry}) {
        ::EnableWindow(item(id), FALSE);
    }
    ::ShowWindow(item(kUninstall), SW_HIDE);
    setText(kProgress, text);
    setText(kCancel, finishButton);
    ::SetFocus(item(kCancel));
}

void UninstallerWindow::createControls() {
    for (const auto& place : kLayout) {
        ::CreateWindowExW(0, place.windowClass, L"", place.style, place.x, place.y, place.width,
                          place.height, window_, reinterpret_cast<HMENU>(INT_PTR(place.id)),
                          ::GetModuleHandleW(nullptr), nullptr);
    }
    const HWND list = item(kComponents);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 408;
    ListView_InsertColumn(list, 0, &column);
    check(kDeleteRegistry, true);
}

LRESULT CALLBACK UninstallerWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(l);
        auto* self = static_cast<UninstallerWindow*>(create->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<UninstallerWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self == nullptr ? ::DefWindowProcW(window, message, w, l) : self->handle(message, w, l);
}

LRESULT UninstallerWindow::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(w)) {
        case kUninstall:
            presenter_.uninstallClicked();
            return 0;
        case kCancel:
        case IDCANCEL:
            presenter_.cancelClicked();
            return 0;
        case kSelectAll:
            presenter_.selectAllClicked(::SendMessageW(item(kSelectAll), BM_GETCHECK, 0, 0) ==
                                        BST_CHECKED);
            return 0;
        default:
            break;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(l);
        if (header->idFrom == UINT_PTR(kComponents) && header->code == LVN_ITEMCHANGED &&
            !updating_) {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(l);
            if ((change->uChanged & LVIF_STATE) != 0 &&
                ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) != 0) {
                presenter_.componentClicked();
            }
        }
        break;
    }
    case WM_CLOSE:
        presenter_.cancelClicked();
        return 0;
    case WM_DESTROY:
        window_ = nullptr;
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window_, message, w, l);
}

int UninstallerWindow::run() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &UninstallerWindow::procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hIcon = ::LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassExW(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 480, 458};
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    if (::CreateWindowExW(0, kWindowClass, L"", style, CW_USEDEFAULT, CW_USEDEFAULT,
                          frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                          windowClass.hInstance, this) == nullptr) {
        return 1;
    }
    createControls();
    presenter_.start();
    ::ShowWindow(window_, SW_SHOWNORMAL);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window_ == nullptr || !::IsDialogMessageW(window_, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return presenter_.exitCode();
}

} // namespace

int runUninstallerWindow(uninstaller::RemovalMachine& machine, platform::SelfRemoval& self) {
    UninstallerWindow window(machine, self);
    return window.run();
}

} // namespace parcelkit::windows
