#pragma once

#include "components/component_page.hpp"
#include "platform/message_box.hpp"

#include <string>

namespace parcelkit::components {

// "/components:A,B,-C": the named components are checked, or with "-" unchecked, on top of
// the defaults and of detection; a component is named by its folder or by its title, in
// any case. A named component is installed even when it is found installed. A mandatory
// one stays (the run is told so); two named components that exclude each other, or a
// name that matches none, end the run with an error that lists what there is.
void applyCommandLineChoice(ComponentPage& page, const std::wstring& list,
                            platform::MessageBoxes& boxes);

} // namespace parcelkit::components
