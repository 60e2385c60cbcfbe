// Drives a program under test inside Wine: starts it, answers its message boxes in the
// order given, and reports each box and the exit code on standard output in UTF-8:
//
//   pkdriver <answers> <program> [arguments...]
//
// <answers> is a comma-separated list of ok, yes, no (or "-" for none). Each box is
// printed as "BOX <caption>\t<text>" before it is answered; the last line is
// "EXIT <code>"; backslashes, tabs and line breaks in texts are written as \\, \t, \r, \n.
// A box that finds no answer left makes the driver end the program and
// exit with 2, so that a test never waits for a person.
//
// Two more kinds of step act on the program's own windows while no box is open:
// "click:<text>" waits until a visible, enabled button with exactly that text exists and
// clicks it; "texts" prints every visible control of the program's visible windows as
// "TEXT <window caption>\t<class>\t<text>". A box that appears when the next step is one
// of these also ends the run with 2.
//
// The tree view steps: "tree" prints every item of the visible tree view with its depth,
// text, state image and boldness (tree_steps.hpp); "check:<text>" clicks the check box of
// the item with that text; "hover:<text>" moves the pointer over it, "hover:" over the
// empty space below the items; "space" presses and releases the Space key in the tree,
// "rclick" the right mouse button in its middle. "snap" prints "SNAP" and waits for a line on
// standard input: the runner takes a screenshot meanwhile.
//
// "combo" prints the lines of the visible drop-down list as "COMBO" followed by one
// "LINE <index>\t<text>[\tselected]" per line. "esc" presses and releases Esc in the
// program's window, which a dialog turns into its cancel command. "wait:<text>" waits, like
// "click:", for such a button, without clicking it: a page that has come.
//
// The layout, resolution, keyboard and focus steps ("fonts:", "layout", "dpi:", "key:",
// "focus") are described
// in window_steps.hpp, the screen reader's view of the tree ("acc") in
// accessibility_steps.hpp. The driver is DPI-aware: it sees what the screen shows.
#include "accessibility_steps.hpp"
#include "driver_io.hpp"
#include "tree_steps.hpp"
#include "window_steps.hpp"

#include <windows.h>

#include <objbase.h>

#include <string>
#include <vector>

namespace {

using pkdriver::className;
using pkdriver::escaped;
using pkdriver::windowText;
using pkdriver::writeUtf8;

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, int(std::size(className)));
    if (pid == search->processId && std::wstring(className) == L"#32770" &&
        ::IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct Controls {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK collectChild(HWND window, LPARAM param) {
    if (::IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    }
    return TRUE;
}

// Visible controls of the program's visible top-level windows other than boxes.
BOOL CALLBACK collectOwnWindow(HWND window, LPARAM param) {
    auto* controls = reinterpret_cast<Controls*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, int(std::size(className)));
    if (pid == controls->processId && std::wstring(className) != L"#32770" &&
        ::IsWindowVisible(window)) {
        ::EnumChildWindows(window, collectChild, reinterpret_cast<LPARAM>(&controls->windows));
    }
    return TRUE;
}

std::vector<HWND> visibleControls(DWORD processId) {
    Controls controls{processId, {}};
    ::EnumWindows(collectOwnWindow, reinterpret_cast<LPARAM>(&controls));
    return controls.windows;
}

bool startsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool printCombo(const std::vector<HWND>& controls) {
    for (const HWND control : controls) {
        if (_wcsicmp(className(control).c_str(), L"ComboBox") != 0) {
            continue;
        }
        const auto count = ::SendMessageW(control, CB_GETCOUNT, 0, 0);
        const auto selected = ::SendMessageW(control, CB_GETCURSEL, 0, 0);
        writeUtf8(L"COMBO\n");
        for (LRESULT i = 0; i < count; ++i) {
            const auto length = ::SendMessageW(control, CB_GETLBTEXTLEN, WPARAM(i), 0);
            std::vector<wchar_t> buffer(std::size_t(length < 0 ? 0 : length) + 1);
            ::SendMessageW(control, CB_GETLBTEXT, WPARAM(i), LPARAM(buffer.data()));
            writeUtf8(L"LINE " + std::to_wstring(i) + L"\t" + escaped(buffer.data()) +
                      (i == selected ? L"\tselected" : L"") + L"\n");
        }
        return true;
    }
    return false;
}

bool pressEscape(const std::vector<HWND>& controls) {
    if (controls.empty()) {
        return false;
    }
    const UINT scan = ::MapVirtualKeyW(VK_ESCAPE, MAPVK_VK_TO_VSC);
    ::PostMessageW(controls.front(), WM_KEYDOWN, VK_ESCAPE, LPARAM(1 | (scan << 16)));
    ::PostMessageW(controls.front(), WM_KEYUP, VK_ESCAPE, LPARAM(1 | (scan << 16) | (3U << 30)));
    return true;
}

// True once the step is done.
bool runStep(const std::wstring& step, DWORD processId, DWORD threadId, HANDLE process) {
    const auto controls = visibleControls(processId);
    if (step == L"tree") {
        return pkdriver::printTree(process, controls);
    }
    if (step == L"acc") {
        return pkdriver::printAccessibleTree(controls);
    }
    if (step == L"layout") {
        if (!pkdriver::printLayout(process, controls)) {
            return false;
        }
        pkdriver::printCheckImageWidth(process, controls);
        return true;
    }
    if (startsWith(step, L"fonts:")) {
        pkdriver::setFonts(step.substr(6));
        return true;
    }
    if (startsWith(step, L"dpi:")) {
        return pkdriver::announceDpi(process, controls, std::stoi(step.substr(4)));
    }
    if (startsWith(step, L"key:")) {
        return !controls.empty() && pkdriver::pressKeys(step.substr(4));
    }
    if (step == L"focus") {
        return pkdriver::printFocus(threadId);
    }
    if (step == L"combo") {
        return printCombo(controls);
    }
    if (step == L"esc") {
        return pressEscape(controls);
    }
    if (step == L"snap") {
        if (controls.empty()) {
            return false;
        }
        writeUtf8(L"SNAP\n");
        char line[16] = {};
        DWORD read = 0;
        ::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), line, sizeof line, &read, nullptr);
        return true;
    }
    if (startsWith(step, L"check:")) {
        return pkdriver::clickCheckBox(process, controls, step.substr(6));
    }
    if (startsWith(step, L"hover:")) {
        return pkdriver::hoverItem(process, controls, step.substr(6));
    }
    if (step == L"space") {
        return pkdriver::pressSpace(controls);
    }
    if (step == L"rclick") {
        return pkdriver::rightClick(controls);
    }
    if (step == L"texts") {
        // Nothing to show yet: the program's windows are still to appear.
        if (controls.empty()) {
            return false;
        }
        for (const HWND control : controls) {
            writeUtf8(L"TEXT " + escaped(windowText(::GetAncestor(control, GA_ROOT))) + L"\t" +
                      className(control) + L"\t" + escaped(windowText(control)) + L"\n");
        }
        return true;
    }
    const bool click = startsWith(step, L"click:");
    const std::wstring wanted =
        step.substr(click ? std::wstring(L"click:").size() : std::wstring(L"wait:").size());
    for (const HWND control : controls) {
        if (_wcsicmp(className(control).c_str(), L"Button") == 0 && ::IsWindowEnabled(control) &&
            windowText(control) == wanted) {
            if (click) {
                // Posted, not sent: the button's handler may open a modal box.
                ::PostMessageW(control, BM_CLICK, 0, 0);
            }
            return true;
        }
    }
    return false;
}

bool isWindowStep(const std::wstring& step) {
    return step == L"texts" || step == L"tree" || step == L"snap" || step == L"space" ||
           step == L"combo" || step == L"esc" || step == L"rclick" || step == L"acc" ||
           step == L"layout" || step == L"focus" || startsWith(step, L"click:") ||
           startsWith(step, L"wait:") || startsWith(step, L"check:") ||
           startsWith(step, L"hover:") || startsWith(step, L"fonts:") ||
           startsWith(step, L"key:") || startsWith(step, L"dpi:");
}

// "default" presses what Enter would: the box's default button.
int buttonFor(HWND box, const std::wstring& answer) {
    if (answer == L"yes") {
        return IDYES;
    }
    if (answer == L"no") {
        return IDNO;
    }
    if (answer == L"default") {
        for (const int id : {IDOK, IDYES, IDNO, IDCANCEL}) {
            const HWND button = ::GetDlgItem(box, id);
            if (button != nullptr &&
                (::GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                return id;
            }
        }
    }
    return IDOK;
}

std::wstring quoted(const std::wstring& arg) {
    return arg.find_first_of(L" \t\"") == std::wstring::npos ? arg : L"\"" + arg + L"\"";
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        writeUtf8(L"usage: pkdriver <answers> <program> [arguments...]\n");
        return 2;
    }
    std::vector<std::wstring> answers;
    for (std::wstring list = argv[1]; !list.empty() && list != L"-";) {
        const auto comma = list.find(L',');
        answers.push_back(list.substr(0, comma));
        list = comma == std::wstring::npos ? L"" : list.substr(comma + 1);
    }
    // The program under test is DPI-aware: so is its driver, or the system would scale what
    // the driver sees. The accessibility step makes COM calls into the program.
    ::SetProcessDPIAware();
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring commandLine = quoted(argv[2]);
    for (int i = 3; i < argc; ++i) {
        commandLine += L" " + std::wstring(argv[i]);
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info)) {
        writeUtf8(L"cannot start " + commandLine + L"\n");
        return 2;
    }
    ::CloseHandle(info.hThread);

    std::size_t next = 0;
    HWND answered = nullptr;
    while (::WaitForSingleObject(info.hProcess, 50) == WAIT_TIMEOUT) {
        Search search{info.dwProcessId, nullptr};
        ::EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr || search.found == answered) {
            if (search.found == nullptr && next < answers.size() && isWindowStep(answers[next]) &&
                runStep(answers[next], info.dwProcessId, info.dwThreadId, info.hProcess)) {
                ++next;
                // The click's effects come first: the next step looks at what follows.
                ::Sleep(200);
            }
            continue;
        }
        const HWND text = ::GetDlgItem(search.found, 0xFFFF);
        writeUtf8(L"BOX " + escaped(windowText(search.found)) + L"\t" +
                  escaped(text != nullptr ? windowText(text) : L"") + L"\n");
        if (next == answers.size() || isWindowStep(answers[next])) {
            writeUtf8(L"no answer left for this box\n");
            ::TerminateProcess(info.hProcess, 3);
            ::CloseHandle(info.hProcess);
            return 2;
        }
        const HWND button = ::GetDlgItem(search.found, buttonFor(search.found, answers[next++]));
        // Posted, not sent: the button's handler may open the next modal box.
        ::PostMessageW(button != nullptr ? button : search.found, BM_CLICK, 0, 0);
        answered = search.found;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(info.hProcess, &code);
    ::CloseHandle(info.hProcess);
    writeUtf8(L"EXIT " + std::to_wstring(code) + L"\n");
    return 0;
}
