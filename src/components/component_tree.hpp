#pragma once

#include "components/check_state.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace parcelkit::components {

// A node of the component tree. Nodes are numbered by their absolute index: depth-first,
// each parent before its children, siblings in display order.
struct TreeNode {
    std::wstring text; // the folder path while the tree is built, the title afterwards
    CheckState state = CheckState::Unset;
    bool expanded = false;
    std::optional<std::size_t> parent;
    std::vector<std::size_t> children;
};

// The shape and states of the component tree, without any rule about how states change.
class ComponentTree {
public:
    // A node with its children, as the tree is first put together.
    struct Branch {
        std::wstring text;
        std::vector<Branch> children;
    };

    void clear() { nodes_.clear(); }
    // Replaces the whole tree; every node starts unset and collapsed.
    void assign(const std::vector<Branch>& roots);

    std::size_t count() const { return nodes_.size(); }
    bool empty() const { return nodes_.empty(); }
    const TreeNode& node(std::size_t index) const { return nodes_.at(index); }
    const std::wstring& text(std::size_t index) const { return node(index).text; }
    CheckState state(std::size_t index) const { return node(index).state; }
    bool hasChildren(std::size_t index) const { return !node(index).children.empty(); }

    void setText(std::size_t index, std::wstring text) { nodes_.at(index).text = std::move(text); }
    // Stores a state as it is: no events, no cascading.
    void putState(std::size_t index, CheckState state) { nodes_.at(index).state = state; }
    void expand(std::size_t index) { nodes_.at(index).expanded = true; }
    void expandAll();

    // Every descendant of a node, depth-first.
    std::vector<std::size_t> descendants(std::size_t index) const;
    // The first node in absolute order whose text equals the text of the given node, so
    // that components with equal titles share one entry of the per-node lists.
    std::size_t firstWithTitle(std::size_t index) const;
    // Every node whose text equals the text of the given node, in absolute order.
    std::vector<std::size_t> allWithTitle(std::size_t index) const;

    // Whether the installation takes the node: a node without children that is checked or
    // has no check box. A node with children is never installed itself.
    bool chosenForInstall(std::size_t index) const;

private:
    void append(const Branch& branch, std::optional<std::size_t> parent);

    std::vector<TreeNode> nodes_;
};

} // namespace parcelkit::components
