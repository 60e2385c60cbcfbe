#include "window_steps.hpp"

#include "driver_io.hpp"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <optional>

namespace pkdriver {

namespace {

struct FontRequest {
    std::wstring face;
    int size = 9;
    int charset = 0;
    bool bold = false;
};

FontRequest parseFont(const std::wstring& text) {
    FontRequest wanted;
    std::vector<std::wstring> fields;
    for (std::size_t start = 0;;) {
        const auto slash = text.find(L'/', start);
        fields.push_back(text.substr(start, slash - start));
        if (slash == std::wstring::npos) {
            break;
        }
        start = slash + 1;
    }
    wanted.face = fields[0];
    wanted.size = fields.size() > 1 ? std::stoi(fields[1]) : 9;
    wanted.charset = fields.size() > 2 ? std::stoi(fields[2]) : 0;
    wanted.bold = fields.size() > 3 && fields[3] == L"bold";
    return wanted;
}

FontRequest gDefaultFont{L"Tahoma", 9, 0, false};
std::map<int, FontRequest> gFontOf; // by control id
int gAnnouncedDpi = 0;              // the "dpi" step's, once there was one

int screenDpi() {
    if (gAnnouncedDpi != 0) {
        return gAnnouncedDpi;
    }
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

HFONT makeFont(const FontRequest& wanted) {
    const int dpi = screenDpi();
    const int height =
        wanted.size > 0 ? ::MulDiv(wanted.size, dpi, 72) : ::MulDiv(-wanted.size, dpi, 96);
    return ::CreateFontW(-height, 0, 0, 0, wanted.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                         DWORD(wanted.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, wanted.face.c_str());
}

// The text's extent in the font named for the control, on one line or wrapped at the width.
SIZE textExtent(HWND control, int wrapWidth) {
    const auto found = gFontOf.find(::GetDlgCtrlID(control));
    const HFONT font = makeFont(found != gFontOf.end() ? found->second : gDefaultFont);
    const HDC dc = ::GetDC(nullptr);
    const HGDIOBJ previous = ::SelectObject(dc, font);
    const std::wstring text = windowText(control);
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    UINT format = DT_CALCRECT | DT_EXPANDTABS;
    format |= (className(control) == L"Static" && (style & SS_NOPREFIX) != 0) ? DT_NOPREFIX : 0;
    format |= wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    RECT rect{0, 0, wrapWidth, 0};
    ::DrawTextW(dc, text.c_str(), int(text.size()), &rect, format);
    ::SelectObject(dc, previous);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(font);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

std::optional<SIZE> idealSize(HANDLE process, HWND button) {
    const RemoteBlock block(process, sizeof(SIZE));
    SIZE size{};
    if (!block || !block.write(0, &size, sizeof size) ||
        ::SendMessageW(button, BCM_GETIDEALSIZE, 0, block.param()) == FALSE ||
        !block.read(0, &size, sizeof size)) {
        return std::nullopt;
    }
    return size;
}

SIZE neededSize(HANDLE process, HWND control, const RECT& place) {
    const std::wstring name = className(control);
    const LONG type = ::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    if (_wcsicmp(name.c_str(), L"Button") == 0 && type == BS_GROUPBOX) {
        // The caption is indented by about half a line on each side.
        const SIZE text = textExtent(control, 0);
        return {text.cx + text.cy, text.cy};
    }
    if (_wcsicmp(name.c_str(), L"Button") == 0) {
        return idealSize(process, control).value_or(SIZE{-1, -1});
    }
    if (_wcsicmp(name.c_str(), L"Static") == 0 && !windowText(control).empty()) {
        const SIZE line = textExtent(control, 0);
        const int height = place.bottom - place.top;
        return height >= 2 * line.cy ? textExtent(control, place.right - place.left) : line;
    }
    return {0, 0};
}

void key(WORD virtualKey, bool up, std::vector<INPUT>& inputs) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = WORD(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
}

std::optional<WORD> virtualKeyOf(const std::wstring& name) {
    static const std::map<std::wstring, WORD> keys{{L"tab", VK_TAB},    {L"enter", VK_RETURN},
                                                   {L"esc", VK_ESCAPE}, {L"space", VK_SPACE},
                                                   {L"up", VK_UP},      {L"down", VK_DOWN}};
    if (const auto found = keys.find(name); found != keys.end()) {
        return found->second;
    }
    if (name.size() == 1 && iswalnum(name[0])) {
        return WORD(towupper(name[0]));
    }
    return std::nullopt;
}

} // namespace

void setFonts(const std::wstring& list) {
    gFontOf.clear();
    bool first = true;
    for (std::size_t start = 0; start <= list.size();) {
        auto end = list.find(L';', start);
        end = end == std::wstring::npos ? list.size() : end;
        const std::wstring part = list.substr(start, end - start);
        if (first) {
            gDefaultFont = parseFont(part);
            first = false;
        } else if (const auto equals = part.find(L'='); equals != std::wstring::npos) {
            gFontOf[std::stoi(part.substr(0, equals))] = parseFont(part.substr(equals + 1));
        }
        start = end + 1;
    }
}

bool printLayout(HANDLE process, const std::vector<HWND>& controls) {
    if (controls.empty()) {
        return false;
    }
    writeUtf8(L"LAYOUT\n");
    for (const HWND control : controls) {
        const HWND root = ::GetAncestor(control, GA_ROOT);
        RECT place{};
        ::GetWindowRect(control, &place);
        ::MapWindowPoints(nullptr, root, reinterpret_cast<POINT*>(&place), 2);
        const SIZE needed = neededSize(process, control, place);
        writeUtf8(L"CONTROL " + className(root) + L"\t" + std::to_wstring(::GetDlgCtrlID(control)) +
                  L"\t" + className(control) + L"\t" + std::to_wstring(place.left) + L"\t" +
                  std::to_wstring(place.top) + L"\t" + std::to_wstring(place.right - place.left) +
                  L"\t" + std::to_wstring(place.bottom - place.top) + L"\t" +
                  std::to_wstring(needed.cx) + L"\t" + std::to_wstring(needed.cy) + L"\t" +
                  escaped(windowText(control)) + L"\n");
    }
    return true;
}

bool announceDpi(HANDLE process, const std::vector<HWND>& controls, int dpi) {
    std::vector<HWND> windows;
    for (const HWND control : controls) {
        const HWND root = ::GetAncestor(control, GA_ROOT);
        if (std::find(windows.begin(), windows.end(), root) == windows.end()) {
            windows.push_back(root);
        }
    }
    for (const HWND window : windows) {
        RECT now{};
        ::GetWindowRect(window, &now);
        const RECT suggested{now.left, now.top, now.left + ::MulDiv(now.right - now.left, dpi, 96),
                             now.top + ::MulDiv(now.bottom - now.top, dpi, 96)};
        // The rectangle is read where the window's procedure runs: in the program.
        const RemoteBlock block(process, sizeof(RECT));
        if (!block || !block.write(0, &suggested, sizeof suggested)) {
            return false;
        }
        ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), block.param());
    }
    gAnnouncedDpi = dpi;
    return !windows.empty();
}

bool pressKeys(const std::wstring& keys) {
    std::wstring name = keys;
    std::vector<WORD> held;
    for (const auto* modifier : {L"shift+", L"alt+"}) {
        if (name.rfind(modifier, 0) == 0) {
            held.push_back(modifier[0] == L's' ? VK_SHIFT : VK_MENU);
            name = name.substr(std::wstring(modifier).size());
        }
    }
    const auto virtualKey = virtualKeyOf(name);
    if (!virtualKey) {
        writeUtf8(L"unknown key " + keys + L"\n");
        return true;
    }
    std::vector<INPUT> inputs;
    for (const WORD modifier : held) {
        key(modifier, false, inputs);
    }
    key(*virtualKey, false, inputs);
    key(*virtualKey, true, inputs);
    for (auto it = held.rbegin(); it != held.rend(); ++it) {
        key(*it, true, inputs);
    }
    return ::SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool printFocus(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (::GetGUIThreadInfo(threadId, &info) == FALSE || info.hwndFocus == nullptr) {
        return false;
    }
    writeUtf8(L"FOCUS " + className(info.hwndFocus) + L"\t" + escaped(windowText(info.hwndFocus)) +
              L"\n");
    return true;
}

} // namespace pkdriver
