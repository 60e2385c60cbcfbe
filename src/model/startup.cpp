#include "model/startup.hpp"

#include "base/paths.hpp"
#include "base/text.hpp"
#include "platform/file_system.hpp"
#include "platform/profile.hpp"
#include "platform/registry.hpp"
#include "platform/system_info.hpp"

namespace parcelkit::model {

script::OsFamily osFamily(unsigned platformId) {
    switch (platformId) {
    case 1:
        return script::OsFamily::Nine;
    case 2:
        return script::OsFamily::Nt;
    default:
        return script::OsFamily::Unknown;
    }
}

void readMachine(Session& session, const platform::SystemInfo& system,
                 const platform::FileSystem& files) {
    session.ostype = osFamily(system.platformId());
    auto& dirs = session.dirs;
    dirs.windir = base::withoutOneTrailingBackslash(system.windowsDirectory());
    dirs.sysdir = base::withoutOneTrailingBackslash(system.systemDirectory());
    dirs.tempdir = base::withoutOneTrailingBackslash(system.tempDirectory());
    const bool nine = session.ostype == script::OsFamily::Nine;
    dirs.allusersdir = system.environment(L"ALLUSERSPROFILE");
    if (dirs.allusersdir.empty() && nine) {
        dirs.allusersdir = dirs.windir + L"\\All Users";
    }
    dirs.userdir = system.environment(L"userprofile");
    if (dirs.userdir.empty() && nine) {
        dirs.userdir = dirs.windir;
    }
    dirs.currentdir = files.currentDirectory();
    dirs.programfilesdir =
        dirs.sysdir.empty() ? std::wstring() : dirs.sysdir.substr(0, 1) + L":\\Program Files";
}

bool readSetupMode(const platform::ProfileFile& setupini) {
    return base::asciiLower(setupini.readString(L"main", L"mode", L"setup")) == L"setup";
}

void readSetupScript(Session& session, const platform::ProfileFile& setupini) {
    const std::wstring progdir = setupini.readString(L"main", L"progdir", L"");
    session.appid = setupini.readString(L"main", L"id", L"");
    session.setupmode = readSetupMode(setupini);
    session.ininame = setupini.readString(L"main", L"ininame", L"parcelkit.ini");
    session.dirs.setupdir =
        base::withoutOneTrailingBackslash(script::expandDefaultDestination(progdir, session.dirs));
}

std::wstring uninstallerOf(const std::wstring& command) {
    const std::wstring trimmed = base::trimBlanks(command);
    if (trimmed.size() >= 2 && trimmed.front() == L'"') {
        const auto close = trimmed.find(L'"', 1);
        return trimmed.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
    }
    return trimmed;
}

std::wstring installedDirectory(const platform::Registry& registry, const std::wstring& appid) {
    if (appid.empty()) {
        return {};
    }
    // Written quoted since the entry gained its quiet form; earlier entries are unquoted.
    const std::wstring program = uninstallerOf(
        registry
            .readString(platform::RootKey::LocalMachine, kUninstallKey + appid, L"UninstallString")
            .value_or(L""));
    const auto end = program.find_last_of(L"\\:");
    if (end == std::wstring::npos) {
        return {};
    }
    return base::withoutOneTrailingBackslash(program.substr(0, end + 1));
}

} // namespace parcelkit::model
