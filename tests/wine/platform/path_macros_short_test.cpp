// The short-name form of the path macros against the real GetShortPathNameW.
#include "platform/win32/file_system_win32.hpp"
#include "script/path_macros.hpp"
#include "wine/platform/temp_dir.hpp"

#include <gtest/gtest.h>

using parcelkit::doubles::testDirectory;
using parcelkit::script::extpath;
using parcelkit::script::MacroForm;
using parcelkit::script::MacroValues;

TEST(ExtpathShortForm, InsertsTheShortFormOfAnExistingDirectory) {
    parcelkit::win32::Win32FileSystem fs;
    MacroValues values;
    values.setupdir = testDirectory() + L"\\Northwind Notes Program";
    ASSERT_TRUE(fs.createDirectory(values.setupdir));
    const auto expected = fs.shortPath(values.setupdir);
    ASSERT_TRUE(expected.has_value());
    EXPECT_EQ(extpath(L"#SetupDir#\\notes.exe", MacroForm::ShortName, values, fs),
              *expected + L"\\notes.exe");
}

TEST(ExtpathShortForm, RemovesMacrosWithoutShortForm) {
    parcelkit::win32::Win32FileSystem fs;
    MacroValues values;
    values.setupdir = testDirectory() + L"\\never created";
    values.setupname = L"Northwind Notes";
    EXPECT_EQ(extpath(L"#setupdir#\\notes.exe", MacroForm::ShortName, values, fs), L"\\notes.exe");
    EXPECT_EQ(extpath(L"#setupname# Help", MacroForm::ShortName, values, fs), L" Help");
    EXPECT_EQ(extpath(L"#share#", MacroForm::ShortName, values, fs), L"#share#");
}
