#include "components/component_scan.hpp"

#include "platform/collation.hpp"
#include "platform/file_system.hpp"
#include "platform/profile.hpp"

#include <algorithm>

namespace parcelkit::components {

namespace {

bool offeredOnThisSystem(platform::ProfileStore& profiles, const std::wstring& componentFile,
                         script::OsFamily ostype) {
    const auto file = profiles.open(componentFile);
    const std::wstring system = file->readString(L"main", L"system", L"");
    return system.empty() || system == script::osWord(ostype);
}

} // namespace

std::vector<ComponentTree::Branch> scanComponents(const std::wstring& folder,
                                                  const ComponentFolderRule& rule,
                                                  const platform::FileSystem& files,
                                                  platform::ProfileStore& profiles) {
    std::vector<ComponentTree::Branch> found;
    // "*" lists every entry; plain files fail the component-file test below.
    for (const auto& entry : files.list(folder, L"*")) {
        const std::wstring path = folder + L"\\" + entry.name;
        const std::wstring componentFile = path + L"\\" + rule.ininame;
        if (!files.fileExists(componentFile) ||
            !offeredOnThisSystem(profiles, componentFile, rule.ostype)) {
            continue;
        }
        found.push_back({path, scanComponents(path, rule, files, profiles)});
    }
    return found;
}

void sortBranches(std::vector<ComponentTree::Branch>& branches,
                  const platform::Collation& collation) {
    std::stable_sort(branches.begin(), branches.end(),
                     [&](const ComponentTree::Branch& a, const ComponentTree::Branch& b) {
                         return collation.compare(a.text, b.text) < 0;
                     });
    for (auto& branch : branches) {
        sortBranches(branch.children, collation);
    }
}

} // namespace parcelkit::components
