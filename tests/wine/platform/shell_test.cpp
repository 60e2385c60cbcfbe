#include "platform/win32/shell_win32.hpp"
#include "wine/platform/temp_dir.hpp"

#include <windows.h>

#include <objbase.h>

#include <filesystem>
#include <gtest/gtest.h>

using namespace parcelkit;
using parcelkit::doubles::testDirectory;

namespace {

// The program's start initialises COM for the installer's thread; each case does it here.
class Win32ShellTest : public ::testing::Test {
protected:
    Win32ShellTest() : initialised_(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~Win32ShellTest() override {
        if (initialised_) {
            ::CoUninitialize();
        }
    }
    Win32ShellTest(const Win32ShellTest&) = delete;
    Win32ShellTest& operator=(const Win32ShellTest&) = delete;

private:
    bool initialised_;
};

} // namespace

TEST_F(Win32ShellTest, LinkReadsBackWhatWasSet) {
    win32::Win32Shell shell;
    const std::wstring folder = testDirectory() + L"\\Start Menu 北风";
    std::filesystem::create_directories(folder);
    const std::wstring file = folder + L"\\Northwind Notes.lnk";

    platform::ShellLink link;
    link.target = L"C:\\windows\\system32\\notepad.exe";
    link.arguments = L"/a \"C:\\My Notes\\北风.txt\"";
    link.workingDirectory = L"C:\\windows\\temp";
    link.description = L"Writes notes 北风";
    link.iconFile = L"C:\\windows\\system32\\shell32.dll";
    link.iconIndex = 3;
    ASSERT_TRUE(shell.createLink(file, link));
    ASSERT_TRUE(std::filesystem::exists(file));

    const auto read = shell.readLink(file);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->target, link.target);
    EXPECT_EQ(read->arguments, link.arguments);
    EXPECT_EQ(read->workingDirectory, link.workingDirectory);
    EXPECT_EQ(read->description, link.description);
    EXPECT_EQ(read->iconFile, link.iconFile);
    EXPECT_EQ(read->iconIndex, 3);

    // A second link of the same name replaces the first.
    link.arguments.clear();
    link.description = L"Second";
    link.iconFile.clear();
    link.iconIndex = 0;
    ASSERT_TRUE(shell.createLink(file, link));
    const auto again = shell.readLink(file);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->arguments, L"");
    EXPECT_EQ(again->description, L"Second");
    EXPECT_EQ(again->iconFile, L"");
}

TEST_F(Win32ShellTest, SaveIntoAMissingFolderIsRefused) {
    win32::Win32Shell shell;
    const std::wstring file = testDirectory() + L"\\no such folder\\App.lnk";
    platform::ShellLink link;
    link.target = L"C:\\windows\\system32\\notepad.exe";
    const auto created = shell.createLink(file, link);
    ASSERT_FALSE(created);
    EXPECT_TRUE(created.failure().notFound()) << created.failure().code;
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(shell.readLink(file).has_value());
}

TEST_F(Win32ShellTest, EveryFolderOfTheTableHasAPathWithoutTrailingBackslash) {
    win32::Win32Shell shell;
    for (const int csidl : {0x00, 0x10, 0x14, 0x05, 0x02, 0x0B, 0x07, 0x06, 0x09, 0x1A, 0x19, 0x1F,
                            0x17, 0x16, 0x18}) {
        const auto path = shell.specialFolder(csidl);
        ASSERT_TRUE(path.has_value()) << csidl;
        EXPECT_GE(path->size(), 3u) << csidl;
        EXPECT_NE(path->back(), L'\\') << csidl;
        EXPECT_EQ(path->substr(1, 2), L":\\") << csidl;
    }
    // The desktop as a namespace and as a directory are one folder on disk.
    EXPECT_EQ(shell.specialFolder(0x00), shell.specialFolder(0x10));
    const auto common = shell.specialFolder(0x17);
    const auto users = shell.specialFolder(0x02);
    ASSERT_TRUE(common && users);
    EXPECT_NE(*common, *users);
    EXPECT_TRUE(std::filesystem::is_directory(*shell.specialFolder(0x1A)));
}

TEST_F(Win32ShellTest, FolderThatIsNoDirectoryHasNoPath) {
    win32::Win32Shell shell;
    // The control panel is a virtual folder. (Wine also gives the printers folder, 0x04, a
    // path on disk; Windows does not, so it is no case here.)
    EXPECT_FALSE(shell.specialFolder(0x03).has_value());
}
