#pragma once

#include "platform/win32/handles.hpp"

#include <string>

namespace parcelkit::windows {

// The system's rich-text control, loaded from the system directory only.
class RichTextLibrary {
public:
    RichTextLibrary();
    // The window class to create the control with.
    const wchar_t* className() const { return className_; }

private:
    win32::UniqueModule module_;
    const wchar_t* className_;
};

// Shows the file in the control: rich text formatted, anything else as plain text. The
// control's font must be set before: loading afterwards would wipe the formatting.
// False when the file cannot be read.
bool loadRichText(HWND control, const std::wstring& path);

} // namespace parcelkit::windows
