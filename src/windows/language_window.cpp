#include "windows/language_window.hpp"

#include "presenters/language_dialog.hpp"
#include "presenters/layout.hpp"
#include "windows/controls.hpp"

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

LanguageWindow::LanguageWindow(presenters::HandlerGuard& guard)
    : WindowBase(presenters::Form::LanguageDialog, guard) {
    create(L"ParcelkitLanguage", kStyle, kExStyle);
    // It has no rich text.
    createControls(L"EDIT");
    setFontOfControls(
        fontRequestOf(presenters::layoutOf(presenters::Form::LanguageDialog).designFont));
    route(WM_COMMAND, &LanguageWindow::onCommand);
    route(DM_GETDEFID, &LanguageWindow::onDefaultId);
    route(WM_TIMER, &LanguageWindow::onTimer);
    route(WM_CLOSE, &LanguageWindow::onClose);
}

LanguageWindow::~LanguageWindow() {
    destroy();
}

void LanguageWindow::showUnlessHidden() {
    if (!hidden_) {
        ::ShowWindow(hwnd(), SW_SHOW);
        ::SetForegroundWindow(hwnd());
        ::SetFocus(control(DC::list1));
    }
}

HWND LanguageWindow::control(DialogControl which) const {
    return WindowBase::control(static_cast<int>(which));
}

void LanguageWindow::setCaption(const std::wstring& text) {
    ::SetWindowTextW(hwnd(), text.c_str());
}

void LanguageWindow::setText(DialogControl which, const std::wstring& text) {
    setControlText(static_cast<int>(which), text);
}

void LanguageWindow::setFont(const model::FontChoice& font) {
    setFontOfControls(fontRequestOf(font));
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

LRESULT LanguageWindow::onCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return 0;
    }
    // Enter and Esc arrive as IDOK and IDCANCEL: the default and the cancel button.
    const int id = LOWORD(wParam);
    const std::optional<int> from = controlOfCommand(id);
    if (id == IDOK || from == static_cast<int>(DC::Button1)) {
        presenter_->Button1Click();
    } else if (id == IDCANCEL || from == static_cast<int>(DC::Button2)) {
        presenter_->Button2Click();
    }
    return 0;
}

LRESULT LanguageWindow::onDefaultId(WPARAM, LPARAM) {
    return MAKELRESULT(commandId(DC::Button1), DC_HASDEFID);
}

LRESULT LanguageWindow::onTimer(WPARAM wParam, LPARAM) {
    if (wParam == kTimerId) {
        presenter_->Timer1Timer();
    }
    return 0;
}

LRESULT LanguageWindow::onClose(WPARAM, LPARAM) {
    // The close box cancels, as the Cancel button does.
    presenter_->Button2Click();
    return 0;
}

} // namespace parcelkit::windows
