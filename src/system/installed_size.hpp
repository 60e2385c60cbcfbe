#pragma once

#include "model/copied_sizes.hpp"
#include "platform/file_system.hpp"
#include "record/record_writer.hpp"

#include <cstdint>
#include <string>

namespace parcelkit::system {

// The kilobytes the installation takes on the disk, rounded up: the files its record names
// as installed (not the newer ones it found and kept, which are another program's) and the
// uninstaller in the installation directory, each counted once at its size now. The sizes
// come from one listing per directory, not from a lookup per file; a directory whose
// recorded files this run copied, all of them, since the last program it ran, is not
// listed: they are the sizes they were copied with. A file that is gone counts nothing;
// a total beyond the 32 bits of the entry's value is cut to the largest.
std::uint32_t installedKilobytes(const record::RecordWriter& record,
                                 const model::CopiedSizes& copied,
                                 const platform::FileSystem& files, const std::wstring& setupdir);

} // namespace parcelkit::system
