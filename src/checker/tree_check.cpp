#include "checker/tree_check.hpp"

#include "base/escapes.hpp"
#include "base/text.hpp"

#include <map>
#include <memory>
#include <optional>

namespace parcelkit::checker {

namespace {

struct Component {
    std::shared_ptr<ScriptFile> file;
    std::optional<std::size_t> parent;
    std::wstring name;               // upper-cased, as the tree compares it
    std::wstring checked;            // as written
    std::vector<std::wstring> mutex; // as written
    bool group = false;              // never installed itself, never recorded
};

class TreeCheck {
public:
    TreeCheck(const CheckContext& context, const std::wstring& ininame)
        : context_(context), ininame_(ininame) {}

    void add(const FamilyTree& tree) {
        std::vector<Component> components;
        for (const auto& root : tree.roots) {
            flatten(root, std::nullopt, components);
        }
        trees_.push_back(std::move(components));
    }

    void run() {
        for (const auto& components : trees_) {
            for (const auto& component : components) {
                checkExclusions(components, component);
                checkMandatoryPlace(components, component);
            }
            checkNamesDistinct(components);
        }
    }

private:
    void flatten(const components::ComponentTree::Branch& branch, std::optional<std::size_t> parent,
                 std::vector<Component>& out) {
        auto& file = files_[branch.text];
        if (!file) {
            file = std::make_shared<ScriptFile>(context_.folder, branch.text + L"\\" + ininame_);
        }
        Component component{file,
                            parent,
                            base::asciiUpper(file->value(L"main", L"name")),
                            file->value(L"main", L"checked", L"0"),
                            {}};
        base::extstring(L",", file->value(L"main", L"mutex"), component.mutex);
        component.group = !branch.children.empty() ||
                          base::equalsIgnoreCase(file->value(L"main", L"type"), L"group");
        const std::size_t index = out.size();
        out.push_back(std::move(component));
        for (const auto& child : branch.children) {
            flatten(child, index, out);
        }
    }

    // A name that matches in one family only is fine: the component it names is offered on
    // that family alone.
    bool namedInAnyTree(const std::wstring& name) const {
        for (const auto& components : trees_) {
            for (const auto& component : components) {
                if (component.name == name) {
                    return true;
                }
            }
        }
        return false;
    }

    static bool startsChecked(const Component& component) {
        return component.checked == L"1" || component.checked == L"2";
    }

    void checkExclusions(const std::vector<Component>& components, const Component& component) {
        const ScriptFile& file = *component.file;
        const std::size_t line = file.keyLine(L"main", L"mutex");
        for (const auto& name : component.mutex) {
            if (base::trimBlanks(name) != name) {
                context_.report(file, line, Severity::Warning, "mutex-blank",
                                L"mutex name '" + name +
                                    L"' has a blank around it: setup.exe compares it with the "
                                    L"blank and it matches no component");
                continue;
            }
            if (!namedInAnyTree(base::asciiUpper(name))) {
                context_.report(file, line, Severity::Warning, "mutex-unknown",
                                L"mutex names '" + name +
                                    L"', which is no component's name: it excludes nothing");
                continue;
            }
            for (const auto& other : components) {
                if (&other != &component && other.name == base::asciiUpper(name) &&
                    component.checked == L"1" && startsChecked(other)) {
                    context_.report(file, line, Severity::Warning, "mutex-both-checked",
                                    L"'" + name +
                                        L"' is excluded by this component, but both start "
                                        L"checked: a silent installation installs both");
                }
            }
        }
    }

    void checkMandatoryPlace(const std::vector<Component>& components, const Component& component) {
        if (component.checked != L"2" || !component.parent) {
            return;
        }
        const Component& parent = components[*component.parent];
        if (startsChecked(parent)) {
            return;
        }
        context_.report(*component.file, component.file->keyLine(L"main", L"checked"),
                        Severity::Warning, "mandatory-in-unchecked-group",
                        L"an always-installed component (checked=2) inside a group that starts "
                        L"unchecked: ticking and clearing the group clears it too; keep "
                        L"always-installed components at the top level");
    }

    void checkNamesDistinct(const std::vector<Component>& components) {
        std::map<std::wstring, const Component*> seen;
        for (const auto& component : components) {
            if (component.name.empty() && !component.group) {
                context_.report(*component.file, component.file->sectionLine(L"main"),
                                Severity::Warning, "component-name",
                                L"the component has no name: the uninstall record and mutex "
                                L"lists cannot tell it apart");
                continue;
            }
            if (component.name.empty()) {
                continue;
            }
            const auto [place, added] = seen.emplace(component.name, &component);
            if (!added) {
                context_.report(*component.file, component.file->keyLine(L"main", L"name"),
                                Severity::Warning, "component-name",
                                L"name '" + component.name + L"' is also the name of " +
                                    place->second->file->shown() +
                                    L": the uninstall record and mutex lists mix the two up");
            }
        }
    }

    const CheckContext& context_;
    std::wstring ininame_;
    std::map<std::wstring, std::shared_ptr<ScriptFile>> files_;
    std::vector<std::vector<Component>> trees_;
};

} // namespace

void checkTrees(const CheckContext& context, const std::vector<FamilyTree>& trees,
                const std::wstring& ininame) {
    TreeCheck check(context, ininame);
    for (const auto& tree : trees) {
        check.add(tree);
    }
    check.run();
}

} // namespace parcelkit::checker
