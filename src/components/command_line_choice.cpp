#include "components/command_line_choice.hpp"

#include "base/error.hpp"
#include "base/escapes.hpp"
#include "base/text.hpp"

#include <optional>

namespace parcelkit::components {

namespace {

std::wstring folderName(const std::wstring& dir) {
    const auto slash = dir.find_last_of(L'\\');
    return slash == std::wstring::npos ? dir : dir.substr(slash + 1);
}

std::optional<std::size_t> nodeNamed(const ComponentPage& page, const std::wstring& name) {
    for (std::size_t node = 0; node < page.tree().count(); ++node) {
        if (base::equalsIgnoreCase(folderName(page.components().at(node).dir), name) ||
            base::equalsIgnoreCase(page.tree().text(node), name)) {
            return node;
        }
    }
    return std::nullopt;
}

std::wstring knownNames(const ComponentPage& page) {
    std::wstring names;
    for (std::size_t node = 0; node < page.tree().count(); ++node) {
        names += (names.empty() ? L"" : L", ") + folderName(page.components().at(node).dir) +
                 L" (" + page.tree().text(node) + L")";
    }
    return names;
}

bool excludes(const Component& component, const Component& other) {
    std::vector<std::wstring> names;
    base::extstring(L",", component.mutex, names);
    for (const auto& name : names) {
        if (base::equalsIgnoreCase(name, other.name)) {
            return true;
        }
    }
    return false;
}

struct Choice {
    std::size_t node;
    bool install;
};

} // namespace

void applyCommandLineChoice(ComponentPage& page, const std::wstring& list,
                            platform::MessageBoxes& boxes) {
    std::vector<std::wstring> names;
    base::extstring(L",", list, names);
    std::vector<Choice> choices;
    for (const auto& written : names) {
        std::wstring name = base::trimBlanks(written);
        const bool install = !name.starts_with(L'-');
        if (!install) {
            name = base::trimBlanks(name.substr(1));
        }
        const auto node = nodeNamed(page, name);
        if (!node) {
            throw base::Error(L"Cannot choose the components", list,
                              L"There is no component \"" + name + L"\". The components are: " +
                                  knownNames(page) + L".");
        }
        choices.push_back({*node, install});
    }
    const auto& components = page.components();
    for (const auto& one : choices) {
        for (const auto& other : choices) {
            if (one.install && other.install && one.node != other.node &&
                excludes(components.at(one.node), components.at(other.node))) {
                throw base::Error(L"Cannot choose the components", list,
                                  page.tree().text(one.node) + L" and " +
                                      page.tree().text(other.node) +
                                      L" cannot be installed together.");
            }
        }
    }
    for (const auto& choice : choices) {
        if (!choice.install && page.tree().state(choice.node) == CheckState::Mandatory) {
            boxes.report(page.tree().text(choice.node) + L" is always installed; it stays.",
                         platform::BoxIcon::Information);
            continue;
        }
        page.choose(choice.node, choice.install ? CheckState::Checked : CheckState::Unchecked);
    }
}

} // namespace parcelkit::components
