#pragma once

#include "app/session.hpp"

namespace parcelkit::platform {
class FileSystem;
class ProfileFile;
class SystemInfo;
} // namespace parcelkit::platform

namespace parcelkit::app {

// "98" for platform id 1, "2000" for 2, empty otherwise.
std::wstring osFamily(unsigned platformId);

// One trailing backslash removed.
std::wstring withoutTrailingBackslash(std::wstring path);

// The machine's directories and the OS family, as the wizard's creation reads them.
void readMachine(Session& session, const platform::SystemInfo& system,
                 const platform::FileSystem& files);

// setup.ini [main]: destination (with its six macros), id, mode and component file name.
void readSetupScript(Session& session, const platform::ProfileFile& setupini);

// setup.ini [main] mode, lower-cased: true for "setup", false for "update" or anything else.
bool readSetupMode(const platform::ProfileFile& setupini);

} // namespace parcelkit::app
