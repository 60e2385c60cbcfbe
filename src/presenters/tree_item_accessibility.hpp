#pragma once

#include "components/check_state.hpp"

namespace parcelkit::presenters {

// What a screen reader is told about a component's check box, beside the component's
// text: checked, partly checked (some of its parts are), or neither; a mandatory component
// is installed whatever the user does, so it reports checked and unavailable.
struct TreeItemAccessibility {
    bool checked = false;
    bool mixed = false;
    bool unavailable = false;

    bool operator==(const TreeItemAccessibility&) const = default;
};

TreeItemAccessibility accessibilityOf(components::CheckState state);

} // namespace parcelkit::presenters
