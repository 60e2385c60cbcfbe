#pragma once

#include <string>

namespace parcelkit::platform {
class FileSystem;
class SystemInfo;
} // namespace parcelkit::platform

namespace parcelkit::model {

// The folder setup.exe works from: the current directory when it holds setup.ini; else the
// program's own folder when that holds one, for deployment tools do not always start a
// program in its folder; else the current directory, where a run without a setup script
// goes on with every default.
std::wstring setupFolder(const platform::FileSystem& files, const platform::SystemInfo& system);

// Makes the setup folder the current directory, once at start-up before anything is read.
// Everything that reads the current directory (the setup script, language.ini, the
// component folders, #currentdir#) and every program a run entry starts then sees the
// folder as if setup.exe had been started there.
void enterSetupFolder(platform::FileSystem& files, const platform::SystemInfo& system);

} // namespace parcelkit::model
