#pragma once

#include "model/install_context.hpp"

#include <string>
#include <vector>

namespace parcelkit::model {
class StopRequest;
}

namespace parcelkit::engine {

class SystemSteps;

// The component of one tree node as the walk hands it over.
struct ComponentRef {
    std::wstring title;  // the node's text, its caption in the uninstall record
    std::wstring name;   // NAME: the upper-cased [main] name
    std::wstring folder; // the component folder, without a trailing "\"
};

// Installs one chosen component: its record entries and "before" programs, directories,
// files and registry files in the order of its "pri" key, shortcuts and (9x family only)
// system.ini entries. Its "setup_run" lines are appended to afterlist for the end of the
// run. False when the run was stopped part-way; a group component installs nothing.
bool installComponent(model::InstallContext& context, const ComponentRef& component,
                      SystemSteps& steps, const model::StopRequest& stop,
                      std::vector<std::wstring>& afterlist);

} // namespace parcelkit::engine
