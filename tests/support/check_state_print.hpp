#pragma once

#include "components/check_state.hpp"

#include <ostream>

namespace parcelkit::components {

// Test failures name the state instead of dumping its bytes.
inline void PrintTo(CheckState state, std::ostream* out) {
    switch (state) {
    case CheckState::Unset:
        *out << "Unset";
        return;
    case CheckState::Mandatory:
        *out << "Mandatory";
        return;
    case CheckState::Unchecked:
        *out << "Unchecked";
        return;
    case CheckState::Checked:
        *out << "Checked";
        return;
    case CheckState::Partly:
        *out << "Partly";
        return;
    }
    *out << static_cast<int>(state);
}

} // namespace parcelkit::components
