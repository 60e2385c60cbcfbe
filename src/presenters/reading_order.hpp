#pragma once

#include "presenters/layout.hpp"

#include <vector>

namespace parcelkit::presenters {

// Whether Tab stops at a control of this kind. Texts, pictures, frames, lines and the
// progress bar never take the focus; the boxes a user reads (readme, description, progress
// lines) do, so that they can be scrolled with the keyboard.
bool takesFocus(ControlKind kind);

// A form's controls in creation order, which is the order Tab follows: first those that
// take no focus, in table order; then the others in reading order, row by row from the
// top and left to right within a row. A row is the first control left (the highest) and
// every control that starts above its bottom edge, so that controls side by side with
// slightly different tops stay in one row.
std::vector<ControlLayout> creationOrder(Form form);

} // namespace parcelkit::presenters
