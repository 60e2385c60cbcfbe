#include "base/error.hpp"
#include "file_copy_rig.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using Lines = std::vector<std::wstring>;

namespace {

constexpr wchar_t kTarget[] = L"C:\\Program Files\\Notes\\nwnotes.exe";
constexpr wchar_t kStandIn[] = L"C:\\users\\ann\\Temp\\$$$1.TMP";
constexpr wchar_t kWininit[] = L"C:\\windows\\wininit.ini";

// The installed program is running: the copy onto it fails.
class FileCopyRestart : public ::testing::Test, protected doubles::FileCopyRig {
protected:
    FileCopyRestart() {
        put(kTarget, 1);
        files.lockFile(kTarget);
        offer(L"nwnotes.exe", 42);
    }
    void runEntry() { run({L"nwnotes.exe=#setupdir#"}); }
    bool wininitEmpty() const {
        const std::wstring* text = profiles.text(kWininit);
        return text == nullptr || text->empty();
    }
    std::wstring rename(const std::wstring& key) {
        return profiles.open(kWininit)->readString(L"rename", key, L"<none>");
    }
};

} // namespace

TEST_F(FileCopyRestart, NtFamilyMovesAStandInCopyAtTheRestart) {
    runEntry();
    EXPECT_TRUE(session.needreboot);
    EXPECT_EQ(writtenAt(kTarget), 1u) << "the running program is untouched";
    EXPECT_EQ(writtenAt(kStandIn), 42u) << "the stand-in holds the new file";
    ASSERT_EQ(files.movesAtRestart().size(), 1u);
    EXPECT_EQ(files.movesAtRestart()[0].from, kStandIn);
    EXPECT_EQ(files.movesAtRestart()[0].to, kTarget);
    EXPECT_TRUE(wininitEmpty());
    EXPECT_EQ(recordedFiles(), (Lines{std::wstring(kTarget) + L"|0"})) << "as if copied";
    EXPECT_EQ(view.progress, (std::vector<int>{0, 100}));
    EXPECT_TRUE(boxes.shown.empty()) << "nothing to tell the user yet";
}

TEST_F(FileCopyRestart, NineFamilyRenamesShortPathsInWininit) {
    session.ostype = script::OsFamily::Nine;
    files.setShortPath(kTarget, L"C:\\PROGRA~1\\NOTES\\NWNOTES.EXE");
    files.setShortPath(kStandIn, L"C:\\USERS\\ANN\\TEMP\\$$$1.TMP");
    files.setShortPath(L"C:\\users\\ann\\Temp\\$$$2.TMP", L"C:\\USERS\\ANN\\TEMP\\$$$2.TMP");
    runEntry();
    EXPECT_TRUE(session.needreboot);
    EXPECT_TRUE(files.movesAtRestart().empty());
    EXPECT_EQ(rename(L"C:\\PROGRA~1\\NOTES\\NWNOTES.EXE"), L"C:\\USERS\\ANN\\TEMP\\$$$1.TMP");
    EXPECT_TRUE(files.fileExists(kStandIn));

    // Scheduled again, the same target takes the newer stand-in.
    runEntry();
    EXPECT_EQ(rename(L"C:\\PROGRA~1\\NOTES\\NWNOTES.EXE"), L"C:\\USERS\\ANN\\TEMP\\$$$2.TMP");
    EXPECT_EQ(profiles.open(kWininit)->keyNames(L"rename").size(), 1u);
}

// The 9x family moves wininit.ini's entries before long names are available: an entry
// with a long name or none would never be carried out, and the stand-in would stay behind.
TEST_F(FileCopyRestart, NineFamilyWithoutShortNamesSchedulesNothing) {
    session.ostype = script::OsFamily::Nine;
    files.setShortPath(kStandIn, L"C:\\USERS\\ANN\\TEMP\\$$$1.TMP");
    runEntry();
    EXPECT_TRUE(session.needreboot);
    EXPECT_TRUE(wininitEmpty());
    EXPECT_FALSE(files.fileExists(kStandIn));
}

// The stand-in starts empty; moved over the program at the restart it would destroy it.
TEST_F(FileCopyRestart, StandInThatCouldNotBeFilledIsNeverMoved) {
    files.lockFile(kStandIn);
    runEntry();
    EXPECT_TRUE(files.movesAtRestart().empty());
    EXPECT_EQ(writtenAt(kTarget), 1u);
}

// A replacement that cannot be arranged is the run's failure, and the record does not
// name a file that was not installed.
TEST_F(FileCopyRestart, RefusedMoveLeavesNoStandInBehindAndFails) {
    files.refuseMovesAtRestart(true);
    runEntry();
    EXPECT_FALSE(files.fileExists(kStandIn));
    EXPECT_TRUE(recordedFiles().empty());
    EXPECT_EQ(boxes.shown.size() + boxes.reported.size(), 1u);
}

TEST_F(FileCopyRestart, MissingTemporaryDirectorySchedulesNothingAndFails) {
    session.dirs.tempdir = L"C:\\nowhere";
    runEntry();
    EXPECT_TRUE(files.movesAtRestart().empty());
    EXPECT_TRUE(recordedFiles().empty());
    EXPECT_EQ(boxes.shown.size() + boxes.reported.size(), 1u);
}

TEST_F(FileCopyRestart, UnknownFamilyKeepsTheCopyAndSchedulesNothing) {
    session.ostype = script::OsFamily::Unknown;
    runEntry();
    EXPECT_TRUE(session.needreboot);
    EXPECT_TRUE(files.movesAtRestart().empty());
    EXPECT_TRUE(wininitEmpty());
    EXPECT_EQ(writtenAt(kStandIn), 42u);
}

TEST_F(FileCopyRestart, EachTargetInUseGetsAStandInOfItsOwn) {
    put(L"C:\\Program Files\\Notes\\nwhelper.exe", 1);
    files.lockFile(L"C:\\Program Files\\Notes\\nwhelper.exe");
    offer(L"nwhelper.exe", 43);
    run({L"nw*.exe=#setupdir#"});
    ASSERT_EQ(files.movesAtRestart().size(), 2u);
    EXPECT_EQ(files.movesAtRestart()[0].to, L"C:\\Program Files\\Notes\\nwhelper.exe");
    EXPECT_EQ(writtenAt(files.movesAtRestart()[0].from), 43u);
    EXPECT_EQ(files.movesAtRestart()[1].to, kTarget);
    EXPECT_EQ(writtenAt(files.movesAtRestart()[1].from), 42u);
}
