#pragma once

#include "components/component_tree.hpp"
#include "script/os_family.hpp"

#include <string>
#include <vector>

namespace parcelkit::platform {
class Collation;
class FileSystem;
class ProfileStore;
} // namespace parcelkit::platform

namespace parcelkit::components {

// What makes a folder a component on this machine.
struct ComponentFolderRule {
    std::wstring ininame; // the component file that marks a component folder
    script::OsFamily ostype = script::OsFamily::Unknown;
};

// The component folders below folder, each with the component folders below it; the text
// of a branch is the folder's full path. A folder without a component file is no
// component, and nothing below it is looked at; neither is anything below a component
// whose [main] system names another OS family. Branches come in the order the system
// lists the folders.
std::vector<ComponentTree::Branch> scanComponents(const std::wstring& folder,
                                                  const ComponentFolderRule& rule,
                                                  const platform::FileSystem& files,
                                                  platform::ProfileStore& profiles);

// Every level in ascending order of the folder paths, as the locale orders them.
void sortBranches(std::vector<ComponentTree::Branch>& branches,
                  const platform::Collation& collation);

} // namespace parcelkit::components
