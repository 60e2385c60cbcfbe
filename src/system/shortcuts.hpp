#pragma once

#include "model/install_context.hpp"
#include "platform/outcome.hpp"

#include <optional>
#include <string>
#include <vector>

namespace parcelkit::platform {
class Shell;
}

namespace parcelkit::system {

// Has the shell write a link file: refused when the shell's link object or its file
// interface is not available, or when the link cannot be saved.
platform::Outcome CreateLink(platform::Shell& shell, const std::wstring& target,
                             const std::wstring& arguments, const std::wstring& workingDirectory,
                             const std::wstring& iconFile, int iconIndex,
                             const std::wstring& linkFile, const std::wstring& description);

// The base folder of a folder word on this machine; nullopt for an unknown word and for
// a folder that the system or the session does not name.
std::optional<std::wstring> shortcutFolder(const model::InstallContext& context,
                                           const platform::Shell& shell,
                                           const std::wstring& folderWord);

// Creates the shortcuts of one shortcut section, each in its folder (made and recorded
// for the component first), and records every link handed to the shell in [file] with
// the suffix "0". Entries with an unknown folder word or without a required field are
// passed over without touching anything. A link the shell does not write loses its record
// entry again and fails the run, which goes on with the next entry.
void shortcut(model::InstallContext& context, platform::Shell& shell,
              const std::vector<std::wstring>& entries, const std::wstring& name);

} // namespace parcelkit::system
