#include "components/check_rules.hpp"

#include "components/component_tree.hpp"

namespace parcelkit::components {

namespace {

// One change through the events, without cascading. True when the node changed.
bool changeOne(ComponentTree& tree, std::size_t node, CheckState state, StateEvents& events) {
    if (tree.state(node) == state || !events.stateChanging(node, state)) {
        return false;
    }
    tree.putState(node, state);
    events.stateChanged(node, state);
    return true;
}

} // namespace

void setCheckState(ComponentTree& tree, std::size_t node, CheckState state, StateEvents& events) {
    if (!changeOne(tree, node, state, events)) {
        return;
    }
    // The events may have moved the node again (a component that excludes itself), so the
    // cascade follows the state it has now.
    const CheckState now = tree.state(node);
    const CheckState below =
        now == CheckState::Checked ? CheckState::Checked : CheckState::Unchecked;
    for (const std::size_t descendant : tree.descendants(node)) {
        changeOne(tree, descendant, below, events);
    }
    for (auto up = tree.node(node).parent; up; up = tree.node(*up).parent) {
        changeOne(tree, *up, stateFromChildren(tree, *up), events);
    }
}

void toggleCheckState(ComponentTree& tree, std::size_t node, StateEvents& events) {
    const CheckState now = tree.state(node);
    if (now == CheckState::Mandatory) {
        return;
    }
    setCheckState(tree, node,
                  now == CheckState::Checked ? CheckState::Unchecked : CheckState::Checked, events);
}

CheckState stateFromChildren(const ComponentTree& tree, std::size_t node) {
    bool checked = false;
    bool unchecked = false;
    for (const std::size_t child : tree.node(node).children) {
        switch (tree.state(child)) {
        case CheckState::Partly:
            return CheckState::Partly;
        case CheckState::Checked:
            checked = true;
            break;
        case CheckState::Unchecked:
            unchecked = true;
            break;
        case CheckState::Mandatory:
        case CheckState::Unset:
            break;
        }
    }
    if (checked && unchecked) {
        return CheckState::Partly;
    }
    return checked ? CheckState::Checked : CheckState::Unchecked;
}

void uncheckAll(ComponentTree& tree) {
    for (std::size_t i = 0; i < tree.count(); ++i) {
        tree.putState(i, CheckState::Unchecked);
    }
}

void settleUnset(ComponentTree& tree) {
    for (std::size_t i = 0; i < tree.count(); ++i) {
        if (tree.state(i) == CheckState::Unset) {
            tree.putState(i, CheckState::Unchecked);
        }
    }
}

} // namespace parcelkit::components
