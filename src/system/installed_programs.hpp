#pragma once

#include "model/install_context.hpp"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace parcelkit::system {

// The installed-programs key of an installation, below HKEY_LOCAL_MACHINE.
std::wstring installedProgramsKey(const std::wstring& appid);

// One value of the entry: a string (REG_SZ) or a number (REG_DWORD).
struct EntryValue {
    std::wstring name;
    std::variant<std::wstring, std::uint32_t> data;
};

// The values of the entry, in the order in which they are written.
std::vector<EntryValue> installedProgramsValues(model::InstallContext& context);

// Writes the installation's entry in the system's list of installed programs. Without the
// rights to create the key nothing is written and nothing is said; an installation without
// an id has no entry. A value refused after the key was made raises base::Error. The
// uninstaller deletes the whole key, so the record needs no entry of its own for it.
void uninstall(model::InstallContext& context);

} // namespace parcelkit::system
