#include "system/shortcuts.hpp"

#include "engine/make_directory.hpp"
#include "platform/shell.hpp"
#include "record/record_format.hpp"
#include "system/shortcut_entry.hpp"

namespace parcelkit::system {

platform::Outcome CreateLink(platform::Shell& shell, const std::wstring& target,
                             const std::wstring& arguments, const std::wstring& workingDirectory,
                             const std::wstring& iconFile, int iconIndex,
                             const std::wstring& linkFile, const std::wstring& description) {
    platform::ShellLink link;
    link.target = target;
    link.arguments = arguments;
    link.workingDirectory = workingDirectory;
    link.description = description;
    link.iconFile = iconFile;
    link.iconIndex = iconIndex;
    return shell.createLink(linkFile, link);
}

std::optional<std::wstring> shortcutFolder(const model::InstallContext& context,
                                           const platform::Shell& shell,
                                           const std::wstring& folderWord) {
    const auto base = shortcutBase(folderWord, context.session.ostype);
    if (!base) {
        return std::nullopt;
    }
    std::wstring folder;
    switch (base->kind) {
    case ShortcutBase::Kind::Special:
    case ShortcutBase::Kind::QuickLaunch:
        folder = shell.specialFolder(base->csidl).value_or(L"");
        break;
    case ShortcutBase::Kind::AllUsers:
        folder = context.session.dirs.allusersdir;
        break;
    case ShortcutBase::Kind::User:
        folder = context.session.dirs.userdir;
        break;
    }
    // Without a base the link would land below the root of the current drive.
    if (folder.empty()) {
        return std::nullopt;
    }
    if (base->kind == ShortcutBase::Kind::QuickLaunch) {
        folder += kQuickLaunchPath;
    }
    return folder;
}

void shortcut(model::InstallContext& context, platform::Shell& shell,
              const std::vector<std::wstring>& entries, const std::wstring& name) {
    for (const auto& line : entries) {
        const auto entry = readShortcutEntry(line, context.session.dirs, context.platform.files);
        if (!entry) {
            continue;
        }
        auto folder = shortcutFolder(context, shell, entry->folderWord);
        if (!folder) {
            continue;
        }
        if (!entry->subfolder.empty()) {
            *folder += L"\\" + entry->subfolder;
        }
        engine::makedir(context, name, *folder);
        const std::wstring linkFile = *folder + L"\\" + entry->name + L".lnk";
        record::RecordWriter& record = model::uninstallRecord(context);
        record.addFile(linkFile, L"0", name);
        record.flush();
        const auto created =
            CreateLink(shell, entry->target, entry->arguments, entry->workingDirectory,
                       entry->iconFile, entry->iconIndex, linkFile, entry->description);
        if (!created) {
            record.removeFile(linkFile, L"0");
            context.platform.boxes.report(L"Unable to write to " + linkFile + L": " +
                                              created.failure().reason,
                                          platform::BoxIcon::Error);
        }
    }
}

} // namespace parcelkit::system
