#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace parcelkit::windows {

// The system's folder dialog over the whole shell namespace, without a preselection:
// file-system folders only, the resizable style without its new-folder button, centred
// on the owner's monitor. nullopt when the user cancels.
std::optional<std::wstring> browseForFolder(HWND owner, const std::wstring& caption);

} // namespace parcelkit::windows
