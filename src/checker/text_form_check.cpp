#include "checker/text_form_check.hpp"

#include "base/text.hpp"
#include "platform/profile.hpp"

#include <algorithm>

namespace parcelkit::checker {

namespace {

bool startsWith(const std::string& bytes, std::string_view mark) {
    return bytes.compare(0, mark.size(), mark) == 0;
}

// The number of the line that holds the character at offset.
std::size_t lineAt(const std::wstring& text, std::size_t offset) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == L'\n' ||
            (text[i] == L'\r' && (i + 1 >= text.size() || text[i + 1] != L'\n'))) {
            ++line;
        }
    }
    return line;
}

void checkEncoding(const CheckContext& context, const ScriptFile& file, TextKind kind) {
    const std::string& bytes = file.bytes();
    if (startsWith(bytes, "\xFF\xFE")) {
        return;
    }
    const bool utf8Mark = startsWith(bytes, "\xEF\xBB\xBF");
    if (utf8Mark && kind == TextKind::Profile) {
        context.report(file, 1, Severity::Warning, "utf8-mark",
                       L"UTF-8 byte-order mark: Windows reads an INI file only with the UTF-16 "
                       L"mark as Unicode, and takes these three bytes for text of the first line; "
                       L"save it as UTF-16 LE");
        return;
    }
    if (utf8Mark || startsWith(bytes, "\xFE\xFF")) {
        return;
    }
    const std::wstring& text = file.text();
    const auto wide = std::find_if(text.begin(), text.end(), [](wchar_t c) { return c > 0x7F; });
    if (wide != text.end()) {
        context.report(file, lineAt(text, std::size_t(wide - text.begin())), Severity::Warning,
                       "non-ascii-ansi",
                       L"non-ASCII text in a file without the UTF-16 byte-order mark: Windows "
                       L"reads it in the ANSI code page of the user's system, so it survives only "
                       L"where that code page is the packager's; save the file as UTF-16 LE");
    }
}

void checkLineEnds(const CheckContext& context, const ScriptFile& file) {
    const std::wstring& text = file.text();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) {
            context.report(file, lineAt(text, i), Severity::Warning, "lf-line-ends",
                           L"line ends with LF only: Windows tools expect CR LF; save the file "
                           L"with CR LF line ends");
            return;
        }
    }
}

// The length of the value a lookup would return if it were not cut.
std::size_t unquotedLength(const std::wstring& written) {
    const bool quoted = written.size() >= 2 && (written[0] == L'"' || written[0] == L'\'') &&
                        written.back() == written[0];
    return quoted ? written.size() - 2 : written.size();
}

} // namespace

void checkTextForm(const CheckContext& context, const ScriptFile& file, TextKind kind) {
    checkEncoding(context, file, kind);
    checkLineEnds(context, file);
}

void checkProfileLayout(const CheckContext& context, const ScriptFile& file) {
    const auto& sections = file.document().sections();
    for (const auto& section : sections) {
        const auto* first = file.document().find(section.name);
        if (first != &section) {
            context.report(file, section.line, Severity::Warning, "repeated-section",
                           L"[" + section.name + L"] already begins in line " +
                               std::to_wstring(first->line) +
                               L": setup.exe reads only the first one and ignores this one's "
                               L"keys");
            continue;
        }
        for (auto entry = section.entries.begin(); entry != section.entries.end(); ++entry) {
            const auto earlier = std::find_if(section.entries.begin(), entry, [&](const auto& e) {
                return base::equalsIgnoreCase(e.key, entry->key);
            });
            if (earlier != entry) {
                context.report(file, entry->line, Severity::Warning, "repeated-key",
                               L"key '" + entry->key + L"' of [" + section.name +
                                   L"] already stands in line " + std::to_wstring(earlier->line) +
                                   L": setup.exe reads that line's value for both");
                continue;
            }
            if (unquotedLength(entry->value) > platform::kMaxProfileValue) {
                context.report(file, entry->line, Severity::Warning, "value-too-long",
                               L"the value of '" + entry->key + L"' is " +
                                   std::to_wstring(unquotedLength(entry->value)) +
                                   L" characters long: setup.exe reads only the first " +
                                   std::to_wstring(platform::kMaxProfileValue));
            }
        }
    }
}

} // namespace parcelkit::checker
