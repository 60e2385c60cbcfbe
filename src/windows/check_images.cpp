#include "windows/check_images.hpp"

#include "platform/win32/system_library.hpp"
#include "presenters/screen_layout.hpp"

#include <array>
#include <uxtheme.h>
#include <vssym32.h>

namespace parcelkit::windows {

namespace {

// The size the tree gives a state image at 96 dpi: that of a small icon, the box centred in
// it.
constexpr int kImageSize = 16;
constexpr int kBoxSize = 13;
constexpr int kImageCount = 4;

// uxtheme is loaded when needed: where it is missing, or themes are off, the classic look
// is drawn.
class ThemeLibrary {
public:
    ThemeLibrary() : module_(win32::loadSystemLibrary(L"uxtheme.dll")) {
        if (module_) {
            open_ = reinterpret_cast<OpenFn>(
                reinterpret_cast<void*>(::GetProcAddress(module_.get(), "OpenThemeData")));
            // Newer systems draw the theme's parts for a resolution of our choosing.
            openForDpi_ = reinterpret_cast<OpenForDpiFn>(
                reinterpret_cast<void*>(::GetProcAddress(module_.get(), "OpenThemeDataForDpi")));
            close_ = reinterpret_cast<CloseFn>(
                reinterpret_cast<void*>(::GetProcAddress(module_.get(), "CloseThemeData")));
            draw_ = reinterpret_cast<DrawFn>(
                reinterpret_cast<void*>(::GetProcAddress(module_.get(), "DrawThemeBackground")));
        }
    }

    HTHEME open(HWND window, int dpi) const {
        if (!close_ || !draw_) {
            return nullptr;
        }
        if (openForDpi_) {
            return openForDpi_(window, L"BUTTON", static_cast<UINT>(dpi));
        }
        return open_ ? open_(window, L"BUTTON") : nullptr;
    }
    void close(HTHEME theme) const { close_(theme); }
    bool draw(HTHEME theme, HDC dc, int state, const RECT& rect) const {
        return SUCCEEDED(draw_(theme, dc, BP_CHECKBOX, state, &rect, nullptr));
    }

private:
    using OpenFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
    using OpenForDpiFn = HTHEME(WINAPI*)(HWND, LPCWSTR, UINT);
    using CloseFn = HRESULT(WINAPI*)(HTHEME);
    using DrawFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);

    win32::UniqueModule module_;
    OpenFn open_ = nullptr;
    OpenForDpiFn openForDpi_ = nullptr;
    CloseFn close_ = nullptr;
    DrawFn draw_ = nullptr;
};

struct BoxLook {
    int themed;   // CBS_* state
    UINT classic; // DFCS_* flags
};

// Unchecked, checked, partly checked.
constexpr std::array<BoxLook, 3> kLooks = {{
    {CBS_UNCHECKEDNORMAL, DFCS_BUTTONCHECK},
    {CBS_CHECKEDNORMAL, DFCS_BUTTONCHECK | DFCS_CHECKED},
    {CBS_MIXEDNORMAL, DFCS_BUTTON3STATE | DFCS_CHECKED},
}};

void drawBoxes(HWND tree, HDC dc, const presenters::Scale& scale) {
    const ThemeLibrary library;
    const HTHEME theme = library.open(tree, scale.dpi());
    const int imageSize = scale.pixels(kImageSize);
    const int boxSize = scale.pixels(kBoxSize);
    for (std::size_t i = 0; i < kLooks.size(); ++i) {
        const int left = static_cast<int>(i + 1) * imageSize + (imageSize - boxSize) / 2;
        const int top = (imageSize - boxSize) / 2;
        RECT box{left, top, left + boxSize, top + boxSize};
        if (theme == nullptr || !library.draw(theme, dc, kLooks[i].themed, box)) {
            ::DrawFrameControl(dc, &box, DFC_BUTTON, kLooks[i].classic | DFCS_FLAT);
        }
    }
    if (theme != nullptr) {
        library.close(theme);
    }
}

} // namespace

UINT imageFor(components::CheckState state) {
    switch (state) {
    case components::CheckState::Mandatory:
        return 0;
    case components::CheckState::Checked:
        return 2;
    case components::CheckState::Partly:
        return 3;
    case components::CheckState::Unset:
    case components::CheckState::Unchecked:
        break;
    }
    return 1;
}

components::CheckState stateShownBy(UINT image) {
    switch (image) {
    case 0:
        return components::CheckState::Mandatory;
    case 2:
        return components::CheckState::Checked;
    case 3:
        return components::CheckState::Partly;
    default:
        return components::CheckState::Unchecked;
    }
}

UniqueImageList createCheckImages(HWND tree, int dpi) {
    const presenters::Scale scale(dpi);
    const int imageSize = scale.pixels(kImageSize);
    UniqueImageList images(::ImageList_Create(imageSize, imageSize, ILC_COLOR24, kImageCount, 0));
    if (!images) {
        return images;
    }
    const HDC screen = ::GetDC(tree);
    const HDC dc = ::CreateCompatibleDC(screen);
    win32::UniqueBitmap strip(::CreateCompatibleBitmap(screen, imageSize * kImageCount, imageSize));
    ::ReleaseDC(tree, screen);
    if (dc == nullptr || !strip) {
        if (dc != nullptr) {
            ::DeleteDC(dc);
        }
        return UniqueImageList();
    }
    const HGDIOBJ previous = ::SelectObject(dc, strip.get());
    // The images have no mask: they carry the tree's own background.
    COLORREF background = static_cast<COLORREF>(::SendMessageW(tree, TVM_GETBKCOLOR, 0, 0));
    if (background == CLR_NONE) {
        background = ::GetSysColor(COLOR_WINDOW);
    }
    win32::UniqueBrush fill(::CreateSolidBrush(background));
    RECT all{0, 0, imageSize * kImageCount, imageSize};
    ::FillRect(dc, &all, fill.get());
    drawBoxes(tree, dc, scale);
    ::SelectObject(dc, previous);
    ::DeleteDC(dc);
    // The list copies the pixels; the strip is released here.
    ::ImageList_Add(images.get(), strip.get(), nullptr);
    return images;
}

} // namespace parcelkit::windows
