#pragma once

namespace parcelkit::presenters {

// The end of the program: the language dialog, the main window, closes. The end takes
// effect when the message loop runs next, so the current handler still finishes.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void endProgram() = 0;
    virtual bool ending() const = 0;
};

} // namespace parcelkit::presenters
