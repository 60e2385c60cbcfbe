#include "script/section_variants.hpp"

#include <gtest/gtest.h>

using namespace parcelkit::script;
using Names = std::vector<std::wstring>;

TEST(SectionVariants, NtFamilyWithALanguageSection) {
    EXPECT_EQ(sectionVariants(EntryKind::Directories, OsFamily::Nt, L"0804"),
              (Names{L"dir", L"dir2000", L"dir_0804", L"dir2000_0804"}));
    EXPECT_EQ(sectionVariants(EntryKind::Files, OsFamily::Nt, L"0804"),
              (Names{L"file", L"2000", L"file_0804", L"2000_0804"}));
    EXPECT_EQ(sectionVariants(EntryKind::Shortcuts, OsFamily::Nt, L"0804"),
              (Names{L"shortcut", L"shortcut2000", L"shortcut_0804", L"shortcut2000_0804"}));
    EXPECT_EQ(sectionVariants(EntryKind::Programs, OsFamily::Nt, L"0804"),
              (Names{L"setup_run", L"setup_run_0804"}));
    EXPECT_EQ(sectionVariants(EntryKind::UninstallPrograms, OsFamily::Nt, L"0804"),
              (Names{L"uninstall_run", L"uninstall_run_0804"}));
    EXPECT_EQ(sectionVariants(EntryKind::SystemIni, OsFamily::Nt, L"0804"),
              (Names{L"systemini", L"systemini_0804"}));
}

TEST(SectionVariants, WithoutALanguageFileNoLanguageVariantIsRead) {
    EXPECT_EQ(sectionVariants(EntryKind::Files, OsFamily::Nine, L"language"),
              (Names{L"file", L"98"}));
    EXPECT_EQ(sectionVariants(EntryKind::Directories, OsFamily::Nine, L"language"),
              (Names{L"dir", L"dir98"}));
    EXPECT_EQ(sectionVariants(EntryKind::Programs, OsFamily::Nine, L"language"),
              (Names{L"setup_run"}));
    // Only the exact literal means "no language file".
    EXPECT_TRUE(languageInUse(L"Language"));
    EXPECT_FALSE(languageInUse(L"language"));
}

TEST(SectionVariants, DetectionSectionIsReplacedNotAdded) {
    EXPECT_EQ(detectionSection(true, L"0804"), L"detect_0804");
    EXPECT_EQ(detectionSection(false, L"0804"), L"detect");
    EXPECT_EQ(detectionSection(true, L"language"), L"detect");
}

TEST(SectionVariants, RegistryKeysWithTheirFamilyVariant) {
    EXPECT_EQ(registryKeys(L"reg", OsFamily::Nt), (Names{L"reg", L"reg2000"}));
    EXPECT_EQ(registryKeys(L"unreg", OsFamily::Nine), (Names{L"unreg", L"unreg98"}));
}
