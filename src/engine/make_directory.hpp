#pragma once

#include "model/install_context.hpp"
#include "record/record_format.hpp"

#include <string>
#include <vector>

namespace parcelkit::engine {

// The owner of directories that belong to the installation as a whole or to more than
// one component.
inline constexpr const wchar_t* kSharedOwner = record::kShared;

// The directories that make up a path, from the shortest to the whole path, each joined
// with single backslashes. The root is never one of them: the drive ("C:") or, for a
// network path, the server and share ("\\server\share").
std::vector<std::wstring> directoryPrefixes(const std::wstring& directory);

// Makes sure that the directory exists and records in the uninstall record's [dir]
// section which of its directories the installation created and for whom. With the
// owner "#share#" (once per run, for the installation directory) it also creates the
// record itself and opens it in the context.
void makedir(model::InstallContext& context, const std::wstring& owner,
             const std::wstring& directory);

// makedir of a component's directory in two halves, for a caller that flushes the record
// anyway before it changes the disk: the entries first, in memory; then, once they are
// on the disk, the directories that were missing.
struct RecordedDirectory {
    std::wstring directory;
    std::vector<std::wstring> missing; // shortest first
};
RecordedDirectory recordDirectory(model::InstallContext& context, const std::wstring& owner,
                                  const std::wstring& directory);
void createMissing(model::InstallContext& context, const RecordedDirectory& recorded);

} // namespace parcelkit::engine
