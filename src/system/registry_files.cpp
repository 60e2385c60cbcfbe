#include "system/registry_files.hpp"

#include "base/error.hpp"
#include "base/escapes.hpp"
#include "base/text_encoding.hpp"
#include "launch/run_programs.hpp"
#include "launch/system_tools.hpp"
#include "platform/file_bytes.hpp"
#include "script/text_files.hpp"

#include <algorithm>

namespace parcelkit::system {

namespace {

// Removes the temporary import file however the import ends.
class RemoveOnExit {
public:
    RemoveOnExit(platform::FileSystem& files, std::wstring path)
        : files_(files), path_(std::move(path)) {}
    RemoveOnExit(const RemoveOnExit&) = delete;
    RemoveOnExit& operator=(const RemoveOnExit&) = delete;
    ~RemoveOnExit() { platform::notChecked(files_.deleteFile(path_)); }

private:
    platform::FileSystem& files_;
    std::wstring path_;
};

} // namespace

std::wstring undoFilePath(const model::Session& session) {
    return session.dirs.setupdir + L"\\unreg.reg";
}

std::optional<std::vector<std::wstring>> registryFileLines(const script::MacroValues& dirs,
                                                           const platform::FileSystem& fileSystem,
                                                           const platform::FileBytes& files,
                                                           const std::wstring& path) {
    auto lines = script::readTextLines(files, path);
    if (!lines) {
        return std::nullopt;
    }
    for (auto& line : *lines) {
        line = base::extstr(
            script::extpath(line, script::MacroForm::DoubledBackslash, dirs, fileSystem));
    }
    return lines;
}

std::optional<std::vector<std::wstring>> registryFileLines(model::InstallContext& context,
                                                           const platform::FileBytes& files,
                                                           const std::wstring& path) {
    return registryFileLines(context.session.dirs, context.platform.files, files, path);
}

void reg(model::InstallContext& context, platform::FileBytes& files, const std::wstring& path) {
    const auto lines = registryFileLines(context, files, path);
    if (!lines) {
        return;
    }
    // A name of its own, created empty before it is written: a file another program left
    // under a fixed name in the shared temporary folder is never imported.
    platform::FileSystem& temporary = context.platform.files;
    const auto created = temporary.createTemporaryFile(context.session.dirs.tempdir, L"reg");
    if (!created) {
        throw base::Error(L"Cannot create file", context.session.dirs.tempdir,
                          created.failure().reason);
    }
    const std::wstring& importFile = *created;
    RemoveOnExit removal(temporary, importFile);
    platform::require(files.write(importFile, base::encodeUtf16Lines(*lines)),
                      L"Cannot create file", importFile);
    // Quoted: an unquoted path with a blank makes regedit import nothing, and it reports
    // success all the same.
    const auto& dirs = context.session.dirs;
    const std::wstring regedit =
        launch::systemToolPath(context.platform.files, dirs.sysdir, dirs.windir, L"regedit.exe");
    launch::ExecuteWait(context.platform.processes, regedit, L"/s \"" + importFile + L"\"", L"",
                        platform::kShowHidden, platform::kWaitForever);
}

std::optional<std::vector<std::wstring>>
collectUndoLines(const std::optional<std::vector<std::wstring>>& collected,
                 std::vector<std::wstring> added, const std::wstring& name) {
    if (added.size() < 2) {
        return std::nullopt;
    }
    const std::wstring begin = L";" + name + L" begin";
    const std::wstring end = L";" + name + L" end";
    if (!collected) {
        added.insert(added.begin() + 2, begin);
        added.push_back(end);
        return added;
    }
    std::vector<std::wstring> lines = *collected;
    added.erase(added.begin());
    const auto found = std::find(lines.begin(), lines.end(), end);
    if (found != lines.end() && found != lines.begin()) {
        lines.insert(found, added.begin(), added.end());
        return lines;
    }
    added.insert(added.begin() + 1, begin);
    added.push_back(end);
    lines.insert(lines.end(), added.begin(), added.end());
    return lines;
}

void unreg(model::InstallContext& context, platform::FileBytes& files, const std::wstring& name,
           const std::wstring& path) {
    auto added = registryFileLines(context, files, path);
    if (!added) {
        return;
    }
    const std::wstring undoFile = undoFilePath(context.session);
    const auto lines =
        collectUndoLines(script::readTextLines(files, undoFile), std::move(*added), name);
    if (lines) {
        platform::require(files.write(undoFile, base::encodeUtf16Lines(*lines)),
                          L"Cannot create file", undoFile);
    }
}

} // namespace parcelkit::system
