#include "checker/names_check.hpp"

#include "base/text.hpp"
#include "checker/nearest_name.hpp"

#include <algorithm>

namespace parcelkit::checker {

namespace {

bool known(const std::vector<std::wstring>& names, const std::wstring& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::wstring& n) { return base::equalsIgnoreCase(n, name); });
}

} // namespace

void checkNames(const CheckContext& context, const ScriptFile& file, const SectionKeys& keysOf,
                const std::vector<std::wstring>& knownSections) {
    for (const auto& section : file.document().sections()) {
        if (file.document().find(section.name) != &section) {
            continue; // a repeated header is reported as such
        }
        const auto keys = keysOf(section.name);
        if (!keys) {
            context.report(file, section.line, Severity::Warning, "unknown-section",
                           L"unknown section [" + section.name + L"]: setup.exe never reads it" +
                               didYouMean(section.name, knownSections, L"[", L"]"));
            continue;
        }
        if (keys->empty()) {
            continue;
        }
        for (const auto& entry : section.entries) {
            if (!known(*keys, entry.key)) {
                context.report(file, entry.line, Severity::Warning, "unknown-key",
                               L"unknown key '" + entry.key + L"' in [" + section.name +
                                   L"]: setup.exe never reads it" +
                                   didYouMean(entry.key, *keys, L"'", L"'"));
            }
        }
    }
}

} // namespace parcelkit::checker
