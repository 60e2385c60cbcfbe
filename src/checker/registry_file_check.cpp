#include "checker/registry_file_check.hpp"

#include "base/text.hpp"
#include "checker/registry_syntax.hpp"
#include "checker/text_form_check.hpp"
#include "system/registry_files.hpp"

namespace parcelkit::checker {

void checkRegistryFile(const CheckContext& context, const std::wstring& path, bool undo) {
    const ScriptFile file(context.folder, path);
    checkTextForm(context, file, TextKind::RegistryFile);
    const auto lines =
        system::registryFileLines(context.dirs, context.folder.files, context.folder.bytes, path);
    if (!lines) {
        return;
    }
    for (const auto& problem : registrySyntaxProblems(*lines)) {
        context.report(file, problem.line, problem.severity, problem.id, problem.text);
    }
    if (!undo) {
        return;
    }
    if (lines->size() < 2) {
        context.report(file, 1, Severity::Warning, "undo-file-short",
                       L"the undo file has no line after its header: setup.exe adds nothing of "
                       L"it to unreg.reg");
    } else if (!base::trimBlanks((*lines)[1]).empty()) {
        context.report(file, 2, Severity::Warning, "undo-file-second-line",
                       L"the second line of an undo file must be empty: setup.exe puts the "
                       L"component's begin mark after it, so this line falls outside the "
                       L"component's block in unreg.reg");
    }
}

} // namespace parcelkit::checker
