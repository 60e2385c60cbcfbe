#pragma once

#include "presenters/handler_guard.hpp"
#include "presenters/program_end.hpp"

namespace parcelkit::engine {
class SystemSteps;
}

namespace parcelkit::model {
class InstallView;
}

namespace parcelkit::platform {
class Collation;
struct Platform;
class Shutdown;
} // namespace parcelkit::platform

namespace parcelkit::components {
class ComponentPage;
class ComponentTreeView;
} // namespace parcelkit::components

namespace parcelkit::presenters {

class LanguageDialogPresenter;
class LanguageDialogView;
class WizardPresenter;
class WizardView;

// The program's two windows and its message loop, as the toolkit provides them. The
// windows exist before their presenters; once connected, each message becomes one call
// on a presenter. A call that fails is reported, and then the program ends.
class ProgramWindows : public ProgramEnd {
public:
    virtual WizardView& wizardView() = 0;
    virtual model::InstallView& installView() = 0;
    virtual LanguageDialogView& dialogView() = 0;
    virtual components::ComponentTreeView& componentTreeView() = 0;
    virtual void connect(LanguageDialogPresenter& dialog, WizardPresenter& wizard,
                         components::ComponentPage& components, FailureReport report) = 0;
    // Shows what start-up left visible and runs until the program's end was requested.
    virtual void runMessageLoop() = 0;
};

} // namespace parcelkit::presenters
