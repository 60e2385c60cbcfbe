#include "runlog/step_line.hpp"

namespace parcelkit::runlog {

namespace {

std::wstring oneLine(const std::wstring& text) {
    std::wstring line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
                ++i;
            }
            line += L" / ";
        } else {
            line += text[i] == L'\t' ? L' ' : text[i];
        }
    }
    return line;
}

} // namespace

std::wstring stepLine(const std::wstring& component, const std::wstring& action,
                      const std::wstring& object, const platform::Outcome& outcome) {
    std::wstring line = oneLine(component) + L'\t' + action + L'\t' + oneLine(object) + L'\t';
    if (outcome) {
        return line + L"done";
    }
    return line + L"failed (" + std::to_wstring(outcome.failure().code) + L"): " +
           oneLine(outcome.failure().reason);
}

void logStep(platform::RunLog& log, const std::wstring& action, const std::wstring& object,
             const platform::Outcome& outcome) {
    if (log.isOpen()) {
        log.write(stepLine(log.component(), action, object, outcome));
    }
}

void logMessage(platform::RunLog& log, bool error, const std::wstring& text) {
    if (log.isOpen()) {
        log.write(oneLine(log.component()) + (error ? L"\terror\t" : L"\tmessage\t") +
                  oneLine(text));
    }
}

void logExitCode(platform::RunLog& log, int exitCode) {
    log.write(L"\texit code\t" + std::to_wstring(exitCode));
}

} // namespace parcelkit::runlog
