#include "windows/language_window.hpp"

#include "presenters/language_dialog.hpp"
#include "presenters/layout.hpp"
#include "windows/controls.hpp"
#include "windows/guarded_call.hpp"

namespace parcelkit::windows {

using presenters::DialogControl;
using DC = DialogControl;

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr UINT_PTR kTimerId = 1;

int commandId(DialogControl control) {
    return presenters::commandIdOf(static_cast<int>(control));
}

} // namespace

LanguageWindow::LanguageWindow()
    : designFont_(createFont(presenters::layoutOf(presenters::Form::LanguageDialog).designFont)) {
    const auto& form = presenters::layoutOf(presenters::Form::LanguageDialog);
    create(L"ParcelkitLanguage", kStyle, kExStyle, form.clientWidth, form.clientHeight);
    ::SetWindowTextW(hwnd(), std::wstring(form.designCaption).c_str());
    for (const auto& layout : creationOrder(presenters::Form::LanguageDialog)) {
        const HWND created = createControl(hwnd(), layout, L"EDIT");
        controls_[static_cast<std::size_t>(layout.id)] = created;
        ::SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(designFont_.get()), FALSE);
    }
}

LanguageWindow::~LanguageWindow() {
    destroy();
}

void LanguageWindow::connect(presenters::LanguageDialogPresenter& presenter,
                             presenters::FailureReport report) {
    presenter_ = &presenter;
    report_ = std::move(report);
}

void LanguageWindow::showUnlessHidden() {
    if (!hidden_) {
        ::ShowWindow(hwnd(), SW_SHOW);
        ::SetForegroundWindow(hwnd());
        ::SetFocus(control(DC::list1));
    }
}

HWND LanguageWindow::control(DialogControl which) const {
    return controls_[static_cast<std::size_t>(which)];
}

template <typename Handler> void LanguageWindow::guarded(Handler handler) {
    guardedCall(presenter_, report_, handler);
}

void LanguageWindow::setCaption(const std::wstring& text) {
    ::SetWindowTextW(hwnd(), text.c_str());
}

void LanguageWindow::setText(DialogControl which, const std::wstring& text) {
    ::SetWindowTextW(control(which), text.c_str());
}

void LanguageWindow::setFont(const model::FontChoice& font) {
    win32::UniqueFont chosen = createFont(font.face, font.size, 0, font.charset, false);
    for (const HWND child : controls_) {
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(chosen.get()), TRUE);
    }
    languageFont_ = std::move(chosen);
}

void LanguageWindow::fillList(const std::vector<std::wstring>& lines) {
    const HWND list = control(DC::list1);
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const auto& line : lines) {
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
}

void LanguageWindow::select(int index) {
    ::SendMessageW(control(DC::list1), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int LanguageWindow::selectedIndex() const {
    const LRESULT index = ::SendMessageW(control(DC::list1), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void LanguageWindow::centre() {
    centreOn(hwnd(), hwnd());
}

void LanguageWindow::placeOutOfSight() {
    RECT rect{};
    ::GetWindowRect(hwnd(), &rect);
    ::SetWindowPos(hwnd(), nullptr, rect.left, presenters::kOutOfSightTop, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LanguageWindow::armTimer(unsigned milliseconds) {
    ::SetTimer(hwnd(), kTimerId, milliseconds, nullptr);
}

void LanguageWindow::stopTimer() {
    ::KillTimer(hwnd(), kTimerId);
}

void LanguageWindow::hide() {
    hidden_ = true;
    ::ShowWindow(hwnd(), SW_HIDE);
}

void LanguageWindow::onCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return;
    }
    // Enter and Esc arrive as IDOK and IDCANCEL: the default and the cancel button.
    if (id == IDOK || id == commandId(DC::Button1)) {
        guarded([](presenters::LanguageDialogPresenter& p) { p.Button1Click(); });
    } else if (id == IDCANCEL || id == commandId(DC::Button2)) {
        guarded([](presenters::LanguageDialogPresenter& p) { p.Button2Click(); });
    }
}

LRESULT LanguageWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(commandId(DC::Button1), DC_HASDEFID);
    case WM_TIMER:
        if (wParam == kTimerId) {
            guarded([](presenters::LanguageDialogPresenter& p) { p.Timer1Timer(); });
        }
        return 0;
    case WM_CLOSE:
        // The close box cancels, as the Cancel button does.
        guarded([](presenters::LanguageDialogPresenter& p) { p.Button2Click(); });
        return 0;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

} // namespace parcelkit::windows
