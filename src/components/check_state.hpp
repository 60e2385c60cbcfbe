#pragma once

namespace parcelkit::components {

// The check box of a component in the tree, with the values the tree control uses.
enum class CheckState : int {
    Unset = -1,    // not yet set; painted, and from then on treated, as unchecked
    Mandatory = 0, // no check box: always installed, the user cannot toggle it
    Unchecked = 1,
    Checked = 2,
    Partly = 3, // some descendants checked, some not
};

} // namespace parcelkit::components
