#include "presenters/language_dialog.hpp"

#include "base/escapes.hpp"
#include "model/font_choice.hpp"
#include "model/messages.hpp"
#include "model/startup.hpp"
#include "platform/platform.hpp"
#include "presenters/language_dialog_view.hpp"
#include "presenters/program_end.hpp"
#include "presenters/wizard_entry.hpp"

#include <algorithm>

namespace parcelkit::presenters {

namespace {

// The hand-over runs as soon as window messages are processed.
constexpr unsigned kHandOverDelay = 1;

// The preselected language comes first; the comparison is exact.
void moveToFront(std::vector<std::wstring>& sections, const std::wstring& langsection) {
    const auto found = std::find(sections.begin(), sections.end(), langsection);
    if (found != sections.end()) {
        std::rotate(sections.begin(), found, std::next(found));
    }
}

} // namespace

LanguageDialogPresenter::LanguageDialogPresenter(LanguageDialogView& view,
                                                 model::LanguageSource& language,
                                                 WizardView& wizardView, model::Session& session,
                                                 WizardEntry& wizard, ProgramEnd& end,
                                                 platform::Platform& platform)
    : view_(view), language_(language), wizardView_(wizardView), session_(session), wizard_(wizard),
      end_(end), platform_(platform) {}

std::wstring LanguageDialogPresenter::currentFile(const wchar_t* name) const {
    return platform_.files.currentDirectory() + L"\\" + name;
}

void LanguageDialogPresenter::FormCreate() {
    const std::wstring setupIni = currentFile(L"setup.ini");
    // Without a setup script the run goes on with every default.
    if (platform_.files.fileExists(setupIni)) {
        setupmode_ = model::readSetupMode(*platform_.profiles.open(setupIni));
    }
    language_ = model::chooseLanguageSource(platform_.files.currentDirectory(),
                                            platform_.system.systemLocale(), platform_.files,
                                            platform_.profiles);
    if (language_.offerDialog) {
        view_.centre();
        view_.stopTimer();
    } else {
        view_.placeOutOfSight();
        view_.armTimer(kHandOverDelay);
    }

    commandLine_ =
        model::readCommandLine(platform_.system.commandLine(), platform_.system.arguments());
    // The usage box speaks the system locale's language: the "id:" parameter is applied
    // only afterwards.
    if (commandLine_.usage) {
        showUsage();
    }

    const model::MessageTexts texts = language_.texts();
    view_.setFont(model::readFont(texts, L"Tahoma"));
    view_.setCaption(texts.text(model::msg::LanguageCaption));
    view_.setText(DialogControl::Label1, texts.text(model::msg::LanguagePrompt));
    view_.setText(DialogControl::Button1, texts.text(model::msg::LanguageOk));
    view_.setText(DialogControl::Button2, texts.text(model::msg::DialogCancel));

    langsections_ = language_.langfile->sectionNames();
    // An id whose section is missing is used as it is: the check for a missing section
    // has already run.
    if (commandLine_.languageId) {
        language_.langsection = *commandLine_.languageId;
    }
    moveToFront(langsections_, language_.langsection);
    fillLanguageList();

    if (commandLine_.silent) {
        view_.placeOutOfSight();
        view_.armTimer(kHandOverDelay);
    }
}

void LanguageDialogPresenter::showUsage() {
    view_.placeOutOfSight();
    view_.stopTimer();
    const model::MessageTexts texts = language_.texts();
    platform_.boxes.show(base::extstr(texts.text(model::msg::UsageText)),
                         texts.text(model::msg::UsageCaption), platform::BoxIcon::None,
                         platform::BoxButtons::Ok);
    end_.endProgram();
}

void LanguageDialogPresenter::fillLanguageList() {
    std::vector<std::wstring> names;
    names.reserve(langsections_.size());
    for (const auto& section : langsections_) {
        names.push_back(language_.langfile->readString(section, L"LanguageName", L""));
    }
    view_.fillList(names);
    if (!names.empty()) {
        view_.select(0);
    }
}

void LanguageDialogPresenter::Button1Click() {
    // With an empty list there is no line to take: the preselected section stays, and
    // the texts fall back to the built-in ones where it has none.
    if (platform_.files.fileExists(currentFile(L"language.ini"))) {
        const int selected = view_.selectedIndex();
        if (selected >= 0 && static_cast<std::size_t>(selected) < langsections_.size()) {
            language_.langsection = langsections_[static_cast<std::size_t>(selected)];
        }
    }
    handOver();
}

void LanguageDialogPresenter::Button2Click() {
    langsections_.clear();
    end_.endProgram();
}

void LanguageDialogPresenter::Timer1Timer() {
    // Stopped first: the hand-over may show message boxes, whose message loops would
    // deliver the timer again.
    view_.stopTimer();
    if (end_.ending()) {
        return;
    }
    handOver();
}

void LanguageDialogPresenter::handOver() {
    if (handedOver_) {
        return;
    }
    handedOver_ = true;
    view_.stopTimer();
    view_.hide();
    setlanguage();
    langsections_.clear();
    wizard_.enter();
}

} // namespace parcelkit::presenters
