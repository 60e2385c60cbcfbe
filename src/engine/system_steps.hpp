#pragma once

#include "model/install_context.hpp"

#include <string>
#include <vector>

namespace parcelkit::engine {

// The steps of an installation run that reach into the system beyond files: registry
// files, shortcuts, system.ini entries and the installed-programs entry. The install
// driver calls them at their places through this interface, so that its order can be
// tested on its own.
class SystemSteps {
public:
    virtual ~SystemSteps() = default;

    // Imports an existing registry file of a component.
    virtual void reg(model::InstallContext& context, const std::wstring& path) = 0;
    // Adds an existing undo registry file to the installation's unreg.reg, in the block
    // of the component name.
    virtual void unreg(model::InstallContext& context, const std::wstring& name,
                       const std::wstring& path) = 0;
    // Creates and records the shortcuts of one shortcut section (key=value lines).
    virtual void shortcut(model::InstallContext& context, const std::vector<std::wstring>& lines,
                          const std::wstring& name) = 0;
    // Writes and records the system.ini entries of one section (9x family only).
    virtual void systemini(model::InstallContext& context, const std::vector<std::wstring>& lines,
                           const std::wstring& name) = 0;
    // Writes the entry in the system's list of installed programs.
    virtual void uninstall(model::InstallContext& context) = 0;
};

} // namespace parcelkit::engine
