#include "checker/check_context.hpp"

#include "script/section_variants.hpp"

namespace parcelkit::checker {

bool CheckContext::languageFile() const {
    return languages.empty() || script::languageInUse(languages.front());
}

void CheckContext::report(const ScriptFile& file, std::size_t line, Severity severity,
                          std::string id, std::wstring text) const {
    findings.add({file.shown(), line, severity, std::move(id), std::move(text)});
}

script::MacroValues typicalMachine(const std::wstring& setupFolder) {
    script::MacroValues dirs;
    dirs.windir = L"C:\\Windows";
    dirs.sysdir = L"C:\\Windows\\System32";
    dirs.tempdir = L"C:\\Users\\Packager\\AppData\\Local\\Temp";
    dirs.programfilesdir = L"C:\\Program Files";
    dirs.allusersdir = L"C:\\ProgramData";
    dirs.userdir = L"C:\\Users\\Packager";
    dirs.currentdir = setupFolder;
    return dirs;
}

} // namespace parcelkit::checker
