#include "checker/report.hpp"

#include "base/text_encoding.hpp"

#include <nlohmann/json.hpp>

namespace parcelkit::checker {

namespace {

const char* severityWord(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

std::string counted(std::size_t count, const char* word) {
    std::string text = std::to_string(count);
    text.append(" ").append(word).append(count == 1 ? "" : "s");
    return text;
}

} // namespace

std::string textReport(const Findings& findings) {
    std::string out;
    for (const auto& finding : findings.all()) {
        // Appended piece by piece: GCC 12 warns wrongly about "literal" + std::string.
        out.append(base::toUtf8(finding.file));
        if (finding.line != 0) {
            out.append(":").append(std::to_string(finding.line));
        }
        out.append(": ").append(severityWord(finding.severity)).append(": ");
        out.append(base::toUtf8(finding.text)).append(" [").append(finding.id).append("]\n");
    }
    const std::size_t errors = findings.count(Severity::Error);
    const std::size_t warnings = findings.count(Severity::Warning);
    if (errors == 0 && warnings == 0) {
        out += "parcelkit-check: no findings\n";
    } else {
        out.append("parcelkit-check: ").append(counted(errors, "error")).append(", ");
        out.append(counted(warnings, "warning")).append("\n");
    }
    return out;
}

std::string jsonReport(const Findings& findings) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto& finding : findings.all()) {
        list.push_back({{"file", base::toUtf8(finding.file)},
                        {"line", finding.line},
                        {"severity", severityWord(finding.severity)},
                        {"id", finding.id},
                        {"text", base::toUtf8(finding.text)}});
    }
    const nlohmann::ordered_json report{{"findings", list},
                                        {"errors", findings.count(Severity::Error)},
                                        {"warnings", findings.count(Severity::Warning)}};
    std::string text = report.dump(2);
    text.append("\n");
    return text;
}

int exitCode(const Findings& findings) {
    if (findings.count(Severity::Error) > 0) {
        return 2;
    }
    return findings.count(Severity::Warning) > 0 ? 1 : 0;
}

} // namespace parcelkit::checker
