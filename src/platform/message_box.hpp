#pragma once

#include <string>

namespace parcelkit::platform {

enum class BoxIcon { None, Error, Question, Warning, Information };
// YesNoDefaultNo: an Enter pressed by habit must not confirm what the question warns about.
enum class BoxButtons { Ok, YesNo, YesNoDefaultNo };
enum class BoxAnswer { Ok, Yes, No, Failed };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shown owned by the program's active window.
    virtual BoxAnswer show(const std::wstring& text, const std::wstring& caption, BoxIcon icon,
                           BoxButtons buttons) = 0;
    // A failure the run goes on after without a box (as in a run with arguments): nothing
    // is shown, but whoever keeps the run's outcome hears of it.
    virtual void report(const std::wstring& text, BoxIcon icon) {
        static_cast<void>(text);
        static_cast<void>(icon);
    }
};

} // namespace parcelkit::platform
