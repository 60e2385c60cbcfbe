#pragma once

#include "platform/system_info.hpp"

#include <map>

namespace parcelkit::doubles {

// A machine described by its fields; defaults look like an NT-family system under Wine.
struct FakeSystemInfo : platform::SystemInfo {
    unsigned id = 2;
    std::wstring windows = L"C:\\windows";
    std::wstring system = L"C:\\windows\\system32";
    std::wstring temp = L"C:\\users\\ann\\Temp\\";
    std::map<std::wstring, std::wstring> env{{L"ALLUSERSPROFILE", L"C:\\ProgramData"},
                                             {L"userprofile", L"C:\\users\\ann"}};
    std::uint32_t locale = 0x0409;
    std::wstring line = L"setup.exe";
    std::vector<std::wstring> args{L"setup.exe"};
    platform::Date today{2024, 3, 9};
    std::wstring programFolder = L"C:\\setup";

    unsigned platformId() const override { return id; }
    std::wstring windowsDirectory() const override { return windows; }
    std::wstring systemDirectory() const override { return system; }
    std::wstring tempDirectory() const override { return temp; }
    std::wstring environment(const std::wstring& name) const override {
        const auto it = env.find(name);
        return it == env.end() ? std::wstring() : it->second;
    }
    std::uint32_t systemLocale() const override { return locale; }
    std::wstring commandLine() const override { return line; }
    std::vector<std::wstring> arguments() const override { return args; }
    std::wstring programDirectory() const override { return programFolder; }
    platform::Date localDate() const override { return today; }
};

} // namespace parcelkit::doubles
