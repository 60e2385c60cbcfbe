#include "engine/version_compare.hpp"

namespace parcelkit::engine {

namespace {

constexpr std::uint64_t kTicksPerMillisecond = 10'000;
constexpr std::uint64_t kMillisecondsPerDay = 86'400'000;
// From 1601-01-01, where file times start, to 1970-01-01, where the civil-date
// arithmetic below is anchored.
constexpr std::int64_t kDaysFrom1601To1970 = 134'774;

struct CivilDate {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

// Proleptic Gregorian date of a day counted from 1970-01-01 (H. Hinnant's algorithm).
CivilDate civilFromDays(std::int64_t days) {
    days += 719'468;
    const std::int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146'097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1'460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153; // March is 0
    const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const std::int64_t year = std::int64_t(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

int order(unsigned a, unsigned b) {
    return a > b ? 1 : a < b ? -1 : 0;
}

} // namespace

SystemTime toSystemTime(platform::FileTime time) {
    const std::uint64_t total = time / kTicksPerMillisecond;
    const std::uint64_t days = total / kMillisecondsPerDay;
    std::uint64_t inDay = total % kMillisecondsPerDay;
    const CivilDate date = civilFromDays(std::int64_t(days) - kDaysFrom1601To1970);

    SystemTime s;
    // The largest file time falls in the year 60056, which still fits.
    s.year = std::uint16_t(date.year);
    s.month = std::uint16_t(date.month);
    s.day = std::uint16_t(date.day);
    s.dayOfWeek = std::uint16_t((days + 1) % 7); // 1601-01-01 was a Monday
    s.milliseconds = std::uint16_t(inDay % 1000);
    inDay /= 1000;
    s.second = std::uint16_t(inDay % 60);
    inDay /= 60;
    s.minute = std::uint16_t(inDay % 60);
    s.hour = std::uint16_t(inDay / 60);
    return s;
}

platform::FileVersion ReadFileVersion(const platform::VersionInfo& versions,
                                      const std::wstring& path) {
    return versions.fileVersion(path).value_or(platform::FileVersion{0, 0, 0, 0});
}

bool VerCheck(const platform::VersionInfo& versions, const platform::FileSystem& files,
              const std::wstring& target, const std::wstring& source) {
    const platform::FileVersion installed = ReadFileVersion(versions, target);
    const platform::FileVersion offered = ReadFileVersion(versions, source);
    for (std::size_t part = 0; part < installed.size(); ++part) {
        if (offered[part] != installed[part]) {
            return offered[part] > installed[part];
        }
    }
    const auto sourceTime = files.lastWriteTime(source);
    const auto targetTime = files.lastWriteTime(target);
    if (!sourceTime) {
        return false; // nothing to install from
    }
    if (!targetTime) {
        return true; // nothing worth keeping
    }
    return FileTimeCompare(*sourceTime, *targetTime) == 1;
}

int FileTimeCompare(platform::FileTime t1, platform::FileTime t2) {
    return CompareSystemTime(toSystemTime(t1), toSystemTime(t2));
}

int CompareSystemTime(const SystemTime& s1, const SystemTime& s2) {
    const std::uint16_t SystemTime::*const fields[] = {
        &SystemTime::year,   &SystemTime::month,  &SystemTime::day,         &SystemTime::hour,
        &SystemTime::minute, &SystemTime::second, &SystemTime::milliseconds};
    for (const auto field : fields) {
        if (const int result = order(s1.*field, s2.*field); result != 0) {
            return result;
        }
    }
    return 0;
}

} // namespace parcelkit::engine
