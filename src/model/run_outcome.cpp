#include "model/run_outcome.hpp"

#include "runlog/step_line.hpp"

namespace parcelkit::model {

platform::BoxAnswer RunOutcomeBoxes::show(const std::wstring& text, const std::wstring& caption,
                                          platform::BoxIcon icon, platform::BoxButtons buttons) {
    report(caption.empty() ? text : caption + L": " + text, icon);
    if (!silent_) {
        return shown_.show(text, caption, icon, buttons);
    }
    return buttons == platform::BoxButtons::Ok ? platform::BoxAnswer::Ok : platform::BoxAnswer::No;
}

void RunOutcomeBoxes::report(const std::wstring& text, platform::BoxIcon icon) {
    texts_.push_back(text);
    runlog::logMessage(log_, icon == platform::BoxIcon::Error, text);
    if (icon == platform::BoxIcon::Error) {
        failed_ = true;
    }
}

} // namespace parcelkit::model
