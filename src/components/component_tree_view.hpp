#pragma once

#include "components/check_state.hpp"

#include <cstddef>
#include <string>

namespace parcelkit::components {

class ComponentTree;

enum class TextColour { Default, Grey, Red };

// How one node is drawn: its check box and the style of its title.
struct NodeLook {
    CheckState box = CheckState::Unset; // the state image; unset shows as unchecked
    bool bold = false;                  // no check box: always installed
    TextColour colour = TextColour::Default;
    bool expanded = false;

    bool operator==(const NodeLook&) const = default;
};

// What the component page shows: the tree Treeview1, the description panel Memo1 beside
// it and the switch CheckBox1 that silences the installed warning. The window forwards
// the user's actions to the page model, which tells the view what to show.
class ComponentTreeView {
public:
    virtual ~ComponentTreeView() = default;

    // Replaces every node with those of the tree: titles and parents, in absolute order.
    virtual void showTree(const ComponentTree& tree) = 0;
    virtual void showNode(std::size_t node, const NodeLook& look) = 0;

    // The read-only description panel.
    virtual std::wstring description() const = 0;
    virtual void setDescription(const std::wstring& text) = 0;
    virtual void scrollDescriptionPageUp() = 0;

    // CheckBox1 ticked: installed components are checked without a question.
    virtual bool installedWarningOff() const = 0;
};

} // namespace parcelkit::components
