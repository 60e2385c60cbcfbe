#include "checker/language_check.hpp"

#include "model/messages.hpp"

#include <vector>

namespace parcelkit::checker {

namespace {

struct PageTitle {
    model::Message message;
    const wchar_t* page;
};

class LanguageCheck {
public:
    LanguageCheck(const CheckContext& context, const ScriptFile& file, const std::wstring& section)
        : context_(context), file_(file), section_(section), texts_(file.profile(), section) {}

    void pageTitles(bool setupMode) {
        using namespace model::msg;
        // The first three are the ones the wizard recognises its pages by.
        const std::vector<PageTitle> titles{
            {ReadmeTitle, L"readme"},
            {DestinationTitle, L"destination"},
            {SettingsTitle, L"components"},
            {setupMode ? InstallCaption : UpdateCaption, L"installing"},
            {FinishTitle, L"finish"},
        };
        for (std::size_t i = 0; i < titles.size(); ++i) {
            for (std::size_t j = 0; j < i && j < 3; ++j) {
                const std::wstring text = texts_.text(titles[i].message);
                if (text != texts_.text(titles[j].message)) {
                    continue;
                }
                report(lineOf(titles[i].message), Severity::Error, "page-titles",
                       L"messages " + std::wstring(titles[j].message.key) + L" and " +
                           std::wstring(titles[i].message.key) + L" are both '" + text +
                           L"': the wizard tells its pages apart by their titles, so the " +
                           titles[i].page + L" page is taken for the " + titles[j].page + L" page");
            }
        }
        if (texts_.text(FinishButton) == texts_.text(Exit)) {
            report(lineOf(FinishButton), Severity::Error, "finish-exit",
                   L"messages 4 (Exit) and 28 (Finish) are both '" + texts_.text(Exit) +
                       L"': the wizard takes its Exit button for the Finish button and closes "
                       L"without asking");
        }
    }

    void installedProgramsValues() {
        // What deployment tools and the control panel read of an installed product.
        // Without a language file the product name comes from [main] and is checked there.
        for (const wchar_t* key : {L"name", L"DisplayVersion", L"Publisher"}) {
            if (!texts_.value(key, L"").empty() ||
                (!context_.languageFile() && std::wstring_view(key) == L"name")) {
                continue;
            }
            report(file_.keyLine(section_, key), Severity::Warning, "installed-programs-empty",
                   L"'" + std::wstring(key) + L"' is missing or empty in [" + section_ +
                       L"]: the installed-programs entry is written without it, and "
                       L"deployment tools that read the entry find nothing");
        }
    }

    void readme(const std::wstring& name) {
        const bool absolute = name.find(L':') != std::wstring::npos || name.rfind(L"\\\\", 0) == 0;
        if (absolute || context_.folder.files.fileExists(context_.folder.root + L"\\" + name)) {
            return;
        }
        report(file_.keyLine(section_, L"readme"), Severity::Warning, "readme-missing",
               L"readme '" + name +
                   L"' is not in the setup folder: the wizard's first page stays empty");
    }

    const model::MessageTexts& texts() const { return texts_; }

private:
    std::size_t lineOf(const model::Message& message) const {
        return file_.keyLine(section_, std::wstring(message.key));
    }
    void report(std::size_t line, Severity severity, std::string id, std::wstring text) const {
        context_.report(file_, line, severity, std::move(id), std::move(text));
    }

    const CheckContext& context_;
    const ScriptFile& file_;
    std::wstring section_;
    model::MessageTexts texts_;
};

} // namespace

void checkLanguageSection(const CheckContext& context, const ScriptFile& file,
                          const std::wstring& section, bool setupMode) {
    LanguageCheck check(context, file, section);
    check.pageTitles(setupMode);
    check.installedProgramsValues();
    if (context.languageFile()) {
        check.readme(check.texts().value(L"readme", L"readme.txt"));
    }
}

} // namespace parcelkit::checker
