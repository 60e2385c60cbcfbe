#include "base/escapes.hpp"
#include "checker/entry_checks.hpp"
#include "components/file_list.hpp"
#include "engine/file_entry.hpp"
#include "script/path_macros.hpp"

#include <algorithm>

namespace parcelkit::checker {

namespace {

bool hasWildcard(const std::wstring& pattern) {
    return pattern.find_first_of(L"*?") != std::wstring::npos;
}

std::wstring nameOf(const std::wstring& path) {
    const auto slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

void checkPathLength(const CheckContext& context, const ScriptFile& file, std::size_t line,
                     const std::wstring& directory, const std::wstring& name) {
    std::wstring path =
        script::extpath(directory, script::MacroForm::Plain, context.dirs, context.folder.files);
    if (path.empty() || path.back() != L'\\') {
        path += L'\\';
    }
    path += name;
    if (path.size() > kLongestPath) {
        context.report(file, line, Severity::Warning, "path-too-long",
                       L"with the default destination the installed path is " +
                           std::to_wstring(path.size()) +
                           L" characters long, more than the 259 that Windows programs can "
                           L"open: " +
                           path);
    }
}

} // namespace

void checkFileEntries(const CheckContext& context, const ScriptFile& file,
                      const std::wstring& section, const std::wstring& componentFolder) {
    for (const auto& entry : file.listEntries(section)) {
        engine::FileEntry read;
        try {
            read = engine::readFileEntry(entry.line, file.path());
        } catch (const engine::MalformedEntry& malformed) {
            context.report(file, entry.lineNumber, Severity::Error, "file-entry-malformed",
                           L"file entry " + malformed.reason() +
                               L" setup.exe stops the installation with an error");
            continue;
        }
        const std::wstring pattern = componentFolder + L"\\" + read.source;
        const auto listed = components::GetFileList(pattern, context.folder.files);
        std::wstring longest = read.targetName.empty() ? nameOf(read.source) : read.targetName;
        if (!hasWildcard(read.source)) {
            if (!context.folder.files.fileExists(pattern)) {
                context.report(file, entry.lineNumber, Severity::Error, "source-missing",
                               L"source file '" + read.source +
                                   L"' is not in the component folder: setup.exe shows "
                                   L"\"Not found\" in the wizard, and skips it silently when "
                                   L"started with parameters");
            }
        } else if (!listed) {
            context.report(file, entry.lineNumber, Severity::Warning, "wildcard-no-match",
                           L"'" + read.source +
                               L"' matches no file in the component folder: setup.exe skips "
                               L"the entry silently");
        } else if (read.targetName.empty()) {
            longest =
                *std::max_element(listed->begin(), listed->end(),
                                  [](const auto& a, const auto& b) { return a.size() < b.size(); });
        }
        checkPathLength(context, file, entry.lineNumber, read.targetDirectory, longest);
    }
}

void checkDirectoryEntries(const CheckContext& context, const ScriptFile& file,
                           const std::wstring& section) {
    for (const auto& entry : file.listEntries(section)) {
        std::wstring line = entry.line;
        const std::wstring directory = base::extstr(script::extpath(
            base::parse(line, L"="), script::MacroForm::Plain, context.dirs, context.folder.files));
        if (directory.size() > kLongestPath) {
            context.report(file, entry.lineNumber, Severity::Warning, "path-too-long",
                           L"with the default destination the directory's path is " +
                               std::to_wstring(directory.size()) +
                               L" characters long, more than the 259 that Windows programs can "
                               L"open: " +
                               directory);
        }
    }
}

} // namespace parcelkit::checker
