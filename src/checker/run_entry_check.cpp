#include "base/escapes.hpp"
#include "base/text.hpp"
#include "checker/entry_checks.hpp"
#include "launch/run_programs.hpp"

#include <vector>

namespace parcelkit::checker {

namespace {

// A word that setup.exe compares exactly, written in another letter case.
bool miscased(const std::wstring& written, std::wstring_view word) {
    return written != word && base::equalsIgnoreCase(written, word);
}

void checkFlags(const CheckContext& context, const ScriptFile& file, std::size_t line,
                const std::wstring& valueSide) {
    std::vector<std::wstring> fields;
    base::extstring(L"|", valueSide, fields);
    const launch::RunFlags flags = launch::readRunFlags(valueSide);
    if (fields.size() != 3 && fields.size() != 4) {
        context.report(file, line, Severity::Warning, "run-flags",
                       L"the run entry's value side has " + std::to_wstring(fields.size()) +
                           L" fields: write phase|when|wait|show, e.g. after|always|wait|hide");
    }
    if (flags.phase != L"before" && flags.phase != L"after") {
        const bool cased = miscased(flags.phase, L"before") || miscased(flags.phase, L"after");
        context.report(file, line, Severity::Warning, "run-phase",
                       L"phase '" + flags.phase + L"' is neither 'before' nor 'after'" +
                           (cased ? L" (the words are compared in lower case)" : L"") +
                           L": setup.exe never runs the entry");
    }
    const struct {
        const std::wstring& written;
        std::wstring_view word;
        const wchar_t* meaning;
    } words[] = {{flags.when, L"always",
                  L"runs only when setup.exe was started without any "
                  L"parameter"},
                 {flags.wait, L"wait", L"setup.exe does not wait for it"},
                 {flags.show, L"hide", L"the program is shown"}};
    for (const auto& w : words) {
        if (miscased(w.written, w.word)) {
            context.report(file, line, Severity::Warning, "run-word-case",
                           L"'" + w.written + L"' is not '" + std::wstring(w.word) +
                               L"' (the words are compared in lower case): " + w.meaning);
        }
    }
}

} // namespace

void checkRunEntries(const CheckContext& context, const ScriptFile& file,
                     const std::wstring& section) {
    for (const auto& entry : file.listEntries(section)) {
        std::wstring valueSide = entry.line;
        std::wstring keySide = base::parse(valueSide, L"=");
        const std::wstring program = base::trimBlanks(base::parse(keySide, L"|"));
        if (program.empty()) {
            context.report(file, entry.lineNumber, Severity::Warning, "run-no-program",
                           L"the run entry names no program: setup.exe starts nothing for it, "
                           L"silently");
        }
        checkFlags(context, file, entry.lineNumber, valueSide);
    }
}

} // namespace parcelkit::checker
