// Removing keys and sections, as the uninstaller does to keep its record true. Natively
// against the in-memory double, under Wine against WritePrivateProfileStringW.
#include "contract/profile_maker.hpp"

#include <gtest/gtest.h>

using parcelkit::doubles::makeProfile;
using parcelkit::doubles::utf16File;

TEST(ProfileDeleting, KeyGoesAndItsNeighboursStay) {
    const auto ini = makeProfile(utf16File("[file]\r\nC:\\A\\a.dll|1=APP\r\nC:\\A\\b.txt|0=APP\r\n"
                                           "[list]\r\nAPP=Application\r\n"));
    EXPECT_TRUE(bool(ini->deleteKey(L"FILE", L"c:\\a\\A.DLL|1")));
    EXPECT_EQ(ini->keyNames(L"file"), std::vector<std::wstring>{L"C:\\A\\b.txt|0"});
    EXPECT_EQ(ini->readString(L"list", L"APP", L"-"), L"Application");
}

TEST(ProfileDeleting, SectionGoesWithAllItsKeys) {
    const auto ini = makeProfile(utf16File("[main]\r\nid=x\r\n[run_APP]\r\na.exe=b|c|d\r\n"
                                           "[list]\r\nAPP=Application\r\n"));
    EXPECT_TRUE(bool(ini->deleteSection(L"RUN_app")));
    EXPECT_EQ(ini->sectionNames(), (std::vector<std::wstring>{L"main", L"list"}));
    EXPECT_EQ(ini->readString(L"run_APP", L"a.exe", L"-"), L"-");
}

TEST(ProfileDeleting, MissingKeyOrSectionIsNoError) {
    const auto ini = makeProfile(utf16File("[main]\r\nid=x\r\n"));
    EXPECT_TRUE(bool(ini->deleteKey(L"main", L"absent")));
    EXPECT_TRUE(bool(ini->deleteKey(L"absent", L"id")));
    EXPECT_TRUE(bool(ini->deleteSection(L"absent")));
    EXPECT_EQ(ini->readString(L"main", L"id", L"-"), L"x");
}

TEST(ProfileDeleting, NonLatinTextOfAUtf16FileSurvives) {
    const auto ini = makeProfile(utf16File("[list]\r\nAPP=程序\r\nDOC=文档\r\n"));
    EXPECT_TRUE(bool(ini->deleteKey(L"list", L"APP")));
    EXPECT_EQ(ini->readString(L"list", L"DOC", L""), L"文档");
}
