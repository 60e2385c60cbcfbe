#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace parcelkit::platform {

// A calendar day.
struct Date {
    unsigned year = 0;
    unsigned month = 0; // 1 to 12
    unsigned day = 0;   // 1 to 31
};

// Facts about the running system that start-up reads once.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    // Platform id as reported by the version call: 1 for the 9x family, 2 for NT.
    virtual unsigned platformId() const = 0;
    // Directories as the system reports them (a trailing backslash may be present).
    virtual std::wstring windowsDirectory() const = 0;
    virtual std::wstring systemDirectory() const = 0;
    virtual std::wstring tempDirectory() const = 0;
    // Empty when the variable is not set.
    virtual std::wstring environment(const std::wstring& name) const = 0;
    virtual std::uint32_t systemLocale() const = 0;
    // The whole command line, and the argument list under the usual quoting rules.
    virtual std::wstring commandLine() const = 0;
    virtual std::vector<std::wstring> arguments() const = 0;
    // The folder of the running program's file, without a trailing backslash unless it is
    // a drive's root ("C:\\": "C:" alone names the drive's current directory).
    virtual std::wstring programDirectory() const = 0;
    // Today in the machine's local time.
    virtual Date localDate() const = 0;
};

} // namespace parcelkit::platform
