#include "presenters/program_start.hpp"

#include "presenters/language_dialog.hpp"
#include "presenters/wizard_presenter.hpp"

namespace parcelkit::presenters {

void startProgram(LanguageDialogPresenter& dialog, WizardPresenter& wizard) {
    dialog.FormCreate();
    wizard.FormCreate();
    if (dialog.commandLine().silent && !dialog.commandLine().usage) {
        // The language is applied before the installation starts, as the timer would do
        // in an interactive run; otherwise the product name and the texts would change
        // half-way through the installation.
        dialog.handOver();
        wizard.runSilently();
    }
}

} // namespace parcelkit::presenters
