#include "components/component_tree.hpp"

namespace parcelkit::components {

void ComponentTree::assign(const std::vector<Branch>& roots) {
    nodes_.clear();
    for (const auto& root : roots) {
        append(root, std::nullopt);
    }
}

void ComponentTree::append(const Branch& branch, std::optional<std::size_t> parent) {
    const std::size_t index = nodes_.size();
    TreeNode node;
    node.text = branch.text;
    node.parent = parent;
    nodes_.push_back(std::move(node));
    if (parent) {
        nodes_[*parent].children.push_back(index);
    }
    for (const auto& child : branch.children) {
        append(child, index);
    }
}

void ComponentTree::expandAll() {
    for (auto& node : nodes_) {
        node.expanded = true;
    }
}

std::vector<std::size_t> ComponentTree::descendants(std::size_t index) const {
    // Pre-order numbering puts a node's descendants right after it, up to the next node
    // that is not below it.
    std::vector<std::size_t> below;
    for (std::size_t next = index + 1; next < nodes_.size(); ++next) {
        std::optional<std::size_t> up = nodes_[next].parent;
        while (up && *up > index) {
            up = nodes_[*up].parent;
        }
        if (!up || *up != index) {
            break;
        }
        below.push_back(next);
    }
    return below;
}

std::size_t ComponentTree::firstWithTitle(std::size_t index) const {
    const std::wstring& title = text(index);
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        if (nodes_[i].text == title) {
            return i;
        }
    }
    return index;
}

std::vector<std::size_t> ComponentTree::allWithTitle(std::size_t index) const {
    const std::wstring& title = text(index);
    std::vector<std::size_t> same;
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        if (nodes_[i].text == title) {
            same.push_back(i);
        }
    }
    return same;
}

bool ComponentTree::chosenForInstall(std::size_t index) const {
    const CheckState s = state(index);
    return !hasChildren(index) && (s == CheckState::Checked || s == CheckState::Mandatory);
}

} // namespace parcelkit::components
