#include "engine/file_entry.hpp"

#include "base/escapes.hpp"

#include <vector>

namespace parcelkit::engine {

namespace {

RegistrationFlag registrationFlag(const std::wstring& text) {
    using Kind = RegistrationFlag::Kind;
    const Kind kind = text == L"1"   ? Kind::WhenCopied
                      : text == L"2" ? Kind::Shared
                      : text == L"3" ? Kind::Always
                                     : Kind::None;
    return {kind, text};
}

OverwriteMode overwriteMode(const std::wstring& text) {
    return text == L"0"   ? OverwriteMode::IfNewer
           : text == L"2" ? OverwriteMode::Always
                          : OverwriteMode::Never;
}

} // namespace

MalformedEntry::MalformedEntry(const std::wstring& componentFile, const std::wstring& entry,
                               const std::wstring& problem)
    : base::Error(L"Malformed file entry in", componentFile, L"\"" + entry + L"\": " + problem) {}

FileEntry readFileEntry(const std::wstring& line, const std::wstring& componentFile) {
    std::wstring valueSide = line;
    const std::wstring keySide = base::parse(valueSide, L"=");
    std::vector<std::wstring> sources;
    std::vector<std::wstring> targets;
    base::extstring(L",", keySide, sources);
    base::extstring(L",", valueSide, targets);
    if (sources.empty()) {
        throw MalformedEntry(componentFile, line, L"the entry names no source file.");
    }
    if (targets.empty()) {
        throw MalformedEntry(componentFile, line, L"the entry names no target directory.");
    }

    FileEntry entry;
    entry.source = base::extstr(sources[0]);
    if (sources.size() == 2) {
        entry.registration = registrationFlag(sources[1]);
    } else if (sources.size() >= 3) {
        entry.targetName = sources[1];
        entry.registration = registrationFlag(sources[2]);
    }
    entry.targetDirectory = base::extstr(targets[0]);
    entry.overwrite = overwriteMode(targets.size() >= 2 ? targets[1] : L"0");
    entry.recorded = targets.size() < 3 || targets[2] == L"0";
    return entry;
}

} // namespace parcelkit::engine
