#include "launch/run_programs.hpp"

#include "base/escapes.hpp"
#include "model/command_line.hpp"

#include <algorithm>

namespace parcelkit::launch {

namespace {

std::wstring expanded(std::wstring_view field, const script::MacroValues& dirs,
                      const platform::FileSystem& files) {
    return base::extstr(script::extpath(field, script::MacroForm::Plain, dirs, files));
}

} // namespace

RunFlags readRunFlags(std::wstring_view valueSide) {
    std::vector<std::wstring> fields;
    base::extstring(L"|", valueSide, fields);
    if (fields.size() == 3) {
        fields.insert(fields.begin(), L"after");
    }
    fields.resize(std::max<std::size_t>(fields.size(), 4));
    return {fields[0], fields[1], fields[2], fields[3]};
}

std::wstring commandLineFor(const std::wstring& program, const std::wstring& parameters) {
    std::wstring line = program;
    if (program.find(L' ') != std::wstring::npos && program.find(L'"') == std::wstring::npos) {
        line = L"\"" + program + L"\"";
    }
    if (!program.empty() && !parameters.empty()) {
        line += L" ";
    }
    return line + parameters;
}

bool ExecuteWait(platform::Processes& processes, const std::wstring& program,
                 const std::wstring& parameters, const std::wstring& workingDirectory,
                 int showState, std::uint32_t waitMilliseconds,
                 std::unique_ptr<platform::RunningProcess>* handlePlace) {
    if (handlePlace != nullptr) {
        handlePlace->reset();
    }
    platform::ProcessRequest request;
    request.commandLine = commandLineFor(program, parameters);
    request.workingDirectory = workingDirectory;
    request.showCommand = showState;
    request.creationFlags = platform::kCreateNewConsole;
    if (showState == platform::kShowHidden) {
        request.creationFlags |= platform::kCreateNoWindow;
    }
    request.waitMilliseconds = waitMilliseconds;
    auto outcome = processes.run(request);
    if (!outcome) {
        return false;
    }
    if (!outcome->ended && handlePlace != nullptr) {
        *handlePlace = std::move(outcome->running);
    }
    return outcome->ended;
}

std::size_t runprg(const std::vector<std::wstring>& entries, std::wstring_view phase,
                   platform::Platform& platform, const script::MacroValues& dirs) {
    const bool silent = model::startedWithArguments(platform.system);
    std::size_t started = 0;
    for (const auto& entry : entries) {
        std::wstring valueSide = entry;
        std::wstring keySide = base::parse(valueSide, L"=");
        const RunFlags flags = readRunFlags(valueSide);
        if (flags.phase != phase) {
            continue;
        }
        const std::wstring program = expanded(base::parse(keySide, L"|"), dirs, platform.files);
        const std::wstring parameters = expanded(base::parse(keySide, L"|"), dirs, platform.files);
        const std::wstring directory = expanded(keySide, dirs, platform.files);
        if (silent && flags.when != L"always") {
            continue;
        }
        ExecuteWait(platform.processes, program, parameters, directory,
                    flags.show == L"hide" ? platform::kShowHidden : platform::kShowNormal,
                    flags.wait == L"wait" ? platform::kWaitForever : 0);
        ++started;
    }
    return started;
}

} // namespace parcelkit::launch
