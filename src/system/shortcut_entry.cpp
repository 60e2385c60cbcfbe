#include "system/shortcut_entry.hpp"

#include "base/error.hpp"
#include "base/escapes.hpp"

#include <array>
#include <climits>
#include <cwctype>
#include <vector>

namespace parcelkit::system {

namespace {

struct FolderWord {
    std::wstring_view word;
    ShortcutBase::Kind kind;
    int ntCsidl;
    int otherCsidl;
};

using Kind = ShortcutBase::Kind;

constexpr std::array<FolderWord, 18> kFolderWords{{
    {L"DESKTOP", Kind::Special, 0x00, 0x00},
    {L"DESKTOPDIRECTORY", Kind::Special, 0x10, 0x10},
    {L"FONTS", Kind::Special, 0x14, 0x14},
    {L"PERSONAL", Kind::Special, 0x05, 0x05},
    {L"PROGRAMS", Kind::Special, 0x02, 0x02},
    {L"STARTMENU", Kind::Special, 0x0B, 0x0B},
    {L"STARTUP", Kind::Special, 0x07, 0x07},
    {L"FAVORITES", Kind::Special, 0x06, 0x06},
    {L"SENDTO", Kind::Special, 0x09, 0x09},
    {L"APPDATA", Kind::Special, 0x1A, 0x1A},
    {L"QUICK_LAUNCH", Kind::QuickLaunch, 0x1A, 0x1A},
    {L"COMMON_DESKTOPDIRECTORY", Kind::Special, 0x19, 0x00},
    {L"COMMON_FAVORITES", Kind::Special, 0x1F, 0x06},
    {L"COMMON_PROGRAMS", Kind::Special, 0x17, 0x02},
    {L"COMMON_STARTMENU", Kind::Special, 0x16, 0x0B},
    {L"COMMON_STARTUP", Kind::Special, 0x18, 0x07},
    {L"ALLUSERS", Kind::AllUsers, 0, 0},
    {L"USER", Kind::User, 0, 0},
}};

constexpr std::wstring_view kDescriptionMarker = L"DESC:";

std::wstring upper(std::wstring_view text) {
    std::wstring result(text);
    for (auto& c : result) {
        c = wchar_t(std::towupper(std::wint_t(c)));
    }
    return result;
}

bool isDescription(const std::wstring& field) {
    return upper(std::wstring_view(field).substr(0, kDescriptionMarker.size())) ==
           kDescriptionMarker;
}

// Target, working directory, arguments and the description field from the fields that
// the author gave: a "DESC:" field may end a shorter list early.
std::array<std::wstring, 4> completeValueFields(const std::vector<std::wstring>& fields) {
    const std::wstring marker(kDescriptionMarker);
    switch (fields.size()) {
    case 1:
        return {fields[0], L"", L"", marker};
    case 2:
        if (isDescription(fields[1])) {
            return {fields[0], L"", L"", fields[1]};
        }
        return {fields[0], fields[1], L"", marker};
    case 3:
        if (isDescription(fields[2])) {
            return {fields[0], fields[1], L"", fields[2]};
        }
        return {fields[0], fields[1], fields[2], marker};
    default:
        return {fields[0], fields[1], fields[2], fields[3]};
    }
}

// A signed 32-bit decimal number, blanks around it allowed; nullopt for anything else.
std::optional<int> wholeNumber(const std::wstring& text) {
    std::size_t i = text.find_first_not_of(L' ');
    std::size_t last = text.find_last_not_of(L' ');
    if (i == std::wstring::npos) {
        return std::nullopt;
    }
    const bool negative = text[i] == L'-';
    if (text[i] == L'-' || text[i] == L'+') {
        ++i;
    }
    if (i > last) {
        return std::nullopt;
    }
    long long value = 0;
    for (; i <= last; ++i) {
        if (text[i] < L'0' || text[i] > L'9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value > INT_MAX) {
        return std::nullopt;
    }
    return int(value);
}

} // namespace

std::vector<std::wstring> shortcutFolderWords() {
    std::vector<std::wstring> words;
    for (const auto& entry : kFolderWords) {
        words.emplace_back(entry.word);
    }
    return words;
}

std::optional<ShortcutBase> shortcutBase(std::wstring_view folderWord, script::OsFamily ostype) {
    const std::wstring word = upper(folderWord);
    for (const auto& entry : kFolderWords) {
        if (entry.word == word) {
            return ShortcutBase{entry.kind,
                                ostype == script::OsFamily::Nt ? entry.ntCsidl : entry.otherCsidl};
        }
    }
    return std::nullopt;
}

std::optional<ShortcutEntry> readShortcutEntry(std::wstring_view line,
                                               const script::MacroValues& dirs,
                                               const platform::FileSystem& files) {
    std::wstring valueSide(line);
    const std::wstring keySide =
        script::extpath(base::parse(valueSide, L"="), script::MacroForm::Plain, dirs, files);
    std::vector<std::wstring> keyFields;
    std::vector<std::wstring> valueFields;
    base::extstring(L"|", keySide, keyFields);
    base::extstring(L"|", valueSide, valueFields);
    if (keyFields.size() < 2 || valueFields.empty()) {
        return std::nullopt;
    }
    keyFields.resize(std::max<std::size_t>(keyFields.size(), 5));
    const auto value = completeValueFields(valueFields);
    const auto plain = [&](const std::wstring& field) {
        return base::extstr(script::extpath(field, script::MacroForm::Plain, dirs, files));
    };

    ShortcutEntry entry;
    entry.name = base::extstr(keyFields[0]);
    // The name is a file name: a path in it would put the link outside its folder, and the
    // other characters that no file name takes would make a link that cannot be saved.
    if (entry.name.find_first_of(L"\\/:*?\"<>|") != std::wstring::npos) {
        return std::nullopt;
    }
    entry.folderWord = upper(keyFields[1]);
    // Decoded like every other field: a tag's "<" and ">" cannot stand in a folder name.
    entry.subfolder = base::extstr(keyFields[2]);
    entry.iconFile = base::extstr(keyFields[3]);
    const std::wstring index = keyFields[4].empty() ? L"0" : base::extstr(keyFields[4]);
    const auto number = wholeNumber(index);
    if (!number) {
        throw base::Error(L"Shortcut " + entry.name, index,
                          L"'" + index + L"' is not a valid integer value");
    }
    entry.iconIndex = *number;
    entry.target = plain(value[0]);
    entry.workingDirectory = plain(value[1]);
    entry.arguments =
        base::extstr(script::extpath(value[2], script::MacroForm::ShortName, dirs, files));
    entry.description = base::extstr(value[3].size() > kDescriptionMarker.size()
                                         ? value[3].substr(kDescriptionMarker.size())
                                         : L"");
    return entry;
}

} // namespace parcelkit::system
