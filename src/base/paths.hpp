#pragma once

#include <string>
#include <string_view>

namespace parcelkit::base {

// True for a full path that names one file or directory below a drive or a network share
// and nothing else: no wildcards, no "." or ".." steps, no stream names, not a drive or
// share root. A record that names anything else was not written by an installation, and
// the uninstaller leaves it alone.
bool isRemovablePath(std::wstring_view path);

// The path without any trailing backslashes: a record's path compared or removed.
std::wstring withoutTrailingBackslashes(std::wstring_view path);
// One trailing backslash removed, as the system's directories and a typed destination
// are taken.
std::wstring withoutOneTrailingBackslash(std::wstring path);

// Number of steps below the root: deeper directories are removed before their parents.
std::size_t depthOf(std::wstring_view path);

// Whether path lies in directory or is it, compared without regard to ASCII case.
bool isWithin(std::wstring_view path, std::wstring_view directory);

// The folder part of a path, without the trailing backslash.
std::wstring parentOf(std::wstring_view path);

// "X:\..." or "\\server\share...": anything else would be taken relative to whatever the
// current drive or directory is, and an empty destination would install into the root.
bool isFullPath(std::wstring_view path);

} // namespace parcelkit::base
