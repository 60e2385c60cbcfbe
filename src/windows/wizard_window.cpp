#include "windows/wizard_window.hpp"

#include "platform/win32/message_pump_win32.hpp"
#include "presenters/about.hpp"
#include "presenters/layout.hpp"
#include "presenters/wizard_presenter.hpp"
#include "windows/controls.hpp"
#include "windows/folder_dialog.hpp"
#include "windows/guarded_call.hpp"
#include "windows/rich_text.hpp"

#include <commctrl.h>

namespace parcelkit::windows {

using presenters::WizardControl;
using C = WizardControl;

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// The About item shows a check mark, as it always has.
constexpr UINT kAboutItemFlags = MF_CHECKED;

int commandId(WizardControl control) {
    return presenters::commandIdOf(static_cast<int>(control));
}

} // namespace

WizardWindow::WizardWindow(const wchar_t* richEditClass)
    : designFont_(createFont(presenters::layoutOf(presenters::Form::Wizard).designFont)),
      titleFont_(createFont(presenters::kTitleFont)),
      readmeFont_(createFont(presenters::kReadmeFont)),
      headerBrush_(::CreateSolidBrush(RGB(255, 255, 255))) {
    const auto& form = presenters::layoutOf(presenters::Form::Wizard);
    create(L"ParcelkitWizard", kStyle, 0, form.clientWidth, form.clientHeight);
    ::SetWindowTextW(hwnd(), std::wstring(form.designCaption).c_str());
    for (const auto& layout : creationOrder(presenters::Form::Wizard)) {
        const HWND created = createControl(hwnd(), layout, richEditClass);
        controls_[static_cast<std::size_t>(layout.id)] = created;
        ::SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(designFont_.get()), FALSE);
    }
    ::SendMessageW(control(C::Label2), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()),
                   FALSE);
    ::SendMessageW(control(C::RichEdit1), WM_SETFONT, reinterpret_cast<WPARAM>(readmeFont_.get()),
                   FALSE);
    // The band and the frame lie under the controls drawn on them.
    ::SetWindowPos(control(C::GroupBox1), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(control(C::Shape1), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (const auto& layout : presenters::controlLayouts()) {
        if (layout.form == presenters::Form::Wizard && layout.autoSize) {
            fitToText(controls_[static_cast<std::size_t>(layout.id)]);
        }
    }
    ::EnableWindow(control(C::Label_Branding), FALSE);
    components_.emplace(control(C::Treeview1), control(C::Memo1), control(C::CheckBox1));
    ::AppendMenuW(::GetSystemMenu(hwnd(), FALSE), kAboutItemFlags, presenters::kAboutCommand,
                  presenters::kAboutItemText);
}

WizardWindow::~WizardWindow() {
    // The presenter and the component page end with the program run, before the window:
    // the messages of its destruction must not reach them.
    presenter_ = nullptr;
    if (components_) {
        components_->disconnect();
    }
    destroy();
}

void WizardWindow::connect(presenters::WizardPresenter& presenter,
                           components::ComponentPage& components,
                           presenters::FailureReport report) {
    presenter_ = &presenter;
    components_->connect(components, report);
    report_ = std::move(report);
}

HWND WizardWindow::control(WizardControl which) const {
    return controls_[static_cast<std::size_t>(which)];
}

template <typename Handler> void WizardWindow::guarded(Handler handler) {
    guardedCall(presenter_, report_, handler);
}

void WizardWindow::setCaption(const std::wstring& text) {
    ::SetWindowTextW(hwnd(), text.c_str());
}

std::wstring WizardWindow::caption() const {
    return windowText(hwnd());
}

void WizardWindow::setText(WizardControl which, const std::wstring& text) {
    const HWND target = control(which);
    if (!presenters::layoutOf(which).autoSize) {
        ::SetWindowTextW(target, text.c_str());
        return;
    }
    // A transparent label does not erase what it drew before: the window repaints the
    // place of the old text and the new one.
    RECT before{};
    ::GetWindowRect(target, &before);
    ::SetWindowTextW(target, text.c_str());
    fitToText(target);
    RECT after{};
    ::GetWindowRect(target, &after);
    RECT both{};
    ::UnionRect(&both, &before, &after);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&both), 2);
    ::RedrawWindow(hwnd(), &both, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::wstring WizardWindow::text(WizardControl which) const {
    return windowText(control(which));
}

void WizardWindow::setVisible(WizardControl which, bool visible) {
    const int command = visible ? SW_SHOW : SW_HIDE;
    ::ShowWindow(control(which), command);
    // The group box holds its two controls only by position.
    if (which == C::GroupBox1) {
        ::ShowWindow(control(C::Edit1), command);
        ::ShowWindow(control(C::Button_dir), command);
    }
}

void WizardWindow::setEnabled(WizardControl which, bool enabled) {
    ::EnableWindow(control(which), enabled ? TRUE : FALSE);
}

void WizardWindow::focus(WizardControl which) {
    ::SetFocus(control(which));
}

void WizardWindow::setFont(const model::FontChoice& font) {
    win32::UniqueFont chosen = createFont(font.face, font.size, 0, font.charset, false);
    for (const auto& layout : presenters::controlLayouts()) {
        const auto which = static_cast<WizardControl>(layout.id);
        if (layout.form != presenters::Form::Wizard || which == C::Label2 ||
            which == C::RichEdit1) {
            continue;
        }
        ::SendMessageW(control(which), WM_SETFONT, reinterpret_cast<WPARAM>(chosen.get()), TRUE);
        if (layout.autoSize) {
            fitToText(control(which));
        }
    }
    languageFont_ = std::move(chosen);
}

int WizardWindow::width(WizardControl which) const {
    return windowWidth(control(which));
}

void WizardWindow::setLeft(WizardControl which, int left) {
    RECT rect{};
    ::GetWindowRect(control(which), &rect);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    ::SetWindowPos(control(which), nullptr, left, rect.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WizardWindow::loadReadme(const std::wstring& path) {
    loadRichText(control(C::RichEdit1), path);
}

void WizardWindow::loadHeaderPicture(const std::wstring& path) {
    win32::UniqueBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    if (!bitmap) {
        return;
    }
    ::SendMessageW(control(C::Image1), STM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(bitmap.get()));
    picture_ = std::move(bitmap);
}

std::optional<std::wstring> WizardWindow::chooseFolder(const std::wstring& title) {
    return browseForFolder(hwnd(), title);
}

void WizardWindow::show() {
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    if (!shown_) {
        shown_ = true;
        ::SetFocus(control(presenters::kFirstFocus));
    }
}

void WizardWindow::close() {
    // Later: the handler that asks for it finishes first.
    ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void WizardWindow::setStatus(model::StatusLine line, const std::wstring& value) {
    switch (line) {
    case model::StatusLine::Heading:
        setText(C::Label4, value);
        break;
    case model::StatusLine::Notice:
        setText(C::Label5, value);
        break;
    case model::StatusLine::Activity:
        setText(C::Label6, value);
        break;
    case model::StatusLine::Subject:
        setText(C::Label7, value);
        break;
    }
}

void WizardWindow::setProgress(int percent) {
    ::SendMessageW(control(C::ProgressBar1), PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void WizardWindow::processMessages() {
    win32::pumpPendingMessages();
}

void WizardWindow::onCommand(int id, int code) {
    // Enter and Esc arrive as IDOK and IDCANCEL: the default and the cancel button.
    if (id == IDOK) {
        id = commandId(C::Button1);
        code = BN_CLICKED;
    } else if (id == IDCANCEL) {
        id = commandId(C::Button_exit);
        code = BN_CLICKED;
    }
    // Other ids come from menus or from other programs.
    const std::optional<int> from = presenters::controlOfCommand(presenters::Form::Wizard, id);
    if (!from) {
        return;
    }
    const auto pressed = static_cast<WizardControl>(*from);
    if (pressed == C::Image1 && code == STN_DBLCLK) {
        guarded([](presenters::WizardPresenter& p) { p.Image1DblClick(); });
        return;
    }
    if (code != BN_CLICKED || ::IsWindowEnabled(control(pressed)) == FALSE ||
        ::IsWindowVisible(control(pressed)) == FALSE) {
        return;
    }
    switch (pressed) {
    case C::Button1:
        guarded([](presenters::WizardPresenter& p) { p.Button1Click(); });
        break;
    case C::Button2:
        guarded([](presenters::WizardPresenter& p) { p.Button2Click(); });
        break;
    case C::Button_dir:
        guarded([](presenters::WizardPresenter& p) { p.Button_dirClick(); });
        break;
    case C::Button_exit:
        guarded([](presenters::WizardPresenter& p) { p.Button_exitClick(); });
        break;
    default:
        break;
    }
}

LRESULT WizardWindow::onControlColour(HDC dc, HWND which) {
    // The title, the subtitle and the picture sit on the white band.
    if (which == control(C::Label2) || which == control(C::Label3) || which == control(C::Image1)) {
        ::SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(headerBrush_.get());
    }
    return defaultHandling(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(which));
}

void WizardWindow::paintHeaderBand(const DRAWITEMSTRUCT& item) const {
    ::FillRect(item.hDC, &item.rcItem, headerBrush_.get());
    ::FrameRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

LRESULT WizardWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(commandId(C::Button1), DC_HASDEFID);
    case WM_CTLCOLORSTATIC:
        return onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if (components_ && header.hwndFrom == control(C::Treeview1)) {
            return components_->onNotify(header);
        }
        return defaultHandling(message, wParam, lParam);
    }
    case WM_DRAWITEM:
        paintHeaderBand(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_SYSCOMMAND: {
        bool handled = false;
        guarded([&](presenters::WizardPresenter& p) {
            handled = p.WMSysCommand(static_cast<unsigned>(wParam));
        });
        return handled ? 0 : defaultHandling(message, wParam, lParam);
    }
    case WM_CLOSE:
        guarded([this](presenters::WizardPresenter& p) {
            if (p.FormCloseQuery()) {
                ::ShowWindow(hwnd(), SW_HIDE);
                p.FormClose();
            }
        });
        return 0;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

} // namespace parcelkit::windows
