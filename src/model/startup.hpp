#pragma once

#include "model/session.hpp"

namespace parcelkit::platform {
class FileSystem;
class ProfileFile;
class Registry;
class SystemInfo;
} // namespace parcelkit::platform

namespace parcelkit::model {

// "98" for platform id 1, "2000" for 2, empty otherwise.
script::OsFamily osFamily(unsigned platformId);

// The machine's directories and the OS family, as the wizard's creation reads them.
void readMachine(Session& session, const platform::SystemInfo& system,
                 const platform::FileSystem& files);

// setup.ini [main]: destination (with its six macros), id, mode and component file name.
void readSetupScript(Session& session, const platform::ProfileFile& setupini);

// setup.ini [main] mode, lower-cased: true for "setup", false for "update" or anything else.
bool readSetupMode(const platform::ProfileFile& setupini);

// Key of the installed-programs list under HKEY_LOCAL_MACHINE; an installation's entry is
// this followed by its id.
inline constexpr wchar_t kUninstallKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The program an installed-programs entry's uninstall command names: the part between the
// first pair of quotes of a quoted command, else the whole command without surrounding
// blanks (the unquoted form carries no arguments, and its path may hold blanks).
std::wstring uninstallerOf(const std::wstring& command);

// The directory of an earlier installation: the folder of the uninstaller named by the
// installed-programs entry of appid, without a trailing backslash; empty when there is
// none. An empty appid names no entry (the list's own key is no installation's entry).
std::wstring installedDirectory(const platform::Registry& registry, const std::wstring& appid);

} // namespace parcelkit::model
