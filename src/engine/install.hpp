#pragma once

#include "model/install_context.hpp"

#include <string>
#include <vector>

namespace parcelkit::model {
class StopRequest;
}

namespace parcelkit::components {
class ComponentTree;
struct Component;
} // namespace parcelkit::components

namespace parcelkit::engine {

class SystemSteps;

// What the user chose on the component page: the tree with its check states and what the
// page knows of each node's component, both in the nodes' absolute order.
struct ChosenComponents {
    const components::ComponentTree& tree;
    const std::vector<components::Component>& components;
};

// One installation run: the setup script's "before" programs, the uninstall record, every
// chosen component in tree order, the collected "after" programs, the setup script's
// "after" programs and the installed-programs entry.
//
// Returns early, leaving out every later step, once stop is requested; it looks at stop
// each time it has let the window process messages and between the steps. An error of a
// step (a malformed file entry, a refused record write) ends the run where it happens and
// reaches the caller naming the component file; the record keeps what was written before.
// A destination that is not a full path ("X:\..." or a network path) is refused with a
// base::Error before anything runs.
void Install(model::InstallContext& context, const ChosenComponents& components, SystemSteps& steps,
             const model::StopRequest& stop);

} // namespace parcelkit::engine
