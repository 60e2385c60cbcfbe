#include "engine/version_compare.hpp"
#include "fake_file_system.hpp"
#include "fake_version_info.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using engine::CompareSystemTime;
using engine::FileTimeCompare;
using engine::SystemTime;
using engine::toSystemTime;

namespace {

constexpr platform::FileTime kMillisecond = 10'000;
constexpr platform::FileTime kHour = 3'600'000 * kMillisecond;
constexpr platform::FileTime kSomeTime = 133'604'118'000'000'000; // 2024-05-17 09:30 UTC

void expectDate(platform::FileTime time, int year, int month, int day, int dayOfWeek) {
    const SystemTime s = toSystemTime(time);
    EXPECT_EQ(s.year, year);
    EXPECT_EQ(s.month, month);
    EXPECT_EQ(s.day, day);
    EXPECT_EQ(s.dayOfWeek, dayOfWeek);
}

} // namespace

TEST(FileTimeCalendar, DatesAndLeapYears) {
    expectDate(0, 1601, 1, 1, 1);
    expectDate(116'444'736'000'000'000, 1970, 1, 1, 4);
    expectDate(125'962'560'000'000'000, 2000, 2, 29, 2); // divisible by 400: leap
    expectDate(94'405'824'000'000'000, 1900, 3, 1, 4);   // divisible by 100: not leap
    expectDate(94'405'824'000'000'000 - kMillisecond, 1900, 2, 28, 3);
}

TEST(FileTimeCalendar, TimeOfDayDropsWhatIsFinerThanAMillisecond) {
    const SystemTime s = toSystemTime(kSomeTime + 61'234 * kMillisecond + 9'999);
    EXPECT_EQ(s.hour, 9);
    EXPECT_EQ(s.minute, 31);
    EXPECT_EQ(s.second, 1);
    EXPECT_EQ(s.milliseconds, 234);
    EXPECT_EQ(toSystemTime(~platform::FileTime{0}).year, 60056); // still fits 16 bits
}

TEST(CompareSystemTime, FirstDifferingFieldDecidesAndDayOfWeekIsIgnored) {
    SystemTime a;
    a.year = 2024;
    a.month = 1;
    a.day = 31;
    a.hour = 23;
    SystemTime b = a;
    b.dayOfWeek = 6;
    EXPECT_EQ(CompareSystemTime(a, b), 0);
    b.month = 2;
    b.day = 1;
    b.hour = 0;
    EXPECT_EQ(CompareSystemTime(a, b), -1); // the later month wins over the earlier day
    EXPECT_EQ(CompareSystemTime(b, a), 1);
}

TEST(FileTimeCompare, OrdersToTheMillisecond) {
    EXPECT_EQ(FileTimeCompare(kSomeTime, kSomeTime), 0);
    EXPECT_EQ(FileTimeCompare(kSomeTime + kHour, kSomeTime), 1);
    EXPECT_EQ(FileTimeCompare(kSomeTime, kSomeTime + kHour), -1);
    EXPECT_EQ(FileTimeCompare(kSomeTime + kMillisecond - 1, kSomeTime), 0);
    EXPECT_EQ(FileTimeCompare(kSomeTime + kMillisecond, kSomeTime), 1);
    const platform::FileTime newYear2025 = 133'801'632'000'000'000;
    EXPECT_EQ(FileTimeCompare(newYear2025, newYear2025 - kMillisecond), 1);
}

class VerCheckTest : public ::testing::Test {
protected:
    const std::wstring target = L"C:\\App\\lib.dll";
    const std::wstring source = L"E:\\setup\\core\\lib.dll";

    bool check(platform::FileVersion installed, platform::FileVersion offered,
               platform::FileTime targetTime = kSomeTime,
               platform::FileTime sourceTime = kSomeTime) {
        versions.versions = {{target, installed}, {source, offered}};
        fs.addFile(target, targetTime);
        fs.addFile(source, sourceTime);
        return engine::VerCheck(versions, fs, target, source);
    }

    doubles::FakeFileSystem fs;
    doubles::FakeVersionInfo versions;
};

TEST_F(VerCheckTest, FirstDifferingPartDecidesAsANumber) {
    EXPECT_TRUE(check({1, 2, 3, 4}, {1, 2, 3, 5}, kSomeTime + kHour, kSomeTime));
    EXPECT_FALSE(check({1, 10, 0, 0}, {1, 9, 9, 9}, kSomeTime, kSomeTime + kHour));
    EXPECT_FALSE(check({2, 0, 0, 0}, {1, 99, 0, 0}, kSomeTime, kSomeTime + 1000 * kHour));
    EXPECT_TRUE(check({3, 0, 9, 65535}, {3, 0, 10, 0}));
}

TEST_F(VerCheckTest, EqualVersionsReplaceOnlyWhenTheSourceIsAMillisecondLater) {
    EXPECT_FALSE(check({5, 1, 0, 0}, {5, 1, 0, 0}));
    EXPECT_FALSE(check({5, 1, 0, 0}, {5, 1, 0, 0}, kSomeTime + kHour, kSomeTime));
    EXPECT_FALSE(check({5, 1, 0, 0}, {5, 1, 0, 0}, kSomeTime, kSomeTime + 1));
    EXPECT_TRUE(check({5, 1, 0, 0}, {5, 1, 0, 0}, kSomeTime, kSomeTime + kMillisecond));
}

TEST_F(VerCheckTest, WithoutVersionResources) {
    fs.addFile(target, kSomeTime);
    fs.addFile(source, kSomeTime + kHour);
    EXPECT_TRUE(engine::VerCheck(versions, fs, target, source)) << "decided by the times";
    versions.versions[target] = {0, 0, 0, 1};
    EXPECT_FALSE(engine::VerCheck(versions, fs, target, source)) << "0.0.0.0 loses to any";
    EXPECT_EQ(engine::ReadFileVersion(versions, source), (platform::FileVersion{0, 0, 0, 0}));
}

TEST_F(VerCheckTest, MissingFilesDecideSafely) {
    fs.addFile(source, kSomeTime);
    EXPECT_TRUE(engine::VerCheck(versions, fs, target, source)) << "nothing to keep";
    doubles::FakeFileSystem onlyTarget;
    onlyTarget.addFile(target, kSomeTime);
    EXPECT_FALSE(engine::VerCheck(versions, onlyTarget, target, source)) << "nothing to copy";
}
