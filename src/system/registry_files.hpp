#pragma once

#include "model/install_context.hpp"

#include <optional>
#include <string>
#include <vector>

namespace parcelkit::platform {
class FileBytes;
}

namespace parcelkit::system {

// The installation's collected undo file.
std::wstring undoFilePath(const model::Session& session);

// A registry file's lines with the directories put in (backslashes doubled, as
// registry-file strings want them) and the escape tags decoded; nullopt when it is missing.
std::optional<std::vector<std::wstring>> registryFileLines(const script::MacroValues& dirs,
                                                           const platform::FileSystem& fileSystem,
                                                           const platform::FileBytes& files,
                                                           const std::wstring& path);
// The same with the session's directories.
std::optional<std::vector<std::wstring>> registryFileLines(model::InstallContext& context,
                                                           const platform::FileBytes& files,
                                                           const std::wstring& path);

// Imports a registry file through regedit.exe by way of a UTF-16 copy under a name of its
// own in the temporary directory, which exists only during the import. A missing file is passed
// over.
void reg(model::InstallContext& context, platform::FileBytes& files, const std::wstring& path);

// The collected undo file after adding one component's undo file: the first file gives
// the header line; each component's lines stand between ";NAME begin" and ";NAME end".
// nullopt when the added file has fewer than two lines: without a header line and the
// line after it there are no removal entries, and nothing is added.
std::optional<std::vector<std::wstring>>
collectUndoLines(const std::optional<std::vector<std::wstring>>& collected,
                 std::vector<std::wstring> added, const std::wstring& name);

// Adds one component's undo file to unreg.reg in the installation directory. A missing
// file is passed over.
void unreg(model::InstallContext& context, platform::FileBytes& files, const std::wstring& name,
           const std::wstring& path);

} // namespace parcelkit::system
