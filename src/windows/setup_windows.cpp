#include "windows/setup_windows.hpp"

#include "platform/win32/message_pump_win32.hpp"

namespace parcelkit::windows {

Win32ProgramWindows::Win32ProgramWindows() : wizard_(richText_.className()) {}

void Win32ProgramWindows::connect(presenters::LanguageDialogPresenter& dialog,
                                  presenters::WizardPresenter& wizard,
                                  components::ComponentPage& components,
                                  presenters::FailureReport report) {
    dialog_.connect(dialog, report);
    wizard_.connect(wizard, components, std::move(report));
}

void Win32ProgramWindows::endProgram() {
    ending_ = true;
    // Wakes the loop if it waits for a message.
    ::PostMessageW(dialog_.hwnd(), WM_NULL, 0, 0);
}

void Win32ProgramWindows::runMessageLoop() {
    if (ending_) {
        return;
    }
    dialog_.showUnlessHidden();
    MSG message{};
    while (!ending_ && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        win32::dispatch(message);
    }
}

} // namespace parcelkit::windows
