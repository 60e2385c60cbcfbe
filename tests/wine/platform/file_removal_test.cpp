#include "platform/win32/file_removal_win32.hpp"
#include "platform/win32/handles.hpp"
#include "wine/platform/temp_dir.hpp"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using parcelkit::doubles::testDirectory;
using parcelkit::win32::UniqueFile;
using parcelkit::win32::Win32FileRemoval;

namespace {

std::wstring freshDirectory(const std::wstring& name) {
    const std::wstring dir = testDirectory() + L"\\removal " + name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

void writeBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary)
        .write(bytes.data(), std::streamsize(bytes.size()));
}

} // namespace

TEST(Win32FileRemoval, ReadOnlyFileIsDeleted) {
    const std::wstring file = freshDirectory(L"read only") + L"\\locked.txt";
    writeBytes(file, "x");
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    Win32FileRemoval removal;
    std::wstring reason;
    EXPECT_TRUE(removal.deleteFile(file, &reason)) << std::string(reason.begin(), reason.end());
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(Win32FileRemoval, OpenFileIsRefusedWithTheSystemsReason) {
    const std::wstring file = freshDirectory(L"in use") + L"\\open.dll";
    writeBytes(file, "x");
    const UniqueFile held(::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    Win32FileRemoval removal;
    std::wstring reason;
    EXPECT_FALSE(removal.deleteFile(file, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_TRUE(std::filesystem::exists(file));
}

TEST(Win32FileRemoval, OnlyAnEmptyDirectoryIsRemoved) {
    const std::wstring dir = freshDirectory(L"dirs");
    std::filesystem::create_directories(dir + L"\\full");
    writeBytes(dir + L"\\full\\user.txt", "mine");
    std::filesystem::create_directories(dir + L"\\empty");
    Win32FileRemoval removal;
    std::wstring reason;
    EXPECT_FALSE(removal.removeEmptyDirectory(dir + L"\\full", &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_TRUE(std::filesystem::exists(dir + L"\\full\\user.txt"));
    EXPECT_TRUE(removal.removeEmptyDirectory(dir + L"\\empty", &reason));
    EXPECT_FALSE(std::filesystem::exists(dir + L"\\empty"));
}

TEST(Win32FileRemoval, TextsRoundTripAsUtf16AndOtherEncodingsAreRead) {
    const std::wstring dir = freshDirectory(L"texts");
    Win32FileRemoval removal;
    std::wstring reason;
    const std::wstring text = L"REGEDIT4\r\n;程序 begin\r\n";
    ASSERT_TRUE(removal.writeUtf16(dir + L"\\unreg.reg", text, &reason));
    std::ifstream in(std::filesystem::path(dir + L"\\unreg.reg"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(removal.readText(dir + L"\\unreg.reg"), text);

    writeBytes(dir + L"\\utf8.reg", "\xEF\xBB\xBF\xE7\xA8\x8B");
    EXPECT_EQ(removal.readText(dir + L"\\utf8.reg"), L"程");
    EXPECT_EQ(removal.readText(dir + L"\\absent.reg"), std::nullopt);
}
