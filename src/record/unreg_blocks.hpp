#pragma once

#include <optional>
#include <string>

namespace parcelkit::record {

// The collected undo registry file holds one block per component between the lines
// ";NAME begin" and ";NAME end", under one header line.

// A registry file of the header and the component's block alone, ready for the registry
// editor; nullopt when the file has no complete block for the component.
std::optional<std::wstring> blockAsRegistryFile(const std::wstring& text, const std::wstring& name);

// The file without the component's block (and the blank line the installer puts before
// it); the text unchanged when there is no complete block.
std::wstring withoutBlock(const std::wstring& text, const std::wstring& name);

} // namespace parcelkit::record
