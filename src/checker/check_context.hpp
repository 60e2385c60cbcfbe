#pragma once

#include "checker/finding.hpp"
#include "checker/script_file.hpp"
#include "script/os_family.hpp"
#include "script/path_macros.hpp"

#include <string>
#include <vector>

namespace parcelkit::checker {

// What every part of the check shares: the folder, the machine that setup.exe is imagined
// on, the language sections it may run with, and the findings so far.
struct CheckContext {
    FolderAccess folder;
    // A typical machine's directories, with the default destination as #setupdir#: what
    // a silent installation would use.
    script::MacroValues dirs;
    // Every language section setup.exe may run with; "language" without a language file.
    std::vector<std::wstring> languages;
    Findings& findings;

    bool languageFile() const;
    void report(const ScriptFile& file, std::size_t line, Severity severity, std::string id,
                std::wstring text) const;
};

// The two OS families, each of which reads its own variants of the sections.
inline constexpr script::OsFamily kFamilies[] = {script::OsFamily::Nine, script::OsFamily::Nt};

// The directories of the machine that the checker imagines setup.exe on.
script::MacroValues typicalMachine(const std::wstring& setupFolder);

} // namespace parcelkit::checker
