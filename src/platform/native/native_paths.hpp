#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace parcelkit::native {

// A path as the portable code writes it (backslashes, Windows letter-case rules) on this
// machine's file system: separators turned round, and each step that does not exist as
// written found among its siblings without regard to case, as Windows would find it.
// nullopt when some step is not there at all.
std::optional<std::filesystem::path> existingPath(std::wstring_view windowsPath);

// Whether a name matches a pattern of "*" and "?", without regard to case; "*.*" matches
// every name, as the system's directory search has it.
bool matchesPattern(std::wstring_view name, std::wstring_view pattern);

std::wstring fromNative(const std::filesystem::path& path);

} // namespace parcelkit::native
