#include "base/error.hpp"
#include "file_copy_rig.hpp"

#include <algorithm>
#include <gtest/gtest.h>

using namespace parcelkit;
using model::StatusLine;
using Lines = std::vector<std::wstring>;

namespace {

constexpr wchar_t kSys[] = L"C:\\windows\\system32\\";

class FileCopyRegistration : public ::testing::Test, protected doubles::FileCopyRig {
protected:
    static std::wstring regsvr32(const std::wstring& target) {
        return L"C:\\windows\\system32\\regsvr32.exe  /s \"" + target + L"\"";
    }
    // Index of the first status change that shows the text on the line, -1 when none.
    long firstChange(StatusLine line, const std::wstring& shown) const {
        const auto& all = view.changes;
        const auto it = std::find(all.begin(), all.end(), std::make_pair(line, shown));
        return it == all.end() ? -1 : long(it - all.begin());
    }
    long lastChangeOf(StatusLine line) const {
        long last = -1;
        for (std::size_t i = 0; i < view.changes.size(); ++i) {
            if (view.changes[i].first == line) {
                last = long(i);
            }
        }
        return last;
    }
};

} // namespace

TEST_F(FileCopyRegistration, FlagOneRegistersOnlyFilesThatPassTheOverwriteRule) {
    offer(L"new.dll");
    offer(L"old.dll", 1);
    put(kSys + std::wstring(L"old.dll"), 2);
    run({L"new.dll,1=#sysdir#", L"old.dll,1=#sysdir#"});
    EXPECT_EQ(processes.commandLines(), (Lines{regsvr32(L"C:\\windows\\system32\\new.dll")}));
    const auto& request = processes.requests.at(0);
    EXPECT_EQ(request.showCommand, platform::kShowHidden);
    EXPECT_EQ(request.waitMilliseconds, platform::kWaitForever);
    EXPECT_TRUE(request.workingDirectory.empty());
    EXPECT_EQ(recordedFiles(), (Lines{L"C:\\windows\\system32\\new.dll|1"}));
}

TEST_F(FileCopyRegistration, FlagOneIsQueuedBeforeTheCopyIsTried) {
    offer(L"busy.dll", 2);
    put(kSys + std::wstring(L"busy.dll"), 1);
    files.lockFile(kSys + std::wstring(L"busy.dll"));
    run({L"busy.dll,1=#sysdir#"});
    EXPECT_TRUE(session.needreboot);
    EXPECT_EQ(processes.commandLines(), (Lines{regsvr32(L"C:\\windows\\system32\\busy.dll")}));
}

TEST_F(FileCopyRegistration, FlagTwoKeepsANewerCopyButRegistersAndRecordsIt) {
    put(kSys + std::wstring(L"shared.dll"), 1, platform::FileVersion{3, 0, 0, 0});
    offer(L"shared.dll", 9, platform::FileVersion{2, 0, 0, 0});
    run({L"shared.dll,2=#sysdir#,0,1"});
    EXPECT_EQ(writtenAt(kSys + std::wstring(L"shared.dll")), 1u) << "kept";
    EXPECT_EQ(recordedFiles(), (Lines{L"C:\\windows\\system32\\shared.dll|2"}))
        << "whatever the record flag";
    EXPECT_EQ(processes.commandLines(), (Lines{regsvr32(L"C:\\windows\\system32\\shared.dll")}));
}

TEST_F(FileCopyRegistration, FlagTwoRecordsOneForAMissingOrOlderTarget) {
    offer(L"fresh.dll");
    offer(L"update.dll", 9, platform::FileVersion{2, 0, 0, 0});
    put(kSys + std::wstring(L"update.dll"), 1, platform::FileVersion{1, 0, 0, 0});
    run({L"fresh.dll,2=#sysdir#", L"update.dll,2=#sysdir#"});
    EXPECT_EQ(writtenAt(kSys + std::wstring(L"update.dll")), 9u);
    EXPECT_EQ(recordedFiles(), (Lines{L"C:\\windows\\system32\\fresh.dll|1",
                                      L"C:\\windows\\system32\\update.dll|1"}))
        << "once each, not again after the copy";
}

TEST_F(FileCopyRegistration, EveryFileAndDirectoryIsOnTheRecordOnTheDiskBeforeItIsMade) {
    offer(L"two.dll");
    offer(L"zero.dll");
    profiles.refuseWholeWrites(kRecord);
    EXPECT_THROW(run({L"two.dll,2=#sysdir#"}), base::Error);
    EXPECT_THROW(run({L"zero.dll=#sysdir#"}), base::Error);
    EXPECT_THROW(run({L"zero.dll=#setupdir#\\lib"}), base::Error);
    EXPECT_FALSE(files.directoryExists(L"C:\\Program Files\\Notes\\lib"));
    EXPECT_TRUE(files.copies().empty());
    EXPECT_TRUE(processes.requests.empty());
}

TEST_F(FileCopyRegistration, FlagThreeRegistersAKeptFileWithoutRecordingIt) {
    put(kSys + std::wstring(L"kept.dll"), 5);
    offer(L"kept.dll", 5);
    offer(L"copied.dll");
    run({L"kept.dll,3=#sysdir#", L"copied.dll,3=#sysdir#"});
    EXPECT_EQ(processes.commandLines(), (Lines{regsvr32(L"C:\\windows\\system32\\kept.dll"),
                                               regsvr32(L"C:\\windows\\system32\\copied.dll")}));
    EXPECT_EQ(recordedFiles(), (Lines{L"C:\\windows\\system32\\copied.dll|3"}));
}

TEST_F(FileCopyRegistration, RunsAfterTheSectionsLastCopyInQueueOrder) {
    offer(L"a.dll");
    offer(L"b.dll");
    offer(L"c.dll");
    offer(L"d.txt");
    run({L"c.dll,3=#setupdir#", L"a.dll,1=#setupdir#", L"d.txt=#setupdir#", L"b.dll,2=#setupdir#"});
    const std::wstring dir = L"C:\\Program Files\\Notes\\";
    EXPECT_EQ(processes.commandLines(),
              (Lines{regsvr32(dir + L"c.dll"), regsvr32(dir + L"a.dll"), regsvr32(dir + L"b.dll")}))
        << "a path with blanks is quoted";
    const long firstRegistration = firstChange(StatusLine::Activity, text(model::msg::Registering));
    ASSERT_GE(firstRegistration, 0);
    EXPECT_LT(firstChange(StatusLine::Subject, text(model::msg::FileLabel) + L"b.dll"),
              firstRegistration);
    EXPECT_EQ(view.line(StatusLine::Heading), text(model::msg::CopyingLine));
    EXPECT_EQ(view.line(StatusLine::Notice), text(model::msg::WaitLine));
    EXPECT_EQ(view.line(StatusLine::Activity), text(model::msg::Registering));
    EXPECT_EQ(view.line(StatusLine::Subject), dir + L"b.dll");
    EXPECT_EQ(lastChangeOf(StatusLine::Heading), long(view.changes.size()) - 4)
        << "each registration sets all four lines";
    // Two per copied file (status lines, copy) and one per registration.
    EXPECT_EQ(view.messagePumps, 4 * 2 + 3);
}

TEST_F(FileCopyRegistration, EachSectionRegistersItsOwnFilesOnly) {
    offer(L"a.dll");
    offer(L"b.dll");
    run({L"a.dll,1=#sysdir#"});
    run({L"b.dll,1=#sysdir#"});
    EXPECT_EQ(processes.commandLines(), (Lines{regsvr32(L"C:\\windows\\system32\\a.dll"),
                                               regsvr32(L"C:\\windows\\system32\\b.dll")}));
}
