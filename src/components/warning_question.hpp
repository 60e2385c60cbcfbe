#pragma once

#include "platform/message_box.hpp"

#include <string>

namespace parcelkit::components {

// A Yes/No question that warns before installing over what is there; only Yes agrees.
// The box interface offers no warning icon and no choice of default button yet, so the
// question icon stands in and Yes stays the default button.
inline bool askWarning(platform::MessageBoxes& boxes, const std::wstring& text,
                       const std::wstring& caption) {
    return boxes.show(text, caption, platform::BoxIcon::Question, platform::BoxButtons::YesNo) ==
           platform::BoxAnswer::Yes;
}

} // namespace parcelkit::components
