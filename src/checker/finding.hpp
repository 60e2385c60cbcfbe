#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace parcelkit::checker {

// Error: setup.exe refuses the folder, stops, or shows the user something broken.
// Warning: setup.exe goes on, but does not do what the packager most likely meant.
enum class Severity { Warning, Error };

// One finding, at the line where the key or entry stands (0: the file as a whole).
struct Finding {
    std::wstring file; // relative to the setup folder, with "/" between folders
    std::size_t line = 0;
    Severity severity = Severity::Warning;
    std::string id; // the finding's name in docs/checker.md and in the JSON report
    std::wstring text;
};

// The findings of one check, each reported once however many language sections and OS
// families lead to it; in file order, then line order.
class Findings {
public:
    void add(Finding finding);
    const std::vector<Finding>& all() const { return findings_; }
    std::size_t count(Severity severity) const;

private:
    std::vector<Finding> findings_;
};

} // namespace parcelkit::checker
