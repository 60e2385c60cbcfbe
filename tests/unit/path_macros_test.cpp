#include "fake_file_system.hpp"
#include "script/path_macros.hpp"

#include <gtest/gtest.h>

using namespace parcelkit::script;
using parcelkit::doubles::FakeFileSystem;

namespace {

MacroValues sampleValues() {
    MacroValues v;
    v.windir = L"C:\\WINDOWS";
    v.sysdir = L"C:\\WINDOWS\\system32";
    v.tempdir = L"C:\\Temp";
    v.programfilesdir = L"C:\\Program Files";
    v.setupdir = L"D:\\Apps\\Northwind Notes";
    v.currentdir = L"E:\\setup";
    v.setupname = L"Northwind Notes";
    v.allusersdir = L"C:\\ProgramData";
    v.userdir = L"C:\\Users\\ann";
    return v;
}

} // namespace

TEST(Extpath, PlainFormReplacesEveryMacroIgnoringCase) {
    FakeFileSystem fs;
    const auto v = sampleValues();
    EXPECT_EQ(extpath(L"#WinDir#\\notepad.exe", MacroForm::Plain, v, fs),
              L"C:\\WINDOWS\\notepad.exe");
    EXPECT_EQ(extpath(L"#sysdir#|#tempdir#|#progdir#|#setupdir#|#currentdir#|#setupname#|"
                      L"#allusers#|#user#",
                      MacroForm::Plain, v, fs),
              L"C:\\WINDOWS\\system32|C:\\Temp|C:\\Program Files|D:\\Apps\\Northwind Notes|"
              L"E:\\setup|Northwind Notes|C:\\ProgramData|C:\\Users\\ann");
    EXPECT_EQ(extpath(L"#setupdir#\\a;#SETUPDIR#\\b", MacroForm::Plain, v, fs),
              L"D:\\Apps\\Northwind Notes\\a;D:\\Apps\\Northwind Notes\\b");
}

TEST(Extpath, LeavesOtherWordsBetweenNumberSignsAlone) {
    FakeFileSystem fs;
    const auto v = sampleValues();
    for (const MacroForm mode :
         {MacroForm::Plain, MacroForm::DoubledBackslash, MacroForm::ShortName}) {
        EXPECT_EQ(extpath(L"#share#", mode, v, fs), L"#share#");
        EXPECT_EQ(extpath(L"#setup#dir#", mode, v, fs), L"#setup#dir#");
    }
}

TEST(Extpath, LaterMacrosSearchEarlierInsertionsButNotTheReverse) {
    FakeFileSystem fs;
    auto v = sampleValues();
    v.setupdir = L"#user#\\App";
    EXPECT_EQ(extpath(L"#setupdir#", MacroForm::Plain, v, fs), L"C:\\Users\\ann\\App");
    v = sampleValues();
    v.userdir = L"#setupdir#\\home";
    EXPECT_EQ(extpath(L"#user#", MacroForm::Plain, v, fs), L"#setupdir#\\home");
}

TEST(Extpath, DoubledFormDoublesOnlyTheInsertedBackslashes) {
    FakeFileSystem fs;
    const auto v = sampleValues();
    EXPECT_EQ(extpath(L"\"#setupdir#\\notes.exe\"", MacroForm::DoubledBackslash, v, fs),
              L"\"D:\\\\Apps\\\\Northwind Notes\\notes.exe\"");
}

TEST(Extpath, ShortFormUsesTheSystemsShortNameOrRemovesTheMacro) {
    FakeFileSystem fs;
    const auto v = sampleValues();
    fs.setShortPath(L"D:\\Apps\\Northwind Notes", L"D:\\Apps\\NORTHW~1");
    EXPECT_EQ(extpath(L"#setupdir#\\notes.exe", MacroForm::ShortName, v, fs),
              L"D:\\Apps\\NORTHW~1\\notes.exe");
    EXPECT_EQ(extpath(L"#windir#\\x", MacroForm::ShortName, v, fs), L"\\x");
    EXPECT_EQ(extpath(L"#setupname#", MacroForm::ShortName, v, fs), L"");
}

TEST(Extpath, ShortFormLooksUpOnlyTheMacrosInUse) {
    FakeFileSystem fs;
    const auto v = sampleValues();
    extpath(L"plain text", MacroForm::ShortName, v, fs);
    EXPECT_EQ(fs.shortPathLookups(), 0);
    extpath(L"#user#", MacroForm::ShortName, v, fs);
    EXPECT_EQ(fs.shortPathLookups(), 1);
}

TEST(Extpath, OtherModesReturnTheTextUnchanged) {
    FakeFileSystem fs;
    const auto v = sampleValues();
    EXPECT_EQ(extpath(L"#windir#\\x", static_cast<MacroForm>(3), v, fs), L"#windir#\\x");
    EXPECT_EQ(extpath(L"#windir#\\x", static_cast<MacroForm>(-1), v, fs), L"#windir#\\x");
}

TEST(Extpath, EmptyValuesRemoveTheMacro) {
    FakeFileSystem fs;
    MacroValues v;
    EXPECT_EQ(extpath(L"#allusers#\\Desktop", MacroForm::Plain, v, fs), L"\\Desktop");
}

TEST(DefaultDestination, ExpandsOnlyTheSixStartUpMacros) {
    const auto v = sampleValues();
    EXPECT_EQ(expandDefaultDestination(L"#PROGDIR#\\Northwind", v),
              L"C:\\Program Files\\Northwind");
    EXPECT_EQ(expandDefaultDestination(L"#user#\\#setupname#\\#currentdir#\\#setupdir#", v),
              L"C:\\Users\\ann\\#setupname#\\#currentdir#\\#setupdir#");
    EXPECT_EQ(expandDefaultDestination(L"#windir#|#sysdir#|#tempdir#|#allusers#", v),
              L"C:\\WINDOWS|C:\\WINDOWS\\system32|C:\\Temp|C:\\ProgramData");
}
