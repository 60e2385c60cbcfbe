#include "engine/file_entry.hpp"

#include <gtest/gtest.h>

using parcelkit::engine::FileEntry;
using parcelkit::engine::MalformedEntry;
using parcelkit::engine::OverwriteMode;
using parcelkit::engine::readFileEntry;
using parcelkit::engine::RegistrationFlag;

namespace {

const std::wstring kComponentFile = L"E:\\setup\\core\\parcelkit.ini";

FileEntry read(const std::wstring& line) {
    return readFileEntry(line, kComponentFile);
}

std::wstring nameOf(OverwriteMode mode) {
    switch (mode) {
    case OverwriteMode::IfNewer:
        return L"newer";
    case OverwriteMode::Always:
        return L"always";
    case OverwriteMode::Never:
        return L"never";
    }
    return L"?";
}

// Source, target name, registration flag | target directory, overwrite mode, recorded.
std::wstring fields(const FileEntry& e) {
    return e.source + L"," + e.targetName + L"," + e.registration.text + L"|" + e.targetDirectory +
           L"," + nameOf(e.overwrite) + L"," + (e.recorded ? L"recorded" : L"unrecorded");
}

} // namespace

TEST(FileEntryFields, OneFieldOnEachSideTakesEveryDefault) {
    EXPECT_EQ(fields(read(L"app.exe=#setupdir#")), L"app.exe,,0|#setupdir#,newer,recorded");
}

TEST(FileEntryFields, WithTwoSourceFieldsTheSecondIsTheRegistrationFlag) {
    EXPECT_EQ(fields(read(L"a.txt,b.txt=#setupdir#")), L"a.txt,,b.txt|#setupdir#,newer,recorded");
    EXPECT_EQ(fields(read(L"a.dll,1=#sysdir#")), L"a.dll,,1|#sysdir#,newer,recorded");
}

TEST(FileEntryFields, ATargetNameNeedsAllThreeSourceFields) {
    EXPECT_EQ(fields(read(L"a.txt,b.txt,0=#setupdir#")),
              L"a.txt,b.txt,0|#setupdir#,newer,recorded");
    EXPECT_EQ(fields(read(L"a.txt,b.txt,3,ignored=D:\\x,1,1,ignored")),
              L"a.txt,b.txt,3|D:\\x,never,unrecorded");
}

TEST(FileEntryFields, EmptyFieldsAreDroppedBeforeTheyAreCounted) {
    EXPECT_EQ(fields(read(L"*.dll,,1=#sysdir#,2")), L"*.dll,,1|#sysdir#,always,recorded");
    EXPECT_EQ(fields(read(L",a.txt,,=,,D:\\x,,1")), L"a.txt,,0|D:\\x,never,recorded");
}

TEST(FileEntryFields, TagsAreDecodedInTheSourceAndTheTargetDirectoryOnly) {
    const FileEntry e =
        read(L"my<parcelkit_comma>notes.txt,<parcelkit_space>x.txt,<parcelkit_vline>="
             L"C:\\C<parcelkit_num_sign> Tools,<parcelkit_space>,<parcelkit_space>");
    EXPECT_EQ(e.source, L"my,notes.txt");
    EXPECT_EQ(e.targetName, L"<parcelkit_space>x.txt");
    EXPECT_EQ(e.registration.text, L"<parcelkit_vline>");
    EXPECT_EQ(e.registration.kind, RegistrationFlag::Kind::None);
    EXPECT_EQ(e.targetDirectory, L"C:\\C# Tools");
    EXPECT_EQ(e.overwrite, OverwriteMode::Never) << "modes are compared as written";
    EXPECT_FALSE(e.recorded);
}

TEST(FileEntryFields, OnlyTheFirstEqualsSignSplitsTheEntry) {
    EXPECT_EQ(read(L"a.txt=D:\\x=y,2").targetDirectory, L"D:\\x=y");
}

// Each entry names the component file, the entry and what is missing, so that the packager
// can find the line.
TEST(FileEntryMalformed, EntriesWithoutATargetDirectoryEndTheRun) {
    for (const std::wstring line : {L"a.dll=", L"a.dll", L"a.dll=,,,"}) {
        try {
            read(line);
            ADD_FAILURE() << "accepted: " << testing::PrintToString(line);
        } catch (const MalformedEntry& e) {
            EXPECT_EQ(e.object(), kComponentFile);
            EXPECT_NE(e.reason().find(L"\"" + line + L"\""), std::wstring::npos);
            EXPECT_NE(e.reason().find(L"no target directory"), std::wstring::npos);
            EXPECT_NE(e.describe().find(kComponentFile), std::wstring::npos);
        }
    }
}

TEST(FileEntryMalformed, KeysOfSeparatorsOnlyEndTheRun) {
    for (const std::wstring line : {L",,,=#setupdir#", L"=#setupdir#", L",="}) {
        try {
            read(line);
            ADD_FAILURE() << "accepted: " << testing::PrintToString(line);
        } catch (const MalformedEntry& e) {
            EXPECT_EQ(e.object(), kComponentFile);
            EXPECT_NE(e.reason().find(L"no source file"), std::wstring::npos);
        }
    }
}

TEST(FileEntryMalformed, IsReportedLikeAnyOtherErrorThatEndsTheRun) {
    EXPECT_THROW(read(L"a.dll="), parcelkit::base::Error);
}
