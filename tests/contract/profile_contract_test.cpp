// The reading rules of profile files. Natively these run against the in-memory double,
// under Wine against GetPrivateProfileStringW: both must give the same answers.
#include "contract/profile_maker.hpp"
#include "script/script_file.hpp"

#include <gtest/gtest.h>

using parcelkit::doubles::makeProfile;
using parcelkit::doubles::utf16File;
using parcelkit::script::readListSection;
using parcelkit::script::sectionExists;

TEST(ProfileReading, NamesMatchWithoutRegardToCase) {
    const auto ini = makeProfile("[MAIN]\r\nTitle=Notes\r\n");
    EXPECT_EQ(ini->readString(L"main", L"title", L"-"), L"Notes");
    EXPECT_EQ(ini->readString(L"Main", L"TITLE", L"-"), L"Notes");
}

TEST(ProfileReading, ValuesLoseSurroundingBlanksAndOnePairOfQuotes) {
    const auto ini = makeProfile("[main]\r\n"
                                 "  padded  =   two words   \r\n"
                                 "double=\"  kept inside  \"\r\n"
                                 "single='x'\r\n"
                                 "nested=\"\"twice\"\"\r\n"
                                 "open=\"unbalanced\r\n"
                                 "tagged=<parcelkit_space>lead\r\n");
    EXPECT_EQ(ini->readString(L"main", L"padded", L""), L"two words");
    EXPECT_EQ(ini->readString(L"main", L"double", L""), L"  kept inside  ");
    EXPECT_EQ(ini->readString(L"main", L"single", L""), L"x");
    EXPECT_EQ(ini->readString(L"main", L"nested", L""), L"\"twice\"");
    EXPECT_EQ(ini->readString(L"main", L"open", L""), L"\"unbalanced");
    EXPECT_EQ(ini->readString(L"main", L"tagged", L""), L"<parcelkit_space>lead");
}

TEST(ProfileReading, FirstEqualsSignEndsTheKey) {
    const auto ini = makeProfile("[main]\r\nsrc,dst=dir=x,1\r\ninline=val ; comment\r\n");
    EXPECT_EQ(ini->readString(L"main", L"src,dst", L""), L"dir=x,1");
    EXPECT_EQ(ini->readString(L"main", L"inline", L""), L"val ; comment");
}

TEST(ProfileReading, MissingAndEmptyDiffer) {
    const auto ini = makeProfile("[main]\r\nempty=\r\n[blank]\r\n\r\n[other]\r\nk=v\r\n");
    EXPECT_EQ(ini->readString(L"main", L"empty", L"default"), L"");
    EXPECT_EQ(ini->readString(L"main", L"absent", L"default"), L"default");
    EXPECT_EQ(ini->readString(L"nosuch", L"k", L"default"), L"default");
    EXPECT_TRUE(sectionExists(*ini, L"main"));
    EXPECT_FALSE(sectionExists(*ini, L"blank"));
    EXPECT_FALSE(sectionExists(*ini, L"nosuch"));
}

TEST(ProfileReading, MissingFileReadsAsDefaults) {
    const auto ini = makeProfile("");
    EXPECT_EQ(ini->readString(L"main", L"name", L"Parcelkit"), L"Parcelkit");
    EXPECT_TRUE(ini->keyNames(L"main").empty());
    EXPECT_TRUE(ini->sectionNames().empty());
}

TEST(ProfileReading, ValuesAreCutAt2047Characters) {
    const std::string longValue(3000, 'x');
    const auto ini = makeProfile("[main]\r\nlong=" + longValue + "\r\n");
    EXPECT_EQ(ini->readString(L"main", L"long", L""), std::wstring(2047, L'x'));
    const auto lines = readListSection(*ini, L"main");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], L"long=" + std::wstring(2047, L'x'));
}

TEST(ProfileReading, ListSectionKeepsFileOrderAndFirstValueOfARepeatedKey) {
    const auto ini = makeProfile("[file]\r\n"
                                 "b.txt=#setupdir#\r\n"
                                 "a.txt = #setupdir#\\docs \r\n"
                                 "b.txt=#windir#\r\n"
                                 "c.txt=\r\n");
    const std::vector<std::wstring> expected{L"b.txt=#setupdir#", L"a.txt=#setupdir#\\docs",
                                             L"b.txt=#setupdir#", L"c.txt="};
    EXPECT_EQ(readListSection(*ini, L"FILE"), expected);
}

TEST(ProfileReading, CommentLinesAreNotKeys) {
    const auto ini = makeProfile("[dir]\r\n;#setupdir#\\old=\r\n#setupdir#\\new=\r\n");
    const std::vector<std::wstring> expected{L"#setupdir#\\new="};
    EXPECT_EQ(readListSection(*ini, L"dir"), expected);
}

TEST(ProfileReading, SectionNamesInFileOrder) {
    const auto ini = makeProfile("[0804]\r\na=1\r\n[0409]\r\na=2\r\n[main]\r\n");
    const std::vector<std::wstring> expected{L"0804", L"0409", L"main"};
    EXPECT_EQ(ini->sectionNames(), expected);
}

TEST(ProfileReading, RepeatedSectionHeaderAddsNoKeys) {
    const auto ini = makeProfile("[main]\r\na=1\r\n[other]\r\nx=y\r\n[MAIN]\r\nb=2\r\na=3\r\n");
    EXPECT_EQ(ini->readString(L"main", L"a", L""), L"1");
    const std::vector<std::wstring> expected{L"a=1"};
    EXPECT_EQ(readListSection(*ini, L"main"), expected);
}

TEST(ProfileReading, Utf16FileWithByteOrderMarkIsReadAsUnicode) {
    const auto ini = makeProfile(utf16File("[0804]\r\ntitle=核心组件\r\n"));
    EXPECT_EQ(ini->readString(L"0804", L"title", L""), L"核心组件");
}

TEST(ProfileReading, Utf8FileWithByteOrderMarkIsReadAsUtf8) {
    const auto ini = makeProfile("\xEF\xBB\xBF[0804]\r\ntitle=核心\r\n");
    EXPECT_EQ(ini->readString(L"0804", L"title", L""), L"核心");
}

TEST(ProfileWriting, WrittenValuesReadBack) {
    const auto ini = makeProfile(utf16File("[list]\r\n"));
    EXPECT_TRUE(bool(ini->writeString(L"list", L"CORE", L"核心组件")));
    EXPECT_TRUE(bool(ini->writeString(L"CORE_info", L"Ver", L"2.1")));
    EXPECT_TRUE(bool(ini->writeString(L"list", L"core", L"Core again")));
    EXPECT_EQ(ini->readString(L"list", L"CORE", L""), L"Core again");
    EXPECT_EQ(ini->readString(L"core_info", L"ver", L""), L"2.1");
    const std::vector<std::wstring> expected{L"list", L"CORE_info"};
    EXPECT_EQ(ini->sectionNames(), expected);
}

// Measured under Wine: a line without "=" is no key, so a list entry always needs one.
TEST(ProfileReading, LinesWithoutEqualsSignAreNoKeys) {
    const auto ini = makeProfile("[dir]\r\n#setupdir#\\logs\r\nk=v\r\n[bare]\r\njust text\r\n");
    const std::vector<std::wstring> expected{L"k=v"};
    EXPECT_EQ(readListSection(*ini, L"dir"), expected);
    EXPECT_FALSE(sectionExists(*ini, L"bare"));
    EXPECT_EQ(ini->readString(L"bare", L"just text", L"default"), L"default");
    const std::vector<std::wstring> sections{L"dir", L"bare"};
    EXPECT_EQ(ini->sectionNames(), sections);
}
