#include "windows/wizard_window.hpp"

#include "platform/win32/message_pump_win32.hpp"
#include "presenters/about.hpp"
#include "presenters/layout.hpp"
#include "presenters/wizard_presenter.hpp"
#include "windows/controls.hpp"
#include "windows/folder_dialog.hpp"
#include "windows/rich_text.hpp"

#include <commctrl.h>

#include <array>
#include <utility>

namespace parcelkit::windows {

using presenters::WizardControl;
using C = WizardControl;

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// The About item shows a check mark, as it always has.
constexpr UINT kAboutItemFlags = MF_CHECKED;

int id(WizardControl control) {
    return static_cast<int>(control);
}

int commandId(WizardControl control) {
    return presenters::commandIdOf(id(control));
}

// Thousands of small files must not wait for their names to be painted: five paints a
// second are as many as anyone can read, and each costs about as much as copying ten
// small files. Twenty looks for messages a second keep the window as responsive.
constexpr DWORD kStatusPaintInterval = 200; // milliseconds
constexpr DWORD kPumpInterval = 50;         // milliseconds

constexpr std::array<WizardControl, 4> kStatusControls{C::Label4, C::Label5, C::Label6, C::Label7};

std::size_t statusIndex(model::StatusLine line) {
    switch (line) {
    case model::StatusLine::Heading:
        return 0;
    case model::StatusLine::Notice:
        return 1;
    case model::StatusLine::Activity:
        return 2;
    case model::StatusLine::Subject:
        return 3;
    }
    return 3;
}

} // namespace

WizardWindow::WizardWindow(const wchar_t* richEditClass, presenters::HandlerGuard& guard)
    : WindowBase(presenters::Form::Wizard, guard),
      headerBrush_(::CreateSolidBrush(RGB(255, 255, 255))) {
    create(L"ParcelkitWizard", kStyle, 0);
    createControls(richEditClass);
    chooseFontOfControl(id(C::Label2), fontRequestOf(presenters::kTitleFont));
    chooseFontOfControl(id(C::RichEdit1), fontRequestOf(presenters::kReadmeFont));
    setFontOfControls(fontRequestOf(presenters::layoutOf(presenters::Form::Wizard).designFont),
                      {id(C::Label2), id(C::RichEdit1)});
    // The band lies under the controls drawn on it.
    ::SetWindowPos(control(C::Shape1), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::EnableWindow(control(C::Label_Branding), FALSE);
    components_.emplace(control(C::Treeview1), control(C::Memo1), control(C::CheckBox1),
                        scale().dpi(), guard);
    ::AppendMenuW(::GetSystemMenu(hwnd(), FALSE), kAboutItemFlags, presenters::kAboutCommand,
                  presenters::kAboutItemText);
    route(WM_COMMAND, &WizardWindow::onCommand);
    route(DM_GETDEFID, &WizardWindow::onDefaultId);
    route(WM_CTLCOLORSTATIC, &WizardWindow::onControlColour);
    route(WM_NOTIFY, &WizardWindow::onNotify);
    route(WM_DRAWITEM, &WizardWindow::onDrawItem);
    route(WM_SYSCOMMAND, &WizardWindow::onSysCommand);
    route(WM_CLOSE, &WizardWindow::onClose);
}

WizardWindow::~WizardWindow() {
    destroy();
}

void WizardWindow::connect(presenters::WizardPresenter& presenter,
                           components::ComponentPage& components) {
    presenter_ = &presenter;
    components_->connect(components);
}

HWND WizardWindow::control(WizardControl which) const {
    return WindowBase::control(static_cast<int>(which));
}

void WizardWindow::setCaption(const std::wstring& text) {
    ::SetWindowTextW(hwnd(), text.c_str());
}

std::wstring WizardWindow::caption() const {
    return windowText(hwnd());
}

void WizardWindow::setText(WizardControl which, const std::wstring& text) {
    // A text the pages set is newer than a status line still waiting to be painted.
    for (std::size_t i = 0; i < kStatusControls.size(); ++i) {
        if (kStatusControls[i] == which) {
            pendingStatus_[i].reset();
        }
    }
    setControlText(id(which), text);
}

std::wstring WizardWindow::text(WizardControl which) const {
    return windowText(control(which));
}

void WizardWindow::setVisible(WizardControl which, bool visible) {
    showControl(id(which), visible);
    // The group box holds its two controls only by position.
    if (which == C::GroupBox1) {
        showControl(id(C::Edit1), visible);
        showControl(id(C::Button_dir), visible);
    }
}

void WizardWindow::setEnabled(WizardControl which, bool enabled) {
    ::EnableWindow(control(which), enabled ? TRUE : FALSE);
}

void WizardWindow::focus(WizardControl which) {
    ::SetFocus(control(which));
}

void WizardWindow::setFont(const model::FontChoice& font) {
    // The title and the readme keep their own fonts.
    setFontOfControls(fontRequestOf(font), {id(C::Label2), id(C::RichEdit1)});
}

int WizardWindow::width(WizardControl which) const {
    return designWidthOf(id(which));
}

void WizardWindow::setLeft(WizardControl which, int left) {
    moveControlLeft(id(which), left);
}

void WizardWindow::loadReadme(const std::wstring& path) {
    if (loadRichText(control(C::RichEdit1), path)) {
        readme_ = path;
    }
}

void WizardWindow::loadHeaderPicture(const std::wstring& path) {
    win32::UniqueBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    if (!bitmap) {
        return;
    }
    picture_ = std::move(bitmap);
    showPicture();
}

void WizardWindow::showPicture() {
    if (!picture_) {
        return;
    }
    // Drawn for 96 dpi like the rest of the window, and enlarged with it.
    BITMAP size{};
    ::GetObjectW(picture_.get(), sizeof size, &size);
    win32::UniqueBitmap scaled(
        static_cast<HBITMAP>(::CopyImage(picture_.get(), IMAGE_BITMAP, scale().pixels(size.bmWidth),
                                         scale().pixels(size.bmHeight), LR_COPYRETURNORG)));
    const HBITMAP shown = scaled ? scaled.get() : picture_.get();
    ::SendMessageW(control(C::Image1), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
    // The copy that LR_COPYRETURNORG hands back unchanged at 100% is the original itself.
    if (scaled.get() == picture_.get()) {
        scaled.release();
    }
    shownPicture_ = std::move(scaled);
}

void WizardWindow::resolutionChanged() {
    showPicture();
    components_->rescale(scale().dpi());
    // A new font wipes the readme's formatting: it is loaded again.
    if (!readme_.empty()) {
        loadRichText(control(C::RichEdit1), readme_);
    }
}

std::optional<std::wstring> WizardWindow::chooseFolder(const std::wstring& title) {
    return browseForFolder(hwnd(), title);
}

void WizardWindow::show() {
    if (shown_) {
        ::ShowWindow(hwnd(), SW_SHOW);
        ::SetForegroundWindow(hwnd());
        return;
    }
    shown_ = true;
    // The first page is filled in right after, and under "/s" three more pages before any
    // message is looked at: the window waits to be painted until then, once and complete.
    // Control by control, every change would be painted at once, at a round trip to the
    // display each.
    ::SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOREDRAW);
    ::SetForegroundWindow(hwnd());
    ::SetFocus(control(presenters::kFirstFocus));
    holdPaintingUntilMessages();
}

void WizardWindow::close() {
    // Later: the handler that asks for it finishes first.
    ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void WizardWindow::setStatus(model::StatusLine line, const std::wstring& value) {
    pendingStatus_[statusIndex(line)] = value;
    paintStatusIfDue();
}

void WizardWindow::setProgress(int percent) {
    pendingProgress_ = percent;
    paintStatusIfDue();
}

void WizardWindow::processMessages() {
    paintStatusIfDue();
    // Looking for messages is a call into the system each time: between files a few dozen
    // looks a second keep the window as lively.
    const DWORD now = ::GetTickCount();
    if (now - lastPump_ < kPumpInterval) {
        return;
    }
    lastPump_ = now;
    win32::pumpPendingMessages();
}

void WizardWindow::paintStatusIfDue() {
    // GetTickCount wraps after 49 days; the difference of two readings does not mind.
    const DWORD now = ::GetTickCount();
    if (now - lastStatusPaint_ < kStatusPaintInterval) {
        return;
    }
    lastStatusPaint_ = now;
    for (std::size_t i = 0; i < kStatusControls.size(); ++i) {
        if (auto text = std::exchange(pendingStatus_[i], std::nullopt)) {
            setText(kStatusControls[i], *text);
        }
    }
    if (const auto percent = std::exchange(pendingProgress_, std::nullopt)) {
        ::SendMessageW(control(C::ProgressBar1), PBM_SETPOS, static_cast<WPARAM>(*percent), 0);
    }
}

LRESULT WizardWindow::onCommand(WPARAM wParam, LPARAM) {
    int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    // Enter and Esc arrive as IDOK and IDCANCEL: the default and the cancel button.
    if (id == IDOK) {
        id = commandId(C::Button1);
        code = BN_CLICKED;
    } else if (id == IDCANCEL) {
        id = commandId(C::Button_exit);
        code = BN_CLICKED;
    }
    const std::optional<int> from = controlOfCommand(id);
    if (!from) {
        return 0;
    }
    const auto which = static_cast<WizardControl>(*from);
    if (which == C::Image1 && code == STN_DBLCLK) {
        presenter_->Image1DblClick();
    } else if (code == BN_CLICKED && ::IsWindowEnabled(control(which)) != FALSE &&
               ::IsWindowVisible(control(which)) != FALSE) {
        click(which);
    }
    return 0;
}

void WizardWindow::click(WizardControl button) {
    switch (button) {
    case C::Button1:
        presenter_->Button1Click();
        break;
    case C::Button2:
        presenter_->Button2Click();
        break;
    case C::Button_dir:
        presenter_->Button_dirClick();
        break;
    case C::Button_exit:
        presenter_->Button_exitClick();
        break;
    default:
        break;
    }
}

LRESULT WizardWindow::onDefaultId(WPARAM, LPARAM) {
    return MAKELRESULT(commandId(C::Button1), DC_HASDEFID);
}

LRESULT WizardWindow::onControlColour(WPARAM wParam, LPARAM lParam) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    const auto which = reinterpret_cast<HWND>(lParam);
    // The title, the subtitle and the picture sit on the white band.
    if (which == control(C::Label2) || which == control(C::Label3) || which == control(C::Image1)) {
        ::SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(headerBrush_.get());
    }
    return defaultHandling(WM_CTLCOLORSTATIC, wParam, lParam);
}

LRESULT WizardWindow::onNotify(WPARAM wParam, LPARAM lParam) {
    auto& header = *reinterpret_cast<NMHDR*>(lParam);
    if (components_ && header.hwndFrom == control(C::Treeview1)) {
        return components_->onNotify(header);
    }
    return defaultHandling(WM_NOTIFY, wParam, lParam);
}

LRESULT WizardWindow::onDrawItem(WPARAM, LPARAM lParam) {
    // Only the header band is drawn by its owner.
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    ::FillRect(item.hDC, &item.rcItem, headerBrush_.get());
    ::FrameRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    return TRUE;
}

LRESULT WizardWindow::onSysCommand(WPARAM wParam, LPARAM lParam) {
    if (presenter_->WMSysCommand(static_cast<unsigned>(wParam))) {
        return 0;
    }
    return defaultHandling(WM_SYSCOMMAND, wParam, lParam);
}

LRESULT WizardWindow::onClose(WPARAM, LPARAM) {
    if (presenter_->FormCloseQuery()) {
        ::ShowWindow(hwnd(), SW_HIDE);
        presenter_->FormClose();
    }
    return 0;
}

} // namespace parcelkit::windows
