#include "platform/win32/message_box_win32.hpp"

#include <windows.h>

namespace parcelkit::win32 {

platform::BoxAnswer Win32MessageBoxes::show(const std::wstring& text, const std::wstring& caption,
                                            platform::BoxIcon icon, platform::BoxButtons buttons) {
    UINT style = MB_OK;
    switch (buttons) {
    case platform::BoxButtons::Ok:
        break;
    case platform::BoxButtons::YesNo:
        style = MB_YESNO;
        break;
    case platform::BoxButtons::YesNoDefaultNo:
        style = MB_YESNO | MB_DEFBUTTON2;
        break;
    }
    switch (icon) {
    case platform::BoxIcon::Error:
        style |= MB_ICONERROR;
        break;
    case platform::BoxIcon::Question:
        style |= MB_ICONQUESTION;
        break;
    case platform::BoxIcon::Warning:
        style |= MB_ICONWARNING;
        break;
    case platform::BoxIcon::Information:
        style |= MB_ICONINFORMATION;
        break;
    case platform::BoxIcon::None:
        break;
    }
    switch (::MessageBoxW(::GetActiveWindow(), text.c_str(), caption.c_str(), style)) {
    case IDOK:
        return platform::BoxAnswer::Ok;
    case IDYES:
        return platform::BoxAnswer::Yes;
    case IDNO:
        return platform::BoxAnswer::No;
    default:
        return platform::BoxAnswer::Failed;
    }
}

} // namespace parcelkit::win32
