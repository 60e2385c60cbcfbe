#pragma once

#include <string>
#include <string_view>

namespace parcelkit::base {

// True for a full path that names one file or directory below a drive or a network share
// and nothing else: no wildcards, no "." or ".." steps, no stream names, not a drive or
// share root. A record that names anything else was not written by an installation, and
// the uninstaller leaves it alone.
bool isRemovablePath(std::wstring_view path);

// The path without trailing backslashes.
std::wstring withoutTrailingBackslash(std::wstring_view path);

// Number of steps below the root: deeper directories are removed before their parents.
std::size_t depthOf(std::wstring_view path);

// Whether path lies in directory or is it, compared without regard to ASCII case.
bool isWithin(std::wstring_view path, std::wstring_view directory);

// The folder part of a path, without the trailing backslash.
std::wstring parentOf(std::wstring_view path);

} // namespace parcelkit::base
