#pragma once

#include "components/check_rules.hpp"
#include "components/component_tree.hpp"
#include "components/component_tree_view.hpp"

#include <optional>
#include <string>
#include <vector>

namespace parcelkit::platform {
class Collation;
struct Platform;
} // namespace parcelkit::platform

namespace parcelkit::model {
class MessageTexts;
struct LanguageSource;
struct Session;
} // namespace parcelkit::model

namespace parcelkit::components {

// What the page knows of the component of one node; the page keeps one per node, in the
// nodes' absolute order.
struct Component {
    std::wstring dir;       // the component folder, without a trailing "\"
    bool installed = false; // found installed by detection
    std::wstring mutex;     // [main] mutex, upper-cased
    std::wstring name;      // [main] name, upper-cased: the component's NAME in the record
};

enum class MouseButton { Left, Right, Middle };

// The component page: the tree built from the component folders, its per-node lists,
// and what the page does while the user works on it. The window hit-tests the user's
// clicks and keys and forwards them here; the model tells the view what to show.
class ComponentPage : private StateEvents {
public:
    ComponentPage(ComponentTreeView& view, const model::Session& session,
                  const model::LanguageSource& language, platform::Platform& platform,
                  const platform::Collation& collation);

    // Builds the tree and the lists from the component folders below the current
    // directory. False when there is none: the user has been told, and the program is to
    // end.
    bool readlist();
    // Flags the components that their component files find installed and unchecks them.
    void detect();

    const ComponentTree& tree() const { return tree_; }
    const std::vector<Component>& components() const { return components_; }
    // Whether the node's component was found installed; components with equal titles
    // share the first one's flag.
    bool installed(std::size_t node) const;

    // Tree operations for the rest of the installer.
    void setState(std::size_t node, CheckState state); // with the events and cascading
    void setAllStates(CheckState state);               // directly, nothing else happens
    // As setState, for a choice made on the command line: it is not questioned.
    void choose(std::size_t node, CheckState state);
    void expand(std::size_t node);
    void expandAll();

    // The user's actions.
    void toggle(std::size_t node); // check box clicked, or Space released, on the node
    void Treeview1MouseDown(MouseButton button);
    void Treeview1Change(std::size_t node);                   // selection moved to the node
    void Treeview1MouseMove(std::optional<std::size_t> node); // node under the pointer
    NodeLook Treeview1CustomDrawItem(std::size_t node) const;
    // The tree is painted: nodes not yet set become unchecked.
    void repaint();

    // The description panel for a node; nullopt or a node past the end shows the hint.
    void ReadContent(std::optional<std::size_t> node);

    // Before and after a single change of a node's state.
    bool Treeview1StateChanging(std::size_t node, CheckState next);
    void Treeview1StateChange(std::size_t node, CheckState state);

private:
    bool stateChanging(std::size_t node, CheckState next) override {
        return Treeview1StateChanging(node, next);
    }
    void stateChanged(std::size_t node, CheckState state) override {
        Treeview1StateChange(node, state);
    }

    std::wstring componentFile(std::size_t node) const;
    void readTitles();
    void readInitialStates();
    void excludeOthers(std::size_t node);
    void showHint(const model::MessageTexts& texts);
    void showAll();

    ComponentTreeView& view_;
    const model::Session& session_;
    const model::LanguageSource& language_;
    platform::Platform& platform_;
    const platform::Collation& collation_;

    ComponentTree tree_;
    std::vector<Component> components_;
    // The build has read every component's exclusions: initial states exclude nothing.
    bool built_ = false;
    bool choosing_ = false; // applying the command line's choice
};

} // namespace parcelkit::components
