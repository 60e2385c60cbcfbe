#include "engine/replace_at_restart.hpp"

namespace parcelkit::engine {

namespace {

// A stand-in that nothing will move is litter in the temporary directory: it is deleted
// unless it was handed over for the restart.
class StandIn {
public:
    StandIn(platform::FileSystem& files, std::wstring path)
        : files_(files), path_(std::move(path)) {}
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;
    ~StandIn() {
        if (!kept_) {
            platform::notChecked(files_.deleteFile(path_));
        }
    }
    const std::wstring& path() const { return path_; }
    void keep() { kept_ = true; }

private:
    platform::FileSystem& files_;
    std::wstring path_;
    bool kept_ = false;
};

// The 9x family moves each [rename] value onto its key before long names are available,
// so both sides must be short names; without them the entry would name nothing.
bool scheduleInWininit(model::InstallContext& context, const std::wstring& standIn,
                       const std::wstring& target) {
    const auto& files = context.platform.files;
    const auto shortTarget = files.shortPath(target);
    const auto shortStandIn = files.shortPath(standIn);
    if (!shortTarget || !shortStandIn || shortTarget->empty() || shortStandIn->empty()) {
        return false;
    }
    const auto wininit =
        context.platform.profiles.open(context.session.dirs.windir + L"\\wininit.ini");
    platform::require(wininit->writeString(L"rename", *shortTarget, *shortStandIn),
                      L"Unable to write to", wininit->path());
    return true;
}

} // namespace

bool replaceAtRestart(model::InstallContext& context, const std::wstring& source,
                      const std::wstring& target) {
    context.session.needreboot = true;
    platform::FileSystem& files = context.platform.files;
    const auto created = files.createTemporaryFile(context.session.dirs.tempdir, kStandInPrefix);
    if (!created) {
        return false;
    }
    StandIn standIn(files, *created);
    // The stand-in starts empty: moved over the installed file, it would destroy it.
    if (!files.copyFile(source, standIn.path())) {
        return false;
    }
    const script::OsFamily ostype = context.session.ostype;
    if (ostype == script::OsFamily::Nt) {
        if (!files.moveAtRestart(standIn.path(), target)) {
            return false;
        }
    } else if (ostype == script::OsFamily::Nine) {
        if (!scheduleInWininit(context, standIn.path(), target)) {
            return false;
        }
    }
    // With no family known to schedule with, the copy stays where it was made.
    standIn.keep();
    return true;
}

} // namespace parcelkit::engine
