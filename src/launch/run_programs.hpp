#pragma once

#include "platform/platform.hpp"
#include "script/path_macros.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace parcelkit::launch {

// The value side of a run entry: phase|when|wait|show, empty fields dropped. Fields that
// the entry does not name stay empty and so mean "not always", "no wait", "shown".
struct RunFlags {
    std::wstring phase; // "before" or "after"
    std::wstring when;  // "always": also in a run started with parameters
    std::wstring wait;  // "wait": until the program ends
    std::wstring show;  // "hide": without a window
};

// Three fields name no phase: they are when, wait and show of the "after" phase.
RunFlags readRunFlags(std::wstring_view valueSide);

// The command line of a program: a program path with a blank and no double quote is
// quoted; the parameters follow after one blank, never quoted.
std::wstring commandLineFor(const std::wstring& program, const std::wstring& parameters);

// Starts a program in a console of its own (none when hidden) and waits for it up to
// waitMilliseconds (platform::kWaitForever: without limit). True when it ended within the
// wait. A program still running is handed to handlePlace when one is given, else the
// installer lets go of it. A program that cannot be started gives false, silently.
bool ExecuteWait(platform::Processes& processes, const std::wstring& program,
                 const std::wstring& parameters, const std::wstring& workingDirectory,
                 int showState, std::uint32_t waitMilliseconds,
                 std::unique_ptr<platform::RunningProcess>* handlePlace = nullptr);

// Starts, in list order, the entries ("program|parameters|directory=phase|when|wait|show")
// of the given phase that apply to this run. The key side's three fields get their path
// macros expanded, then their escape tags decoded. Returns how many it started.
std::size_t runprg(const std::vector<std::wstring>& entries, std::wstring_view phase,
                   platform::Platform& platform, const script::MacroValues& dirs);

} // namespace parcelkit::launch
