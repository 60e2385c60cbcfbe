#pragma once

#include "components/check_state.hpp"

#include <cstddef>

namespace parcelkit::components {

class ComponentTree;

// What the page does around each single change of a node's check state.
class StateEvents {
public:
    virtual ~StateEvents() = default;
    // Before the state changes; false refuses the change.
    virtual bool stateChanging(std::size_t node, CheckState next) = 0;
    // After the new state has been stored.
    virtual void stateChanged(std::size_t node, CheckState state) = 0;
};

// The set-state operation of the tree. Nothing happens when the node has that state
// already. Otherwise the change goes through the events; once it is made, every
// descendant follows the node (checked, or else unchecked: nodes without a check box
// gain one) and every ancestor is recomputed from its children. Each of those single
// changes goes through the events as well and may be refused on its own, but starts no
// cascade of its own. A refused change cascades nothing either, so the user's choices
// below and above the node stay as they were.
void setCheckState(ComponentTree& tree, std::size_t node, CheckState state, StateEvents& events);

// A click on the node's check box or the Space key: checked becomes unchecked, any other
// state becomes checked; a node without a check box stays as it is.
void toggleCheckState(ComponentTree& tree, std::size_t node, StateEvents& events);

// The state an ancestor shows for its direct children: partly checked when a child is, or
// when checked and unchecked children are both present; else checked when a child is;
// else unchecked. Children without a check box or not yet set count for neither.
CheckState stateFromChildren(const ComponentTree& tree, std::size_t node);

// Every node unchecked at once: no events, no cascading. Nodes without a check box lose
// their protection.
void uncheckAll(ComponentTree& tree);

// Nodes not yet set become unchecked, as the tree paints them. No events.
void settleUnset(ComponentTree& tree);

} // namespace parcelkit::components
