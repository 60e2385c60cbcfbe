#pragma once

#include "uninstaller/removal_context.hpp"

#include <set>
#include <string>

namespace parcelkit::uninstaller {

// Upper-cased paths of files that components staying installed still record.
using KeptPaths = std::set<std::wstring>;

// Takes one component apart, in this order: its programs of the "before" phase, the
// unregistration of its COM servers, its files and shortcuts, its system.ini entries, its
// block of unreg.reg (when asked for), its programs of the "after" phase, its directories
// deepest first. Every entry is taken out of the record once it is dealt with. True when
// nothing of the component stays but directories that hold other things; otherwise the
// component stays listed in the record.
bool removeComponent(RemovalContext& context, const record::RemovalRecord& record,
                     const record::InstalledComponent& component, const KeptPaths& kept);

// Applies one component's block of unreg.reg with the registry editor and takes the block
// out of the file; nothing to do without a block. False when the block could not be
// applied: the component then stays in the record, so that another run can try again.
bool removeRegistryEntries(RemovalContext& context, const std::wstring& name);

} // namespace parcelkit::uninstaller
