#pragma once

namespace parcelkit::presenters {

class LanguageDialogPresenter;
class WizardPresenter;

// Program start before the message loop: the language dialog's creation, then the
// wizard's, and in silent mode the whole installation.
void startProgram(LanguageDialogPresenter& dialog, WizardPresenter& wizard);

} // namespace parcelkit::presenters
