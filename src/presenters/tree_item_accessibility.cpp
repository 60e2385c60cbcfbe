#include "presenters/tree_item_accessibility.hpp"

namespace parcelkit::presenters {

TreeItemAccessibility accessibilityOf(components::CheckState state) {
    switch (state) {
    case components::CheckState::Mandatory:
        return {.checked = true, .unavailable = true};
    case components::CheckState::Checked:
        return {.checked = true};
    case components::CheckState::Partly:
        return {.mixed = true};
    case components::CheckState::Unset:
    case components::CheckState::Unchecked:
        break;
    }
    // A state not yet set is painted, and so reported, as unchecked.
    return {};
}

} // namespace parcelkit::presenters
