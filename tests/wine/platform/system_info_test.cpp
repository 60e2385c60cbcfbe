#include "model/startup.hpp"
#include "platform/win32/system_info_win32.hpp"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>

// The harness runs this test once as is and once with Wine reporting Windows 98 to this
// program; PARCELKIT_EXPECT_FAMILY says which family it must then see.
TEST(Win32SystemInfo, ReportsTheFamilyWineWasAskedFor) {
    const char* expected = std::getenv("PARCELKIT_EXPECT_FAMILY");
    parcelkit::win32::Win32SystemInfo system;
    const auto family = parcelkit::model::osFamily(system.platformId());
    EXPECT_EQ(family, expected != nullptr && std::string(expected) == "98"
                          ? parcelkit::script::OsFamily::Nine
                          : parcelkit::script::OsFamily::Nt);
}

TEST(Win32SystemInfo, DirectoriesAndProfilesOfThePrefix) {
    parcelkit::win32::Win32SystemInfo system;
    EXPECT_EQ(system.windowsDirectory(), L"C:\\windows");
    EXPECT_FALSE(system.systemDirectory().empty());
    EXPECT_EQ(system.tempDirectory().back(), L'\\');
    EXPECT_FALSE(system.environment(L"userprofile").empty());
    EXPECT_TRUE(system.environment(L"PARCELKIT_SURELY_UNSET").empty());
    EXPECT_EQ(system.systemLocale(), 0x0409u);
}

namespace {

std::wstring dayText(unsigned year, unsigned month, unsigned day) {
    return std::to_wstring(year) + L"-" + std::to_wstring(month) + L"-" + std::to_wstring(day);
}

std::wstring runtimeToday() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return dayText(unsigned(local->tm_year + 1900), unsigned(local->tm_mon + 1),
                   unsigned(local->tm_mday));
}

} // namespace

// The C runtime's local date, read before and after: a midnight between them allows either.
TEST(Win32SystemInfo, TodayIsTheLocalDate) {
    parcelkit::win32::Win32SystemInfo system;
    const std::wstring before = runtimeToday();
    const auto today = system.localDate();
    const std::wstring after = runtimeToday();
    const std::wstring got = dayText(today.year, today.month, today.day);
    EXPECT_TRUE(got == before || got == after)
        << ::testing::PrintToString(got) << " " << ::testing::PrintToString(before);
}

TEST(Win32SystemInfo, ProgramDirectoryHoldsTheRunningProgram) {
    parcelkit::win32::Win32SystemInfo system;
    const std::wstring folder = system.programDirectory();
    ASSERT_GT(folder.size(), 3u);
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_TRUE(std::filesystem::is_regular_file(
        std::filesystem::path(folder + L"\\parcelkit_wine_tests.exe")));
}

TEST(Win32SystemInfo, ArgumentsFollowTheUsualQuotingRules) {
    parcelkit::win32::Win32SystemInfo system;
    const auto args = system.arguments();
    ASSERT_FALSE(args.empty());
    EXPECT_NE(system.commandLine().find(L"parcelkit_wine_tests"), std::wstring::npos);
}
