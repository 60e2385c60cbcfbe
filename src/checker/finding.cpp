#include "checker/finding.hpp"

#include <algorithm>
#include <tuple>

namespace parcelkit::checker {

namespace {

auto orderKey(const Finding& f) {
    return std::tie(f.file, f.line, f.severity, f.id, f.text);
}

} // namespace

void Findings::add(Finding finding) {
    const auto place = std::lower_bound(
        findings_.begin(), findings_.end(), finding,
        [](const Finding& a, const Finding& b) { return orderKey(a) < orderKey(b); });
    if (place != findings_.end() && orderKey(*place) == orderKey(finding)) {
        return;
    }
    findings_.insert(place, std::move(finding));
}

std::size_t Findings::count(Severity severity) const {
    return std::size_t(std::count_if(findings_.begin(), findings_.end(),
                                     [&](const Finding& f) { return f.severity == severity; }));
}

} // namespace parcelkit::checker
