#pragma once

#include "script/os_family.hpp"
#include "script/path_macros.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parcelkit::platform {
class FileSystem;
}

namespace parcelkit::system {

// Where a folder word puts a shortcut: a special folder of the shell (with Quick Launch
// below the application data), or one of the session's profile directories.
struct ShortcutBase {
    enum class Kind { Special, QuickLaunch, AllUsers, User };
    Kind kind = Kind::Special;
    int csidl = 0;
};

// The folder word (any case) for the OS family; the "COMMON_" words fall back to the
// current user's folders outside the NT family. nullopt for a word not in the table.
std::optional<ShortcutBase> shortcutBase(std::wstring_view folderWord, script::OsFamily ostype);

// Every folder word, upper-cased, in the table's order.
std::vector<std::wstring> shortcutFolderWords();

// Below the application data folder.
inline constexpr wchar_t kQuickLaunchPath[] = L"\\Microsoft\\Internet Explorer\\Quick Launch";

// One shortcut line ("name|folder[|subfolder[|icon[|index]]]=target[|dir[|args[|DESC:text]]]"),
// split, with the macros expanded and the escape tags decoded.
struct ShortcutEntry {
    std::wstring name;
    std::wstring folderWord; // upper-cased
    std::wstring subfolder;  // empty: the base folder itself
    std::wstring iconFile;
    int iconIndex = 0;
    std::wstring target;
    std::wstring workingDirectory;
    std::wstring arguments;
    std::wstring description;
};

// nullopt for a line without a shortcut name, a folder word or a target, and for a name
// that no file name can be (a path, or a character such as "|" or "?"). Throws
// base::Error when the icon index is not a whole number.
std::optional<ShortcutEntry> readShortcutEntry(std::wstring_view line,
                                               const script::MacroValues& dirs,
                                               const platform::FileSystem& files);

} // namespace parcelkit::system
