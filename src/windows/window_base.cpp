#include "windows/window_base.hpp"

#include "presenters/reading_order.hpp"
#include "windows/screen_dpi.hpp"
#include "windows/text_extent.hpp"

#include <algorithm>

namespace parcelkit::windows {

namespace {

using presenters::ControlKind;
using presenters::ControlLayout;
using presenters::Rect;

// Posted by holdPaintingUntilMessages. The window takes it itself, never a presenter: a
// handler guard closed by a failure must not leave the window unpainted.
constexpr UINT kResumePainting = WM_APP + 1;

bool isShown(HWND control) {
    return (::GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

const ControlLayout* boxOf(const ControlLayout& control) {
    for (const auto& other : presenters::controlLayouts()) {
        if (other.form == control.form && other.name == control.parent) {
            return &other;
        }
    }
    return nullptr;
}

// Labels on the header band, a group box around its contents and the separator line beside
// the branding text do not stop a control from growing.
bool canStopGrowth(const ControlLayout& other, const ControlLayout& growing) {
    return other.kind != ControlKind::Rectangle && other.kind != ControlKind::Bevel &&
           other.name != growing.parent && other.id != growing.id;
}

} // namespace

static_assert(sizeof(presenters::MessageWord) == sizeof(WPARAM) &&
              sizeof(presenters::MessageLong) == sizeof(LPARAM) &&
              sizeof(presenters::MessageLong) == sizeof(LRESULT));

WindowBase::WindowBase(presenters::Form form, presenters::HandlerGuard& guard)
    : form_(form), guard_(guard),
      routes_(guard, [this](unsigned message, presenters::MessageWord wParam,
                            presenters::MessageLong lParam) {
          return static_cast<presenters::MessageLong>(
              defaultHandling(message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)));
      }) {
    route(WM_DPICHANGED, &WindowBase::onDpiChanged);
    route(WM_ACTIVATE, &WindowBase::onActivate);
}

void WindowBase::create(const wchar_t* className, DWORD style, DWORD exStyle) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    if (::GetClassInfoExW(instance, className, &windowClass) == FALSE) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &WindowBase::procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = className;
        ::RegisterClassExW(&windowClass);
    }
    style_ = style;
    exStyle_ = exStyle;
    const presenters::FormLayout& form = presenters::layoutOf(form_);
    const std::wstring caption(form.designCaption);
    // Made at the table's size first: only a window knows the resolution of its screen.
    const HWND hwnd =
        ::CreateWindowExW(exStyle, className, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                          form.clientWidth, form.clientHeight, nullptr, nullptr, instance, this);
    window_.reset(hwnd);
    if (hwnd == nullptr) {
        return;
    }
    layOut(dpiOf(hwnd), std::nullopt);
    centreOn(hwnd, hwnd);
}

void WindowBase::createControls(const wchar_t* richEditClass) {
    for (const auto& layout : presenters::creationOrder(form_)) {
        const auto index = static_cast<std::size_t>(layout.id);
        if (controls_.size() <= index) {
            controls_.resize(index + 1);
            fonts_.resize(index + 1);
            designLefts_.resize(index + 1);
        }
        controls_[index] = createControl(hwnd(), layout, scale_.pixels(presenters::placeOf(layout)),
                                         scale_, richEditClass);
    }
    // A group box lies under the controls drawn on it: each then paints only its own part.
    for (const auto& layout : presenters::controlLayouts()) {
        if (layout.form == form_ && layout.kind == ControlKind::GroupBox) {
            ::SetWindowPos(control(layout.id), HWND_BOTTOM, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

void WindowBase::setFontOfControls(const FontRequest& font, std::initializer_list<int> except) {
    for (const auto& layout : presenters::controlLayouts()) {
        if (layout.form == form_ &&
            std::find(except.begin(), except.end(), layout.id) == except.end()) {
            fonts_.at(static_cast<std::size_t>(layout.id)) = font;
        }
    }
    applyFonts();
}

void WindowBase::chooseFontOfControl(int id, const FontRequest& font) {
    fonts_.at(static_cast<std::size_t>(id)) = font;
}

void WindowBase::applyFonts() {
    // Fonts made at this resolution are kept: a control whose font stays is not told again,
    // since a new font wipes the rich text's formatting.
    std::vector<std::pair<FontRequest, win32::UniqueFont>> kept;
    if (fontsDpi_ == scale_.dpi()) {
        kept = std::move(madeFonts_);
    }
    std::vector<std::pair<FontRequest, win32::UniqueFont>> made;
    const auto fontFor = [&](const FontRequest& wanted) {
        const auto same = [&](const auto& entry) { return entry.first == wanted && entry.second; };
        if (auto found = std::find_if(made.begin(), made.end(), same); found != made.end()) {
            return found->second.get();
        }
        if (auto found = std::find_if(kept.begin(), kept.end(), same); found != kept.end()) {
            made.push_back(std::move(*found));
        } else {
            made.emplace_back(wanted, createFont(wanted, scale_));
        }
        return made.back().second.get();
    };
    for (std::size_t id = 0; id < controls_.size(); ++id) {
        if (!fonts_[id] || controls_[id] == nullptr) {
            continue;
        }
        const HFONT font = fontFor(*fonts_[id]);
        if (reinterpret_cast<HFONT>(::SendMessageW(controls_[id], WM_GETFONT, 0, 0)) != font) {
            ::SendMessageW(controls_[id], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        }
    }
    // The fonts no control uses any more go only now that no control holds them.
    madeFonts_ = std::move(made);
    fontsDpi_ = scale_.dpi();
    placeControls();
}

void WindowBase::setControlText(int id, const std::wstring& text) {
    const HWND target = control(id);
    const Rect before = placeInWindow(target);
    ::SetWindowTextW(target, text.c_str());
    for (const auto& layout : presenters::controlLayouts()) {
        if (layout.form == form_ && layout.id == id) {
            placeControl(layout);
        }
    }
    // A transparent label does not erase its old text, even where its place stays.
    redrawUnder(before, placeInWindow(target));
}

void WindowBase::showControl(int id, bool visible) {
    const HWND target = control(id);
    // The pages show and hide every control they name; one already so costs nothing then.
    if (isShown(target) == visible) {
        return;
    }
    const HWND focus = ::GetFocus();
    const bool hadFocus = focus != nullptr && (focus == target || ::IsChild(target, focus));
    ::ShowWindow(target, visible ? SW_SHOW : SW_HIDE);
    // What the control left free, or now takes, changes the others' room.
    placeControls();
    if (!visible && hadFocus) {
        keepFocusVisible(target);
    }
}

int WindowBase::designWidthOf(int id) const {
    RECT rect{};
    ::GetWindowRect(control(id), &rect);
    return scale_.designPixels(rect.right - rect.left);
}

void WindowBase::moveControlLeft(int id, int designLeft) {
    designLefts_.at(static_cast<std::size_t>(id)) = designLeft;
    placeControls();
}

void WindowBase::layOut(int dpi, std::optional<POINT> topLeft) {
    scale_ = presenters::Scale(dpi);
    const presenters::FormLayout& form = presenters::layoutOf(form_);
    const RECT client{0, 0, scale_.pixels(form.clientWidth), scale_.pixels(form.clientHeight)};
    const RECT frame = frameAround(client, style_, exStyle_, dpi);
    RECT now{};
    ::GetWindowRect(hwnd(), &now);
    const POINT corner = topLeft.value_or(POINT{now.left, now.top});
    ::SetWindowPos(hwnd(), nullptr, corner.x, corner.y, frame.right - frame.left,
                   frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& layout : presenters::controlLayouts()) {
        if (layout.form == form_ && static_cast<std::size_t>(layout.id) < controls_.size()) {
            scaleControlParts(control(layout.id), layout, scale_);
        }
    }
    applyFonts();
    applyIcons();
}

void WindowBase::placeControls() {
    for (const auto& layout : presenters::controlLayouts()) {
        if (layout.form == form_ && static_cast<std::size_t>(layout.id) < controls_.size()) {
            placeControl(layout);
        }
    }
}

void WindowBase::placeControl(const ControlLayout& layout) {
    const HWND target = control(layout.id);
    if (target == nullptr) {
        return;
    }
    Rect place = scaledPlaceOf(layout);
    if (layout.kind == ControlKind::DropDownList) {
        // Its window also holds the list that drops down.
        place.height = placeInWindow(target).height;
    } else if (presenters::fitsItsText(layout.kind)) {
        place = fittedToText(layout, place);
    }
    const Rect before = placeInWindow(target);
    if (place == before) {
        return;
    }
    ::SetWindowPos(target, nullptr, place.left, place.top, place.width, place.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    redrawUnder(before, place);
}

void WindowBase::redrawUnder(const Rect& before, const Rect& after) const {
    // A transparent label does not erase what it drew before: the window repaints the
    // place of the old text and of the new one.
    RECT both{std::min(before.left, after.left), std::min(before.top, after.top),
              std::max(before.right(), after.right()), std::max(before.bottom(), after.bottom())};
    ::RedrawWindow(hwnd(), &both, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

Rect WindowBase::scaledPlaceOf(const ControlLayout& layout) const {
    Rect design = presenters::placeOf(layout);
    if (const auto& left = designLefts_.at(static_cast<std::size_t>(layout.id))) {
        design.left = *left;
    }
    return scale_.pixels(design);
}

Rect WindowBase::fittedToText(const ControlLayout& layout, Rect place) const {
    const HWND target = control(layout.id);
    const int line = lineHeight(target);
    if (layout.autoSize) {
        place.height = line;
    }
    std::vector<Rect> others;
    for (const auto& other : presenters::controlLayouts()) {
        if (other.form == form_ && canStopGrowth(other, layout) &&
            static_cast<std::size_t>(other.id) < controls_.size() && control(other.id) != nullptr &&
            isShown(control(other.id))) {
            // The table's places, not the controls' present ones: while the window lays out
            // anew, the controls not yet placed still stand where the old resolution put them.
            Rect stop = scaledPlaceOf(other);
            if (other.autoSize) {
                stop.height = lineHeight(control(other.id));
            }
            others.push_back(stop);
        }
    }
    const ControlLayout* box = boxOf(layout);
    const int areaRight =
        box != nullptr
            ? scale_.pixels(box->left + box->width - presenters::kEdgeMargin)
            : scale_.pixels(presenters::layoutOf(form_).clientWidth - presenters::kEdgeMargin);
    const int limit =
        presenters::growthLimit(place, others, areaRight, scale_.pixels(presenters::kGrowthGap));
    const int room = std::max(limit - place.left, 0);
    if (layout.autoSize) {
        // One line as long as the text, or wrapped at the edge of the room it has.
        const int needed = neededWidth(target, layout.kind, scale_);
        place.width = std::min(needed, room);
        if (needed > room) {
            place.height = wrappedHeight(target, layout.kind, place.width);
        }
        return place;
    }
    if (place.height >= 2 * line &&
        (layout.kind == ControlKind::Label || layout.kind == ControlKind::PrefixedLabel)) {
        // A text of several lines wraps; it takes more width only when it is too high.
        if (wrappedHeight(target, layout.kind, place.width) > place.height) {
            place.width = std::max(place.width, room);
        }
        return place;
    }
    return presenters::widenedFor(place, neededWidth(target, layout.kind, scale_), limit);
}

void WindowBase::applyIcons() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const auto load = [&](int width, int height) {
        return UniqueIcon(static_cast<HICON>(::LoadImageW(
            instance, MAKEINTRESOURCEW(1), IMAGE_ICON, systemMetricAt(width, scale_.dpi()),
            systemMetricAt(height, scale_.dpi()), LR_DEFAULTCOLOR)));
    };
    // The window holds the old icons until it has the new ones.
    UniqueIcon titleBarIcon = load(SM_CXSMICON, SM_CYSMICON);
    UniqueIcon switcherIcon = load(SM_CXICON, SM_CYICON);
    if (titleBarIcon) {
        ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL,
                       reinterpret_cast<LPARAM>(titleBarIcon.get()));
        smallIcon_ = std::move(titleBarIcon);
    }
    if (switcherIcon) {
        ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(switcherIcon.get()));
        bigIcon_ = std::move(switcherIcon);
    }
}

void WindowBase::holdPaintingUntilMessages() {
    ::SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    // Posted messages come before input and before painting: the window is whole again
    // before anyone can click it or see it. A full queue would leave it unpainted for
    // good: then it paints now.
    if (::PostMessageW(hwnd(), kResumePainting, 0, 0) == FALSE) {
        resumePainting();
    }
}

void WindowBase::resumePainting() {
    ::SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(hwnd(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void WindowBase::keepFocusVisible(HWND hidden) {
    // The focus would stay on a control nobody sees, and the keyboard would seem dead:
    // it goes to the default button, or else to the next control Tab reaches.
    for (const auto& layout : presenters::controlLayouts()) {
        if (layout.form == form_ && layout.defaultButton) {
            const HWND button = control(layout.id);
            // Its own flag: while the window waits to be painted, the system calls every
            // control of it invisible.
            if (isShown(button) && ::IsWindowEnabled(button) != FALSE) {
                ::SetFocus(button);
                return;
            }
        }
    }
    if (const HWND next = ::GetNextDlgTabItem(hwnd(), hidden, FALSE)) {
        ::SetFocus(next);
    }
}

LRESULT WindowBase::onDpiChanged(WPARAM wParam, LPARAM lParam) {
    const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
    layOut(HIWORD(wParam), POINT{suggested.left, suggested.top});
    resolutionChanged();
    return 0;
}

LRESULT WindowBase::onActivate(WPARAM wParam, LPARAM lParam) {
    // Back from a message box or another program, the focus returns to where it was, as
    // in a dialog: the window itself would otherwise take it.
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        lastFocus_ = focus != nullptr && ::IsChild(hwnd(), focus) != FALSE ? focus : nullptr;
        return 0;
    }
    if (lastFocus_ != nullptr && ::IsWindowVisible(lastFocus_) != FALSE &&
        ::IsWindowEnabled(lastFocus_) != FALSE) {
        ::SetFocus(lastFocus_);
        return 0;
    }
    return defaultHandling(WM_ACTIVATE, wParam, lParam);
}

LRESULT CALLBACK WindowBase::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<WindowBase*>(create->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        scaleTitleBarWithWindow(hwnd);
    }
    auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    // Messages during creation have no object to go to: the object's handle is set only
    // when CreateWindowExW has returned.
    if (self == nullptr || self->hwnd() != hwnd) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == kResumePainting) {
        self->resumePainting();
        return 0;
    }
    if (message == WM_THEMECHANGED) {
        // A button's ideal size depends on the theme as well.
        forgetMeasurements();
    }
    const LRESULT result = static_cast<LRESULT>(
        self->routes_.dispatch(message, static_cast<presenters::MessageWord>(wParam),
                               static_cast<presenters::MessageLong>(lParam)));
    if (message == WM_NCDESTROY) {
        // Destroyed by the system: the handle is no longer the object's to destroy.
        self->window_.release();
    }
    return result;
}

void centreOn(HWND window, HWND reference) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(reference, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const RECT& area = monitor.rcWork;
    const Rect centred = presenters::centredIn(
        {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top},
        {area.left, area.top, area.right - area.left, area.bottom - area.top});
    ::SetWindowPos(window, nullptr, centred.left, centred.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace parcelkit::windows
