#pragma once

#include "platform/message_box.hpp"

namespace parcelkit::win32 {

class Win32MessageBoxes : public platform::MessageBoxes {
public:
    platform::BoxAnswer show(const std::wstring& text, const std::wstring& caption,
                             platform::BoxIcon icon, platform::BoxButtons buttons) override;
};

} // namespace parcelkit::win32
