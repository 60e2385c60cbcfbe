#include "base/error.hpp"
#include "base/escapes.hpp"
#include "checker/entry_checks.hpp"
#include "checker/nearest_name.hpp"
#include "system/shortcut_entry.hpp"

#include <vector>

namespace parcelkit::checker {

namespace {

// Why the reading code passed over a line: which part of the entry is missing or wrong.
std::wstring whySkipped(const std::wstring& line) {
    std::wstring valueSide = line;
    const std::wstring keySide = base::parse(valueSide, L"=");
    std::vector<std::wstring> keyFields;
    std::vector<std::wstring> valueFields;
    base::extstring(L"|", keySide, keyFields);
    base::extstring(L"|", valueSide, valueFields);
    if (keyFields.size() < 2) {
        return L"the shortcut entry names no folder word (name|FOLDER=target)";
    }
    if (valueFields.empty()) {
        return L"the shortcut entry names no target";
    }
    return L"link name '" + base::extstr(keyFields[0]) +
           L"' cannot be a file name (it holds one of \\ / : * ? \" < > |)";
}

} // namespace

void checkShortcutEntries(const CheckContext& context, const ScriptFile& file,
                          const std::wstring& section) {
    for (const auto& entry : file.listEntries(section)) {
        std::optional<system::ShortcutEntry> read;
        try {
            read = system::readShortcutEntry(entry.line, context.dirs, context.folder.files);
        } catch (const base::Error& error) {
            context.report(file, entry.lineNumber, Severity::Error, "shortcut-icon-index",
                           L"icon index " + error.reason() +
                               L": setup.exe stops the installation with an error");
            continue;
        }
        if (!read) {
            context.report(file, entry.lineNumber, Severity::Warning, "shortcut-skipped",
                           whySkipped(entry.line) + L": setup.exe skips the shortcut silently");
            continue;
        }
        bool known = false;
        for (const auto family : kFamilies) {
            known = known || system::shortcutBase(read->folderWord, family).has_value();
        }
        if (!known) {
            context.report(file, entry.lineNumber, Severity::Warning, "shortcut-folder-word",
                           L"unknown folder word '" + read->folderWord +
                               L"': setup.exe skips the shortcut silently" +
                               didYouMean(read->folderWord, system::shortcutFolderWords()));
        }
    }
}

} // namespace parcelkit::checker
