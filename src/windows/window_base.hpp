#pragma once

#include "platform/win32/handles.hpp"
#include "presenters/layout.hpp"
#include "presenters/message_routes.hpp"
#include "presenters/screen_layout.hpp"
#include "windows/controls.hpp"

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace parcelkit::windows {

struct IconTraits {
    using Handle = HICON;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { ::DestroyIcon(h); }
};
using UniqueIcon = win32::UniqueHandle<IconTraits>;

// A top-level window laid out by one form of the layout table at the resolution of the
// screen it is on: the table's places, sizes and fonts are scaled by dpi/96 when the window
// is made and again when it moves to a screen of another resolution. A control whose text
// needs more room than the table gives it grows towards the next control, or wraps when it
// is several lines high. Its procedure hands every message to the window's routes: derived
// windows route each message they handle to a member, which runs through the program's
// handler guard; the rest get the default handling.
class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND hwnd() const { return window_.get(); }

protected:
    WindowBase(presenters::Form form, presenters::HandlerGuard& guard);
    ~WindowBase() = default;

    // Registers the class once per process and creates the window, hidden, with the form's
    // client size at the screen's resolution and its design caption, centred on the screen.
    void create(const wchar_t* className, DWORD style, DWORD exStyle);
    // The form's controls in creation order; richEditClass names the rich-text class.
    void createControls(const wchar_t* richEditClass);
    // Derived windows call this in their destructor: the window's last messages still
    // reach a whole object.
    void destroy() { window_.reset(); }

    template <typename Window>
    void route(UINT message, LRESULT (Window::*handler)(WPARAM, LPARAM)) {
        auto* window = static_cast<Window*>(this);
        routes_.route(message, [window, handler](presenters::MessageWord wParam,
                                                 presenters::MessageLong lParam) {
            return static_cast<presenters::MessageLong>(
                (window->*handler)(static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)));
        });
    }
    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::DefWindowProcW(hwnd(), message, wParam, lParam);
    }

    HWND control(int id) const { return controls_.at(static_cast<std::size_t>(id)); }
    // The control of this window that a WM_COMMAND comes from, if any.
    std::optional<int> controlOfCommand(int commandId) const {
        return presenters::controlOfCommand(form_, commandId);
    }
    presenters::HandlerGuard& guard() const { return guard_; }
    const presenters::Scale& scale() const { return scale_; }

    // The font of every control but the ones named; made at the window's resolution, and
    // again at a new one.
    void setFontOfControls(const FontRequest& font, std::initializer_list<int> except = {});
    // The font of one control, made and given with the next setFontOfControls: each giving
    // lays the window out anew.
    void chooseFontOfControl(int id, const FontRequest& font);
    // Texts, visibility and places go through here: each may change how much room the
    // texts have.
    void setControlText(int id, const std::wstring& text);
    void showControl(int id, bool visible);
    // In the table's pixels.
    int designWidthOf(int id) const;
    void moveControlLeft(int id, int designLeft);

    // Nothing of the window is painted until messages are next looked at; then all of it,
    // once. For a run of changes that would each be painted at once, at a round trip to
    // the display each.
    void holdPaintingUntilMessages();

    // For what the window sizes itself beside the controls: pictures, image lists.
    virtual void resolutionChanged() {}

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onDpiChanged(WPARAM wParam, LPARAM lParam);
    LRESULT onActivate(WPARAM wParam, LPARAM lParam);
    void resumePainting();
    // The client size and the controls at the resolution; the window keeps its top left
    // corner, or takes the one given.
    void layOut(int dpi, std::optional<POINT> topLeft);
    void placeControls();
    void placeControl(const presenters::ControlLayout& layout);
    // Where the table, scaled, and the places the window was told put the control.
    presenters::Rect scaledPlaceOf(const presenters::ControlLayout& layout) const;
    presenters::Rect fittedToText(const presenters::ControlLayout& layout,
                                  presenters::Rect place) const;
    void redrawUnder(const presenters::Rect& before, const presenters::Rect& after) const;
    void applyFonts();
    void applyIcons();
    void keepFocusVisible(HWND hidden);

    presenters::Form form_;
    presenters::HandlerGuard& guard_;
    presenters::MessageRoutes routes_;
    presenters::Scale scale_;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    std::vector<HWND> controls_;
    std::vector<std::optional<FontRequest>> fonts_; // by control id
    std::vector<std::pair<FontRequest, win32::UniqueFont>> madeFonts_;
    int fontsDpi_ = 0;                            // the resolution madeFonts_ were made for
    std::vector<std::optional<int>> designLefts_; // places the window was told, by control id
    UniqueIcon smallIcon_;
    UniqueIcon bigIcon_;
    HWND lastFocus_ = nullptr;
    win32::UniqueWindow window_;
};

// Centres a window on the work area of the monitor nearest to the reference window.
void centreOn(HWND window, HWND reference);

} // namespace parcelkit::windows
