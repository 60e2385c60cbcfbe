#pragma once

#include "components/component_tree.hpp"
#include "components/component_tree_view.hpp"

#include <map>
#include <vector>

namespace parcelkit::doubles {

// The component page as titles, looks and the panel's text.
struct FakeComponentTreeView : components::ComponentTreeView {
    std::vector<std::wstring> titles; // in absolute order, as last shown
    std::map<std::size_t, components::NodeLook> looks;
    std::wstring panel;
    int panelWrites = 0;
    int pageUps = 0;
    bool warningOff = false; // CheckBox1

    void showTree(const components::ComponentTree& tree) override {
        titles.clear();
        looks.clear();
        for (std::size_t i = 0; i < tree.count(); ++i) {
            titles.push_back(tree.text(i));
        }
    }
    void showNode(std::size_t node, const components::NodeLook& look) override {
        looks[node] = look;
    }
    std::wstring description() const override { return panel; }
    void setDescription(const std::wstring& text) override {
        panel = text;
        ++panelWrites;
    }
    void scrollDescriptionPageUp() override { ++pageUps; }
    bool installedWarningOff() const override { return warningOff; }
};

} // namespace parcelkit::doubles
