#pragma once

namespace parcelkit::model {

// Set when the user abandons the installation while it runs.
class StopRequest {
public:
    bool requested() const { return requested_; }
    void request() { requested_ = true; }
    void clear() { requested_ = false; }

private:
    bool requested_ = false;
};

// The steps of the component model and the installation engine that the wizard starts.
class InstallSteps {
public:
    virtual ~InstallSteps() = default;

    // Builds the component tree from the component folders. False when there is nothing
    // to install: the step has told the user, and the wizard ends the program.
    virtual bool readlist() = 0;
    // Marks the components that are installed already.
    virtual void detect() = 0;
    // Looks for an earlier installation in the destination. False when the user chose to
    // end the program; the wizard then ends it.
    virtual bool Checksetup() = 0;
    // The whole installation. At every point where it lets the window process messages it
    // checks stop, and once that is requested it returns without touching the setup
    // script again: the wizard releases the script and closes when this returns.
    virtual void Install(const StopRequest& stop) = 0;
};

} // namespace parcelkit::model
