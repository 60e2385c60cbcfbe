#include "engine/make_directory.hpp"

#include "base/escapes.hpp"
#include "platform/outcome.hpp"

namespace parcelkit::engine {

namespace {

struct Prefix {
    std::wstring path;
    bool existed;
};

std::vector<Prefix> examine(const platform::FileSystem& files, const std::wstring& directory) {
    std::vector<Prefix> prefixes;
    for (auto& path : directoryPrefixes(directory)) {
        const bool existed = files.directoryExists(path);
        prefixes.push_back({std::move(path), existed});
    }
    return prefixes;
}

RecordedDirectory missingOf(const std::vector<Prefix>& prefixes, const std::wstring& directory) {
    RecordedDirectory recorded{directory, {}};
    // A path already there is left alone, whatever its levels seemed.
    if (prefixes.empty() || prefixes.back().existed) {
        return recorded;
    }
    for (const auto& prefix : prefixes) {
        if (!prefix.existed) {
            recorded.missing.push_back(prefix.path);
        }
    }
    return recorded;
}

void recordComponentDirectories(record::RecordWriter& record, const std::wstring& owner,
                                const std::vector<Prefix>& prefixes) {
    for (const auto& prefix : prefixes) {
        if (!prefix.existed) {
            record.setDirectoryOwner(prefix.path, owner);
            continue;
        }
        // An existing directory without an entry was there before the installation and
        // is never claimed; one of another component becomes shared.
        const std::wstring current = record.directoryOwner(prefix.path);
        if (!current.empty() && current != kSharedOwner && current != owner) {
            record.setDirectoryOwner(prefix.path, kSharedOwner);
        }
    }
}

// The record is written whole, in UTF-16, so that a product name or a path beyond the ANSI
// code page survives.
void openRecord(model::InstallContext& context) {
    context.uninstallini = std::make_unique<record::RecordWriter>(
        context.platform.profiles, model::uninstallRecordPath(context.session));
}

std::wstring productName(const model::InstallContext& context) {
    std::wstring name = context.texts.value(L"name", L"");
    if (name.empty()) {
        name = context.setupini.readString(L"main", L"name", L"Parcelkit");
    }
    return name;
}

void makeInstallationDirectory(model::InstallContext& context, const std::wstring& directory) {
    const auto prefixes = examine(context.platform.files, directory);
    createMissing(context, missingOf(prefixes, directory));
    openRecord(context);
    record::RecordWriter& record = *context.uninstallini;
    // The id has no default: a script without one leaves the record's id empty.
    record.writeMain(context.setupini.readString(L"main", L"id", L""), productName(context));
    for (const auto& prefix : prefixes) {
        if (!prefix.existed) {
            record.setDirectoryOwner(prefix.path, kSharedOwner);
        }
    }
    // The record lives in the directory it records, so that one is made first; its entry
    // follows at once.
    record.flush();
}

} // namespace

std::vector<std::wstring> directoryPrefixes(const std::wstring& directory) {
    std::vector<std::wstring> pieces;
    base::extstring(L"\\", directory, pieces);
    std::size_t rootPieces = 1;
    std::wstring path = pieces.empty() ? std::wstring() : pieces[0];
    if (directory.starts_with(L"\\\\") && pieces.size() >= 2) {
        rootPieces = 2;
        path = L"\\\\" + pieces[0] + L"\\" + pieces[1];
    }
    std::vector<std::wstring> prefixes;
    for (std::size_t i = rootPieces; i < pieces.size(); ++i) {
        path += L"\\" + pieces[i];
        prefixes.push_back(path);
    }
    return prefixes;
}

void makedir(model::InstallContext& context, const std::wstring& owner,
             const std::wstring& directory) {
    if (owner == kSharedOwner) {
        makeInstallationDirectory(context, directory);
        return;
    }
    const RecordedDirectory recorded = recordDirectory(context, owner, directory);
    model::uninstallRecord(context).flush();
    createMissing(context, recorded);
}

RecordedDirectory recordDirectory(model::InstallContext& context, const std::wstring& owner,
                                  const std::wstring& directory) {
    const auto prefixes = examine(context.platform.files, directory);
    recordComponentDirectories(model::uninstallRecord(context), owner, prefixes);
    return missingOf(prefixes, directory);
}

// Creates the missing levels in order, shown on the status lines. Whether the system
// creates them is not checked: copies into a missing directory take the restart path.
void createMissing(model::InstallContext& context, const RecordedDirectory& recorded) {
    if (recorded.missing.empty()) {
        return;
    }
    context.view.setStatus(model::StatusLine::Activity,
                           context.texts.text(model::msg::CreatingDirectory));
    context.view.setStatus(model::StatusLine::Subject, recorded.directory);
    for (const auto& path : recorded.missing) {
        platform::notChecked(context.platform.files.createDirectory(path));
    }
}

} // namespace parcelkit::engine
