#include "model/font_choice.hpp"
#include "presenters/language_dialog.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "presenters/wizard_view.hpp"
#include "platform/platform.hpp"
#include "script/section_variants.hpp"

namespace parcelkit::app {

namespace {

bool isAbsolutePath(const std::wstring& path) {
    return (path.size() >= 2 && path[1] == L':') || (!path.empty() && path[0] == L'\\');
}

} // namespace

void LanguageDialogPresenter::setlanguage() {
    const MessageTexts texts = language_.texts();
    wizardView_.setFont(readFont(texts, L"宋体"));
    wizardView_.setCaption(texts.text(setupmode_ ? msg::InstallCaption : msg::UpdateCaption));

    const struct {
        WizardControl control;
        Message message;
    } controlTexts[] = {
        {WizardControl::Button2, msg::Back},
        {WizardControl::Button1, msg::Next},
        {WizardControl::Button_exit, msg::Exit},
        {WizardControl::Button_dir, msg::Browse},
        {WizardControl::Label2, msg::ReadmeLabel},
        {WizardControl::Label3, msg::ReadmeSubtitle},
        {WizardControl::Label4, msg::CopyingLine},
        {WizardControl::Label5, msg::WaitLine},
        {WizardControl::CheckBox1, msg::NoInstalledWarning},
        {WizardControl::GroupBox1, msg::DestinationTitle},
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

} // namespace parcelkit::app
