#include "windows/setup_windows.hpp"

#include "platform/win32/message_pump_win32.hpp"

namespace parcelkit::windows {

Win32ProgramWindows::Win32ProgramWindows()
    : dialog_(guard_), wizard_(richText_.className(), guard_) {}

Win32ProgramWindows::~Win32ProgramWindows() {
    // The presenters end with the program run, before the windows: the messages of the
    // windows' destruction must not reach them.
    guard_.disconnect();
}

void Win32ProgramWindows::connect(presenters::LanguageDialogPresenter& dialog,
                                  presenters::WizardPresenter& wizard,
                                  components::ComponentPage& components,
                                  presenters::FailureReport report) {
    dialog_.connect(dialog);
    wizard_.connect(wizard, components);
    // Opened last: every handler finds what it works on.
    guard_.connect(std::move(report), [this] { endProgram(); });
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
