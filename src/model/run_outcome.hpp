#pragma once

#include "platform/message_box.hpp"
#include "platform/run_log.hpp"

#include <string>
#include <vector>

namespace parcelkit::model {

// The exit codes both programs end with, as deployment tools read them.
inline constexpr int kExitDone = 0;
inline constexpr int kExitRestartNeeded = 3010;
inline constexpr int kExitCancelled = 1602;
inline constexpr int kExitFailed = 1603;
inline constexpr int kExitAlreadyRunning = 1618;

// The program's message boxes as one run sees them. Every error is noted for the exit
// code, and every text goes to the log. In a silent run no box is shown, since nobody may
// be there to answer it: a notice is passed over and a question takes "No", the answer
// that leaves things as they are.
class RunOutcomeBoxes : public platform::MessageBoxes {
public:
    RunOutcomeBoxes(platform::MessageBoxes& shown, bool silent,
                    platform::RunLog& log = platform::RunLog::none())
        : shown_(shown), silent_(silent), log_(log) {}

    platform::BoxAnswer show(const std::wstring& text, const std::wstring& caption,
                             platform::BoxIcon icon, platform::BoxButtons buttons) override;
    void report(const std::wstring& text, platform::BoxIcon icon) override;

    bool failed() const { return failed_; }
    // Every box and report of the run, shown or not, in order.
    const std::vector<std::wstring>& texts() const { return texts_; }

private:
    platform::MessageBoxes& shown_;
    bool silent_;
    platform::RunLog& log_;
    bool failed_ = false;
    std::vector<std::wstring> texts_;
};

} // namespace parcelkit::model
