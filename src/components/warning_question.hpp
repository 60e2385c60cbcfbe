#pragma once

#include "platform/message_box.hpp"

#include <string>

namespace parcelkit::components {

// A Yes/No question with the warning icon that warns before installing over what is there;
// only Yes agrees.
inline bool askWarning(platform::MessageBoxes& boxes, const std::wstring& text,
                       const std::wstring& caption,
                       platform::BoxButtons buttons = platform::BoxButtons::YesNo) {
    return boxes.show(text, caption, platform::BoxIcon::Warning, buttons) ==
           platform::BoxAnswer::Yes;
}

} // namespace parcelkit::components
