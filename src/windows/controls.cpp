#include "windows/controls.hpp"

#include "presenters/reading_order.hpp"
#include "windows/dialog_keys.hpp"
#include "windows/text_extent.hpp"

#include <commctrl.h>

#include <algorithm>

namespace parcelkit::windows {

namespace {

using presenters::ControlKind;
using presenters::ControlLayout;

struct ClassAndStyle {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle classFor(const ControlLayout& control, const wchar_t* richEditClass) {
    switch (control.kind) {
    case ControlKind::Rectangle:
        // Painted by the window itself; the control only keeps the place.
        return {L"STATIC", SS_OWNERDRAW, 0};
    case ControlKind::Picture:
        return {L"STATIC", SS_BITMAP | SS_NOTIFY | SS_CENTERIMAGE, 0};
    case ControlKind::Label:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::RichText:
        return {richEditClass, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
                WS_EX_CLIENTEDGE};
    case ControlKind::GroupBox:
        return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::Edit:
        return {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Button:
        return {L"BUTTON", control.defaultButton ? DWORD{BS_DEFPUSHBUTTON} : DWORD{BS_PUSHBUTTON},
                0};
    case ControlKind::TreeView:
        return {WC_TREEVIEWW, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                WS_EX_CLIENTEDGE};
    case ControlKind::Memo:
        return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0};
    case ControlKind::CheckBox:
        return {L"BUTTON", BS_AUTOCHECKBOX, 0};
    case ControlKind::ProgressBar:
        return {PROGRESS_CLASSW, 0, 0};
    case ControlKind::Bevel:
        return {L"STATIC", SS_ETCHEDHORZ, 0};
    case ControlKind::DropDownList:
        return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0};
    case ControlKind::PrefixedLabel:
        return {L"STATIC", SS_LEFT, 0};
    case ControlKind::ReadOnlyField:
        return {L"EDIT", ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, 0};
    case ControlKind::CheckList:
        return {WC_LISTVIEWW, LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | WS_BORDER, 0};
    case ControlKind::FramedMemo:
        return {L"EDIT", ES_READONLY | ES_MULTILINE | WS_VSCROLL | WS_BORDER, 0};
    }
    return {L"STATIC", 0, 0};
}

// Boxes of several lines that only show text: Tab, Enter and Esc belong to the window, not
// to them.
bool onlyShowsText(ControlKind kind) {
    return kind == ControlKind::RichText || kind == ControlKind::Memo ||
           kind == ControlKind::FramedMemo;
}

// A drop-down list's height is that of its closed field; the window also holds the list.
constexpr int kDropDownListHeight = 200;
constexpr int kTreeIndent = 19;
// The check list's one column leaves room for the vertical scroll bar.
constexpr int kCheckListColumnMargin = 24;

} // namespace

FontRequest fontRequestOf(const presenters::DesignFont& font) {
    return {std::wstring(font.face), font.points, font.pixelHeight, font.charset, font.bold};
}

FontRequest fontRequestOf(const model::FontChoice& font) {
    return {font.face, font.size, 0, font.charset, false};
}

win32::UniqueFont createFont(const FontRequest& font, const presenters::Scale& scale) {
    // Negative: the character height, as points give it.
    const int height = -scale.characterHeight(font.points, font.pixelHeight);
    forgetMeasurements();
    // A face the machine lacks is replaced by the system's font mapper, by charset.
    return win32::UniqueFont(::CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                           FALSE, FALSE, static_cast<DWORD>(font.charset),
                                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                           DEFAULT_PITCH | FF_DONTCARE, font.face.c_str()));
}

HWND createControl(HWND window, const ControlLayout& layout, const presenters::Rect& place,
                   const presenters::Scale& scale, const wchar_t* richEditClass) {
    const ClassAndStyle kind = classFor(layout, richEditClass);
    // Siblings overlap (the header band, the group box): each paints only its own part.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
    if (!layout.hiddenAtStart) {
        style |= WS_VISIBLE;
    }
    if (presenters::takesFocus(layout.kind)) {
        style |= WS_TABSTOP;
    }
    const int height =
        layout.kind == ControlKind::DropDownList ? scale.pixels(kDropDownListHeight) : place.height;
    const std::wstring text(layout.designText);
    const HWND control = ::CreateWindowExW(
        kind.exStyle, kind.className, text.c_str(), style, place.left, place.top, place.width,
        height, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(presenters::commandIdOf(layout.id))),
        ::GetModuleHandleW(nullptr), nullptr);
    if (layout.kind == ControlKind::CheckList) {
        ListView_SetExtendedListViewStyle(control, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        ListView_InsertColumn(control, 0, &column);
    }
    if (onlyShowsText(layout.kind)) {
        leaveDialogKeysToTheWindow(control);
    }
    scaleControlParts(control, layout, scale);
    return control;
}

void scaleControlParts(HWND control, const ControlLayout& layout, const presenters::Scale& scale) {
    if (layout.kind == ControlKind::TreeView) {
        ::SendMessageW(control, TVM_SETINDENT, static_cast<WPARAM>(scale.pixels(kTreeIndent)), 0);
    } else if (layout.kind == ControlKind::CheckList) {
        ListView_SetColumnWidth(control, 0, scale.pixels(layout.width - kCheckListColumnMargin));
    }
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

presenters::Rect placeInWindow(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace parcelkit::windows
