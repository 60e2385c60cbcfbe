#pragma once

#include "platform/message_box.hpp"

#include <deque>
#include <vector>

namespace parcelkit::doubles {

// Answers message boxes from a queue and records every box shown. A box with only an OK
// button needs no queued answer; a question without one gets Failed, as a box that
// cannot be shown does.
struct FakeMessageBoxes : platform::MessageBoxes {
    struct Box {
        std::wstring text;
        std::wstring caption;
        platform::BoxIcon icon;
        platform::BoxButtons buttons;
    };

    std::deque<platform::BoxAnswer> answers;
    std::vector<Box> shown;
    std::vector<std::wstring> reported; // errors reported without a box
    std::vector<std::wstring> notes;    // anything else reported without a box

    void report(const std::wstring& text, platform::BoxIcon icon) override {
        (icon == platform::BoxIcon::Error ? reported : notes).push_back(text);
    }

    void answer(platform::BoxAnswer a) { answers.push_back(a); }

    platform::BoxAnswer show(const std::wstring& text, const std::wstring& caption,
                             platform::BoxIcon icon, platform::BoxButtons buttons) override {
        shown.push_back({text, caption, icon, buttons});
        if (buttons == platform::BoxButtons::Ok && answers.empty()) {
            return platform::BoxAnswer::Ok;
        }
        if (answers.empty()) {
            return platform::BoxAnswer::Failed;
        }
        const auto next = answers.front();
        answers.pop_front();
        return next;
    }
};

} // namespace parcelkit::doubles
