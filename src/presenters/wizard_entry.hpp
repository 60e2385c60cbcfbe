#pragma once

namespace parcelkit::presenters {

// The wizard as the language dialog hands over to it.
class WizardEntry {
public:
    virtual ~WizardEntry() = default;
    // Shows the wizard; its activation step follows.
    virtual void enter() = 0;
};

} // namespace parcelkit::presenters
