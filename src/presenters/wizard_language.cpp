#include "model/font_choice.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "platform/platform.hpp"
#include "presenters/language_dialog.hpp"
#include "presenters/wizard_view.hpp"
#include "script/section_variants.hpp"

namespace parcelkit::presenters {

namespace {

bool isAbsolutePath(const std::wstring& path) {
    return (path.size() >= 2 && path[1] == L':') || (!path.empty() && path[0] == L'\\');
}

} // namespace

void LanguageDialogPresenter::setlanguage() {
    const model::MessageTexts texts = language_.texts();
    wizardView_.setFont(model::readFont(texts, L"宋体"));
    wizardView_.setCaption(
        texts.text(setupmode_ ? model::msg::InstallCaption : model::msg::UpdateCaption));

    const struct {
        WizardControl control;
        model::Message message;
    } controlTexts[] = {
        {WizardControl::Button2, model::msg::Back},
        {WizardControl::Button1, model::msg::Next},
        {WizardControl::Button_exit, model::msg::Exit},
        {WizardControl::Button_dir, model::msg::Browse},
        {WizardControl::Label2, model::msg::ReadmeLabel},
        {WizardControl::Label3, model::msg::ReadmeSubtitle},
        {WizardControl::Label4, model::msg::CopyingLine},
        {WizardControl::Label5, model::msg::WaitLine},
        {WizardControl::CheckBox1, model::msg::NoInstalledWarning},
        {WizardControl::GroupBox1, model::msg::DestinationTitle},
    };
    for (const auto& [control, message] : controlTexts) {
        wizardView_.setText(control, texts.text(message));
    }

    const std::wstring branding = texts.value(L"brandingtext", L"");
    if (!branding.empty()) {
        wizardView_.setText(WizardControl::Label_Branding, branding);
    }

    // Without a language file the product's readme and name are the setup script's.
    std::wstring readme;
    std::wstring name;
    if (script::languageInUse(language_.langsection)) {
        readme = texts.value(L"readme", L"readme.txt");
        name = texts.value(L"name", L"Parcelkit");
    } else {
        const auto setupini = platform_.profiles.open(currentFile(L"setup.ini"));
        readme = setupini->readString(L"main", L"readme", L"readme.txt");
        name = setupini->readString(L"main", L"name", L"Parcelkit");
    }
    const std::wstring readmePath = isAbsolutePath(readme) ? readme : currentFile(readme.c_str());
    if (platform_.files.fileExists(readmePath)) {
        wizardView_.loadReadme(readmePath);
    }
    session_.dirs.setupname = name;
}

} // namespace parcelkit::presenters
