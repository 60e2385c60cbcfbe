#include "base/error.hpp"
#include "engine/file_entry.hpp"
#include "file_copy_rig.hpp"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>

using namespace parcelkit;
using model::StatusLine;
using Lines = std::vector<std::wstring>;

namespace {

constexpr wchar_t kNotes[] = L"C:\\Program Files\\Notes\\";

class FileCopyTest : public ::testing::Test, protected doubles::FileCopyRig {
protected:
    std::wstring installed(const std::wstring& name) const { return kNotes + name; }
    bool copiedTo(const std::wstring& target) const {
        const auto& all = files.copies();
        return std::any_of(all.begin(), all.end(), [&](const auto& c) { return c.to == target; });
    }
};

} // namespace

TEST_F(FileCopyTest, PlainEntryCopiesIntoTheExpandedDirectoryAndRecordsIt) {
    offer(L"app.exe", 7);
    run({L"app.exe=#setupdir#"});
    EXPECT_EQ(writtenAt(installed(L"app.exe")), 7u);
    EXPECT_EQ(recordedFiles(), (Lines{L"C:\\Program Files\\Notes\\app.exe|0"}));
    EXPECT_EQ(recorded(L"C:\\Program Files\\Notes\\app.exe|0"), L"CORE");
    EXPECT_EQ(view.line(StatusLine::Activity), text(model::msg::DirectoryLabel) + kNotes);
    EXPECT_EQ(view.line(StatusLine::Subject), text(model::msg::FileLabel) + L"app.exe");
    EXPECT_EQ(view.progress, (std::vector<int>{0, 100}));
    EXPECT_TRUE(processes.requests.empty());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(session.needreboot);
}

TEST_F(FileCopyTest, TwoSourceFieldsKeepTheNameAndRecordTheFlag) {
    offer(L"a.txt");
    run({L"a.txt,b.txt=#setupdir#"});
    EXPECT_TRUE(files.fileExists(installed(L"a.txt")));
    EXPECT_FALSE(files.fileExists(installed(L"b.txt")));
    EXPECT_EQ(recordedFiles(), (Lines{L"C:\\Program Files\\Notes\\a.txt|b.txt"}));
    EXPECT_TRUE(processes.requests.empty()) << "an unknown flag registers nothing";
}

TEST_F(FileCopyTest, ThreeSourceFieldsInstallUnderTheTargetName) {
    offer(L"light.theme");
    run({L"light.theme,active.theme,0=#setupdir#\\Themes"});
    EXPECT_TRUE(files.fileExists(L"C:\\Program Files\\Notes\\Themes\\active.theme"));
    EXPECT_FALSE(files.fileExists(L"C:\\Program Files\\Notes\\Themes\\light.theme"));
    EXPECT_EQ(view.line(StatusLine::Subject), text(model::msg::FileLabel) + L"active.theme");
    EXPECT_EQ(recordedFiles(), (Lines{L"C:\\Program Files\\Notes\\Themes\\active.theme|0"}));
}

TEST_F(FileCopyTest, TargetDirectoryIsMadeAndRecordedEvenWhenNothingMatches) {
    run({L"*.none=#setupdir#\\Data"});
    EXPECT_TRUE(files.directoryExists(L"C:\\Program Files\\Notes\\Data"));
    EXPECT_EQ(
        context.uninstallini->file().readString(L"dir", L"C:\\Program Files\\Notes\\Data", L""),
        L"CORE");
    EXPECT_TRUE(boxes.shown.empty()) << "a wildcard that matches nothing is silent";
    EXPECT_TRUE(files.copies().empty());
    EXPECT_EQ(view.progress, (std::vector<int>{0}));
}

TEST_F(FileCopyTest, TagsInTheTargetAreDecodedAndTheRecordKeyIsEncoded) {
    offer(L"my,notes.txt");
    run({L"my<parcelkit_comma>notes.txt=C:\\C<parcelkit_num_sign> Tools"});
    EXPECT_TRUE(files.fileExists(L"C:\\C# Tools\\my,notes.txt"));
    EXPECT_EQ(recordedFiles(),
              (Lines{L"C:\\C<parcelkit_num_sign> Tools\\my<parcelkit_comma>notes.txt|0"}));
}

TEST_F(FileCopyTest, WildcardLeavesOutSkippedNamesWhateverTheirCase) {
    offer(L"Notes.REG");
    offer(L"PARCELKIT.INI");
    offer(L"one.dll", 1);
    offer(L"two.dll", 2);
    files.addDirectory(std::wstring(kComponent) + L"\\sub.dll");
    skiplist = {L"notes.reg"};
    run({L"*=#setupdir#", L"*.dll=#setupdir#\\Again"});
    EXPECT_FALSE(files.fileExists(installed(L"Notes.REG")));
    EXPECT_FALSE(files.fileExists(installed(L"PARCELKIT.INI"))) << "the component file";
    EXPECT_FALSE(files.directoryExists(installed(L"sub.dll")));
    EXPECT_EQ(recordedFiles(),
              (Lines{L"C:\\Program Files\\Notes\\one.dll|0", L"C:\\Program Files\\Notes\\two.dll|0",
                     L"C:\\Program Files\\Notes\\Again\\one.dll|0",
                     L"C:\\Program Files\\Notes\\Again\\two.dll|0"}));
    EXPECT_EQ(skiplist, (Lines{L"notes.reg", L"parcelkit.ini"}))
        << "the component file's name is added once per section";
}

TEST_F(FileCopyTest, SourceMayLeadThroughASubfolder) {
    offer(L"notes\\welcome.txt");
    offer(L"notes\\todo.txt");
    offer(L"readme.txt");
    run({L"notes\\*.txt=#setupdir#\\Samples"});
    EXPECT_TRUE(files.fileExists(L"C:\\Program Files\\Notes\\Samples\\welcome.txt"));
    EXPECT_TRUE(files.fileExists(L"C:\\Program Files\\Notes\\Samples\\todo.txt"));
    EXPECT_FALSE(files.fileExists(L"C:\\Program Files\\Notes\\Samples\\readme.txt"));
}

TEST_F(FileCopyTest, ProgressStartsAgainAtEachEntryAndCountsPassedOverFiles) {
    offer(L"a1.txt");
    offer(L"a2.txt");
    offer(L"a3.txt");
    offer(L"b.txt");
    skiplist = {L"A3.TXT"};
    run({L"a?.txt=#setupdir#", L"b.txt=#setupdir#"});
    EXPECT_EQ(view.progress, (std::vector<int>{0, 33, 66, 0, 100}));
}

TEST_F(FileCopyTest, MissingSourceIsReportedOnlyWithoutParameters) {
    run({L"missing.dll=#setupdir#\\Bin"});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, text(model::msg::NotFound) + L"E:\\setup\\core\\missing.dll");
    EXPECT_EQ(boxes.shown[0].caption, text(model::msg::ErrorCaption));
    EXPECT_EQ(boxes.shown[0].icon, platform::BoxIcon::Error);
    EXPECT_EQ(boxes.shown[0].buttons, platform::BoxButtons::Ok);
    EXPECT_TRUE(files.directoryExists(L"C:\\Program Files\\Notes\\Bin")) << "made all the same";

    // Any parameter, not only the silent switch, makes the run unattended.
    system.args = {L"setup.exe", L"/id:0409"};
    run({L"missing.dll=#setupdir#\\Bin"});
    EXPECT_EQ(boxes.shown.size(), 1u);
    // Without a box the run still hears of it, and fails.
    EXPECT_EQ(boxes.reported, (std::vector<std::wstring>{text(model::msg::NotFound) +
                                                         L"E:\\setup\\core\\missing.dll"}));
}

// Overwrite mode 0: a higher file version replaces, or the same version written later.
struct ModeZeroCase {
    const char* what;
    platform::FileVersion installedVersion;
    platform::FileTime installedTime;
    platform::FileVersion offeredVersion;
    platform::FileTime offeredTime;
    bool replaced;
};

class FileCopyModeZero : public FileCopyTest, public ::testing::WithParamInterface<ModeZeroCase> {};

TEST_P(FileCopyModeZero, ReplacesOnlyWhatIsOlder) {
    const ModeZeroCase& c = GetParam();
    put(installed(L"core.dll"), c.installedTime, c.installedVersion);
    offer(L"core.dll", c.offeredTime, c.offeredVersion);
    run({L"core.dll,1=#setupdir#"});
    EXPECT_EQ(writtenAt(installed(L"core.dll")), c.replaced ? c.offeredTime : c.installedTime);
    if (c.replaced) {
        EXPECT_EQ(recordedFiles(), (Lines{L"C:\\Program Files\\Notes\\core.dll|1"}));
        EXPECT_EQ(processes.requests.size(), 1u);
    } else {
        EXPECT_TRUE(recordedFiles().empty()) << "a kept file is neither recorded";
        EXPECT_TRUE(processes.requests.empty()) << "nor registered under flag 1";
        EXPECT_TRUE(view.progress == std::vector<int>{0}) << "nor counted";
        EXPECT_TRUE(view.line(StatusLine::Subject).empty()) << "nor shown";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, FileCopyModeZero,
    ::testing::Values(ModeZeroCase{"higher revision", {1, 2, 3, 4}, 9, {1, 2, 3, 5}, 1, true},
                      ModeZeroCase{"numbers, not text", {1, 10, 0, 0}, 1, {1, 9, 9, 9}, 9, false},
                      ModeZeroCase{"lower major", {2, 0, 0, 0}, 1, {1, 99, 0, 0}, 9, false},
                      ModeZeroCase{"same, written later", {1, 0, 0, 0}, 5, {1, 0, 0, 0}, 6, true},
                      ModeZeroCase{"same, same time", {1, 0, 0, 0}, 5, {1, 0, 0, 0}, 5, false},
                      ModeZeroCase{"same, earlier", {1, 0, 0, 0}, 5, {1, 0, 0, 0}, 4, false}),
    [](const auto& testCase) {
        std::string name = testCase.param.what;
        std::replace_if(
            name.begin(), name.end(),
            [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); }, '_');
        return name;
    });

TEST_F(FileCopyTest, ModeZeroWithoutVersionResourcesGoesByTimeToTheMillisecond) {
    files.addFile(installed(L"a.txt"), 50'000);
    files.addFile(std::wstring(kComponent) + L"\\a.txt", 59'999); // in the same millisecond
    files.addFile(installed(L"b.txt"), 50'000);
    files.addFile(std::wstring(kComponent) + L"\\b.txt", 60'000);
    run({L"a.txt=#setupdir#", L"b.txt=#setupdir#"});
    EXPECT_EQ(files.lastWriteTime(installed(L"a.txt")), 50'000u);
    EXPECT_EQ(files.lastWriteTime(installed(L"b.txt")), 60'000u);
}

TEST_F(FileCopyTest, ModeOneNeverTouchesAnExistingTargetButCopiesAMissingOne) {
    put(installed(L"Inbox.txt"), 1);
    offer(L"Inbox.txt", 99, platform::FileVersion{9, 0, 0, 0});
    offer(L"Outbox.txt", 99);
    run({L"Inbox.txt,1=#setupdir#,1", L"Outbox.txt=#setupdir#,x"});
    EXPECT_EQ(writtenAt(installed(L"Inbox.txt")), 1u);
    EXPECT_TRUE(processes.requests.empty());
    EXPECT_EQ(writtenAt(installed(L"Outbox.txt")), 99u);
    EXPECT_EQ(recordedFiles(), (Lines{L"C:\\Program Files\\Notes\\Outbox.txt|0"}));
}

TEST_F(FileCopyTest, ModeTwoAlwaysReplacesEvenANewerCopy) {
    put(installed(L"active.theme"), 99, platform::FileVersion{9, 0, 0, 0});
    offer(L"active.theme", 1);
    run({L"active.theme=#setupdir#,2"});
    EXPECT_EQ(writtenAt(installed(L"active.theme")), 1u);
    EXPECT_EQ(recordedFiles(), (Lines{L"C:\\Program Files\\Notes\\active.theme|0"}));
}

TEST_F(FileCopyTest, ReadOnlyTargetIsReplacedAfterItsAttributesAreReset) {
    put(installed(L"app.exe"), 1);
    files.setReadOnly(installed(L"app.exe"));
    offer(L"app.exe", 2);
    run({L"app.exe=#setupdir#"});
    EXPECT_EQ(writtenAt(installed(L"app.exe")), 2u);
    EXPECT_FALSE(files.isReadOnly(installed(L"app.exe")));
    EXPECT_FALSE(session.needreboot);
}

TEST_F(FileCopyTest, RecordFlagOtherThanZeroKeepsTheFileOutOfTheRecord) {
    offer(L"cache.db");
    offer(L"comp.dll");
    run({L"cache.db=#setupdir#,0,1", L"comp.dll,3=#setupdir#,0,1"});
    EXPECT_TRUE(files.fileExists(installed(L"cache.db")));
    EXPECT_TRUE(files.fileExists(installed(L"comp.dll")));
    EXPECT_TRUE(recordedFiles().empty());
}

TEST_F(FileCopyTest, MalformedEntryEndsTheSectionAndKeepsWhatWasRecorded) {
    offer(L"a.dll");
    offer(L"b.dll");
    offer(L"c.dll");
    try {
        run({L"a.dll,1=#setupdir#", L"b.dll=", L"c.dll=#setupdir#"});
        FAIL() << "the run went on";
    } catch (const engine::MalformedEntry& e) {
        EXPECT_NE(e.describe().find(L"E:\\setup\\core\\parcelkit.ini"), std::wstring::npos);
        EXPECT_NE(e.describe().find(L"\"b.dll=\""), std::wstring::npos);
    }
    EXPECT_EQ(recordedFiles(), (Lines{L"C:\\Program Files\\Notes\\a.dll|1"}));
    EXPECT_FALSE(files.fileExists(installed(L"c.dll")));
    EXPECT_TRUE(processes.requests.empty()) << "nothing runs after the error";
}

TEST_F(FileCopyTest, RefusedRecordWriteEndsTheRunBeforeTheCopy) {
    offer(L"a.dll");
    profiles.refuseWholeWrites(kRecord);
    EXPECT_THROW(run({L"a.dll=#setupdir#"}), base::Error);
    EXPECT_FALSE(files.fileExists(installed(L"a.dll")))
        << "nothing is copied that the record on the disk does not name";
}
