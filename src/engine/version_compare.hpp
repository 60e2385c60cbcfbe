#pragma once

#include "platform/file_system.hpp"
#include "platform/version_info.hpp"

#include <cstdint>
#include <string>

namespace parcelkit::engine {

// A time stamp in calendar fields, coordinated universal time.
struct SystemTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;     // 1 to 12
    std::uint16_t dayOfWeek = 0; // 0 Sunday to 6 Saturday
    std::uint16_t day = 0;       // 1 to 31
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};

// Calendar fields of a file time, without conversion to local time; finer than a
// millisecond is dropped.
SystemTime toSystemTime(platform::FileTime time);

// The file version a.b.c.d of the fixed version block; 0.0.0.0 without a version resource.
platform::FileVersion ReadFileVersion(const platform::VersionInfo& versions,
                                      const std::wstring& path);

// True when the source is to replace the existing target: a higher file version, or the
// same version and a later last-write time (to the millisecond).
bool VerCheck(const platform::VersionInfo& versions, const platform::FileSystem& files,
              const std::wstring& target, const std::wstring& source);

// 1 when t1 is later, -1 when earlier, 0 when both fall in the same millisecond.
int FileTimeCompare(platform::FileTime t1, platform::FileTime t2);

// 1 when s1 is later, -1 when earlier, 0 when equal; the day of the week is not compared.
int CompareSystemTime(const SystemTime& s1, const SystemTime& s2);

} // namespace parcelkit::engine
