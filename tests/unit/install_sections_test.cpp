#include "install_rig.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using doubles::InstallRig;
using Events = std::vector<std::wstring>;

namespace {

// A component that has an entry in every variant of every kind of section, each naming
// the variant, so that a test sees which variants were read.
constexpr wchar_t kEveryVariant[] =
    L"[main]\r\nname=core\r\nver=1.2\r\ndate=2020-01-01\r\nauthor=Main Author\r\n"
    L"reg=main.reg\r\nreg2000=main2000.reg\r\nreg98=main98.reg\r\nunreg=mainun.reg\r\n"
    L"[0409]\r\ndate=2021-02-02\r\nauthor=\r\nreg=lang.reg\r\nunreg2000=langun2000.reg\r\n"
    L"[language]\r\ndate=2022-03-03\r\nauthor=Fallback Author\r\nreg=language.reg\r\n"
    L"[setup_run]\r\nbase.exe=before\r\n"
    L"[setup_run_0409]\r\nlang.exe=before\r\n"
    L"[setup_run_language]\r\nlanguage.exe=before\r\n"
    L"[uninstall_run]\r\n#setupdir#\\un.exe|/x=after\r\n"
    L"[uninstall_run_0409]\r\nunlang.exe=before|always\r\n"
    L"[dir]\r\n#setupdir#\\d-base=\r\n[dir2000]\r\n#setupdir#\\d-2000=\r\n"
    L"[dir98]\r\n#setupdir#\\d-98=\r\n[dir_0409]\r\n#setupdir#\\d-0409=\r\n"
    L"[dir2000_0409]\r\n#setupdir#\\d-2000-0409=\r\n[dir_language]\r\n#setupdir#\\d-lang=\r\n"
    L"[file]\r\nf-base.txt=#setupdir#\r\n[2000]\r\nf-2000.txt=#setupdir#\r\n"
    L"[98]\r\nf-98.txt=#setupdir#\r\n[file_0409]\r\nf-0409.txt=#setupdir#\r\n"
    L"[2000_0409]\r\nf-2000-0409.txt=#setupdir#\r\n[98_0409]\r\nf-98-0409.txt=#setupdir#\r\n"
    L"[file_language]\r\nf-lang.txt=#setupdir#\r\n"
    L"[shortcut]\r\ns=base\r\n[shortcut2000]\r\ns=2000\r\n[shortcut98]\r\ns=98\r\n"
    L"[shortcut_0409]\r\ns=0409\r\n[shortcut2000_0409]\r\ns=2000-0409\r\n"
    L"[shortcut98_0409]\r\ns=98-0409\r\n[shortcut_language]\r\ns=lang\r\n"
    L"[systemini]\r\nboot,shell=base\r\n[systemini_0409]\r\nboot,shell=0409\r\n"
    L"[systemini_language]\r\nboot,shell=lang\r\n";

class InstallSections : public ::testing::Test {
protected:
    InstallSections() {
        rig.profiles.put(L"E:\\setup\\setup.ini",
                         L"[setup_run]\r\npre.exe=before\r\n"
                         L"[setup_run_0409]\r\npre0409.exe=before\r\n"
                         L"post0409.exe=after\r\n"
                         L"[setup_run_language]\r\nprelang.exe=before\r\n");
        rig.setTree({{L"core", {}}});
        rig.describe(L"core", kEveryVariant);
        for (const wchar_t* name :
             {L"f-base.txt", L"f-2000.txt", L"f-98.txt", L"f-0409.txt", L"f-2000-0409.txt",
              L"f-98-0409.txt", L"f-lang.txt", L"main.reg", L"main2000.reg", L"main98.reg",
              L"mainun.reg", L"lang.reg", L"langun2000.reg", L"language.reg"}) {
            rig.offer(L"core", name);
        }
    }

    Events copies() { return rig.log.starting(L"copy "); }
    Events copiesOf(std::initializer_list<const wchar_t*> names) const {
        Events events;
        for (const wchar_t* name : names) {
            events.push_back(L"copy " + rig.dest(name));
        }
        return events;
    }
    std::wstring inFolder(const std::wstring& name) const {
        return InstallRig::folder(L"core") + L"\\" + name;
    }

    InstallRig rig;
};

TEST_F(InstallSections, LanguageInUseReadsEveryVariantInItsOrder) {
    rig.install();
    EXPECT_EQ(rig.log.starting(L"run "),
              (Events{L"run pre.exe", L"run pre0409.exe", L"run base.exe", L"run lang.exe",
                      L"run post0409.exe"}));
    EXPECT_EQ(rig.log.starting(L"mkdir C:\\Program Files\\Notes\\d-"),
              (Events{L"mkdir C:\\Program Files\\Notes\\d-base",
                      L"mkdir C:\\Program Files\\Notes\\d-2000",
                      L"mkdir C:\\Program Files\\Notes\\d-0409",
                      L"mkdir C:\\Program Files\\Notes\\d-2000-0409"}));
    EXPECT_EQ(copies(),
              copiesOf({L"f-base.txt", L"f-2000.txt", L"f-0409.txt", L"f-2000-0409.txt"}));
    EXPECT_EQ(rig.log.starting(L"reg "),
              (Events{L"reg " + inFolder(L"main.reg"), L"reg " + inFolder(L"main2000.reg"),
                      L"reg " + inFolder(L"lang.reg")}));
    EXPECT_EQ(rig.log.starting(L"unreg "), (Events{L"unreg CORE " + inFolder(L"mainun.reg"),
                                                   L"unreg CORE " + inFolder(L"langun2000.reg")}));
    EXPECT_EQ(rig.log.starting(L"shortcut "),
              (Events{L"shortcut CORE s=base", L"shortcut CORE s=2000", L"shortcut CORE s=0409",
                      L"shortcut CORE s=2000-0409"}));
    EXPECT_TRUE(rig.log.starting(L"systemini ").empty());
}

TEST_F(InstallSections, RecordEntriesTakeLanguageValuesBeforeMain) {
    rig.install();
    EXPECT_EQ(rig.recorded(L"list", L"CORE"), L"core");
    EXPECT_EQ(rig.recorded(L"CORE_info", L"Ver"), L"1.2");
    EXPECT_EQ(rig.recorded(L"CORE_info", L"Date"), L"2021-02-02");
    // Empty in the language section: [main]'s value.
    EXPECT_EQ(rig.recorded(L"CORE_info", L"Author"), L"Main Author");
    EXPECT_EQ(rig.recordedKeys(L"run_CORE"),
              (Events{L"C:\\Program Files\\Notes\\un.exe|/x", L"unlang.exe"}));
    EXPECT_EQ(rig.recorded(L"run_CORE", L"C:\\Program Files\\Notes\\un.exe|/x"), L"after");
    EXPECT_EQ(rig.recorded(L"run_CORE", L"unlang.exe"), L"before|always");
}

TEST_F(InstallSections, WithoutLanguageFileNoVariantIsReadButDateAndAuthorAre) {
    rig.withoutLanguageFile();
    rig.profiles.put(L"E:\\setup\\setup.ini", L"[setup_run]\r\npre.exe=before\r\n"
                                              L"[setup_run_language]\r\nprelang.exe=before\r\n");
    rig.install();
    EXPECT_EQ(rig.log.starting(L"run "), (Events{L"run pre.exe", L"run base.exe"}));
    EXPECT_EQ(rig.log.starting(L"mkdir C:\\Program Files\\Notes\\d-"),
              (Events{L"mkdir C:\\Program Files\\Notes\\d-base",
                      L"mkdir C:\\Program Files\\Notes\\d-2000"}));
    EXPECT_EQ(copies(), copiesOf({L"f-base.txt", L"f-2000.txt"}));
    EXPECT_EQ(rig.log.starting(L"reg "),
              (Events{L"reg " + inFolder(L"main.reg"), L"reg " + inFolder(L"main2000.reg")}));
    EXPECT_EQ(rig.log.starting(L"shortcut "),
              (Events{L"shortcut CORE s=base", L"shortcut CORE s=2000"}));
    EXPECT_EQ(rig.recordedKeys(L"run_CORE"), (Events{L"C:\\Program Files\\Notes\\un.exe|/x"}));
    EXPECT_EQ(rig.recorded(L"CORE_info", L"Date"), L"2022-03-03");
    EXPECT_EQ(rig.recorded(L"CORE_info", L"Author"), L"Fallback Author");
}

TEST_F(InstallSections, NineXFamilyReadsItsOwnSectionsAndSystemIni) {
    rig.session.ostype = script::OsFamily::Nine;
    rig.install();
    EXPECT_EQ(copies(), copiesOf({L"f-base.txt", L"f-98.txt", L"f-0409.txt", L"f-98-0409.txt"}));
    EXPECT_EQ(rig.log.starting(L"reg "),
              (Events{L"reg " + inFolder(L"main.reg"), L"reg " + inFolder(L"main98.reg"),
                      L"reg " + inFolder(L"lang.reg")}));
    EXPECT_EQ(rig.log.starting(L"shortcut "),
              (Events{L"shortcut CORE s=base", L"shortcut CORE s=98", L"shortcut CORE s=0409",
                      L"shortcut CORE s=98-0409"}));
    EXPECT_EQ(rig.log.starting(L"systemini "),
              (Events{L"systemini CORE boot,shell=base", L"systemini CORE boot,shell=0409"}));
    EXPECT_LT(rig.log.find(L"shortcut CORE s=98-0409"),
              rig.log.find(L"systemini CORE boot,shell=base"));
}

TEST_F(InstallSections, NineXFamilyWithoutLanguageFileWritesOnlyTheBaseSystemIni) {
    rig.session.ostype = script::OsFamily::Nine;
    rig.withoutLanguageFile();
    rig.install();
    EXPECT_EQ(rig.log.starting(L"systemini "), (Events{L"systemini CORE boot,shell=base"}));
}

TEST_F(InstallSections, RegistryFilesOfEveryFamilyAndCaseAreNeverCopied) {
    rig.describe(L"core", L"[main]\r\nreg=Keys.REG\r\nreg98=old98.reg\r\n"
                          L"[0409]\r\nunreg=undo.reg\r\n"
                          L"[file]\r\n*.*=#setupdir#\r\n[2000]\r\nold98.reg=#setupdir#\r\n");
    rig.offer(L"core", L"keys.reg");
    rig.offer(L"core", L"old98.reg");
    rig.offer(L"core", L"undo.reg");
    rig.offer(L"core", L"other.reg");
    rig.install();
    for (const auto& copy : copies()) {
        EXPECT_EQ(copy.find(L"keys.reg"), std::wstring::npos) << testing::PrintToString(copy);
        EXPECT_EQ(copy.find(L"old98.reg"), std::wstring::npos) << testing::PrintToString(copy);
        EXPECT_EQ(copy.find(L"undo.reg"), std::wstring::npos) << testing::PrintToString(copy);
        EXPECT_EQ(copy.find(L"parcelkit.ini"), std::wstring::npos) << testing::PrintToString(copy);
    }
    EXPECT_TRUE(rig.copied(L"other.reg"));
    EXPECT_TRUE(rig.copied(L"f-base.txt"));
}

TEST_F(InstallSections, MissingRegistryFilesArePassedOverSilently) {
    rig.describe(L"core", L"[main]\r\nreg=absent.reg\r\nunreg=gone.reg\r\nreg2000=there.reg\r\n");
    rig.offer(L"core", L"there.reg");
    rig.install();
    EXPECT_EQ(rig.log.starting(L"reg "), (Events{L"reg " + inFolder(L"there.reg")}));
    EXPECT_TRUE(rig.log.starting(L"unreg ").empty());
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST_F(InstallSections, DirectoryKeyIsExpandedAndDecodedAndItsValueIgnored) {
    rig.describe(L"core", L"[main]\r\n[dir]\r\n#SETUPDIR#\\data=#windir#\\elsewhere\r\n"
                          L"#setupdir#\\two<parcelkit_space>words=\r\n");
    rig.install();
    EXPECT_TRUE(rig.log.has(L"mkdir C:\\Program Files\\Notes\\data"));
    EXPECT_TRUE(rig.log.has(L"mkdir C:\\Program Files\\Notes\\two words"));
    EXPECT_FALSE(rig.log.has(L"mkdir C:\\windows\\elsewhere"));
    EXPECT_EQ(rig.recorded(L"dir", L"C:\\Program Files\\Notes\\data"), L"CORE");
    // Each directory is preceded by a chance for the window to repaint.
    EXPECT_EQ(rig.view.messagePumps, 2);
}

} // namespace
