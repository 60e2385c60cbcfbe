#pragma once

#include "platform/profile.hpp"
#include "script/os_family.hpp"
#include "script/path_macros.hpp"

#include <memory>
#include <string>

namespace parcelkit::model {

// What the installer learns about the machine and the setup script at start-up, read by
// every later step of the run.
struct Session {
    script::OsFamily ostype = script::OsFamily::Unknown;
    script::MacroValues dirs;
    std::wstring appid;
    std::wstring ininame = L"parcelkit.ini";
    bool setupmode = false;
    bool needreboot = false;
    // The setup script, open for the whole run; empty once released (abandon, restart).
    std::unique_ptr<platform::ProfileFile> setupini;
};

} // namespace parcelkit::model
