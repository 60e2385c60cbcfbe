#pragma once

#include "presenters/controls.hpp"

#include <optional>
#include <span>
#include <string_view>

namespace parcelkit::presenters {

enum class Form { Wizard, LanguageDialog, Uninstaller };

enum class ControlKind {
    Rectangle,
    Picture,
    Label,
    RichText,
    GroupBox,
    Edit,
    Button,
    TreeView,
    Memo,
    CheckBox,
    ProgressBar,
    Bevel,
    DropDownList,
    PrefixedLabel, // a label whose '&' underlines the letter after it
    ReadOnlyField, // one line, framed
    CheckList,     // a list with a check box on each line
    FramedMemo,    // read-only lines, framed, with a vertical scroll bar
};

// A font fixed by the design: points, or (when pixelHeight is not 0) a height in pixels.
struct DesignFont {
    std::wstring_view face;
    int points = 0;
    int pixelHeight = 0;
    int charset = 0;
    bool bold = false;
};

inline constexpr int kAnsiCharset = 0;
inline constexpr int kGb2312Charset = 134;

// One window: its client area and how it looks before the language is applied. A design
// font without a face leaves the system's font until the window applies its own.
struct FormLayout {
    Form form;
    int clientWidth;
    int clientHeight;
    std::wstring_view designCaption;
    DesignFont designFont;
};

// One control: where it sits (relative to its parent's client area), what it is and how
// it looks before the language is applied. Auto-sized controls have width and height 0.
// Whether Tab stops at it, and in which order, follows from its kind and place
// (reading_order.hpp).
struct ControlLayout {
    Form form;
    int id; // the WizardControl, DialogControl or UninstallerControl value
    std::wstring_view name;
    ControlKind kind;
    int left;
    int top;
    int width;
    int height;
    std::wstring_view parent; // empty: the window itself
    std::wstring_view designText;
    bool autoSize = false;
    bool hiddenAtStart = false;
    bool defaultButton = false; // Enter
    bool cancelButton = false;  // Esc
};

std::span<const FormLayout> formLayouts();
std::span<const ControlLayout> controlLayouts();

const FormLayout& layoutOf(Form form);
const ControlLayout& layoutOf(WizardControl control);
const ControlLayout& layoutOf(DialogControl control);
const ControlLayout& layoutOf(UninstallerControl control);

// A control's command id, which its notifications carry. The ids stay clear of IDOK and
// IDCANCEL, which Enter and Esc send.
inline constexpr int kFirstCommandId = 100;
constexpr int commandIdOf(int controlId) {
    return kFirstCommandId + controlId;
}
// The control of the form that a command id names; none for any other id, such as a menu
// item's or one that another program sent.
std::optional<int> controlOfCommand(Form form, int commandId);

// Controls that keep their own font when the language font is applied.
inline constexpr DesignFont kTitleFont{L"Tahoma", 0, 14, kAnsiCharset, true};    // Label2
inline constexpr DesignFont kReadmeFont{L"Tahoma", 9, 0, kGb2312Charset, false}; // RichEdit1

// The one control that has the focus first.
inline constexpr WizardControl kFirstFocus = WizardControl::Button1;

// Gap between the branding text and the separator line right of it.
inline constexpr int kBrandingGap = 5;

// Top position that keeps a window out of sight when it is not offered.
inline constexpr int kOutOfSightTop = 3000;

} // namespace parcelkit::presenters
