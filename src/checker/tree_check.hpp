#pragma once

#include "checker/check_context.hpp"
#include "components/component_tree.hpp"

#include <string>
#include <vector>

namespace parcelkit::checker {

// The component tree of each OS family, as setup.exe finds it.
struct FamilyTree {
    script::OsFamily family;
    std::vector<components::ComponentTree::Branch> roots;
};

// How the components of a tree start and exclude each other: mutual exclusion names that
// match no component, pairs that both start checked, always-installed components inside a
// group that starts unchecked, names given twice.
void checkTrees(const CheckContext& context, const std::vector<FamilyTree>& trees,
                const std::wstring& ininame);

} // namespace parcelkit::checker
