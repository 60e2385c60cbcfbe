#include "base/text_encoding.hpp"
#include "platform/win32/file_bytes_win32.hpp"
#include "platform/win32/file_removal_win32.hpp"
#include "platform/win32/handles.hpp"
#include "platform/win32/self_removal_win32.hpp"
#include "script/text_files.hpp"
#include "wine/platform/temp_dir.hpp"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using parcelkit::doubles::testDirectory;
using namespace parcelkit;
using parcelkit::win32::UniqueFile;
using parcelkit::win32::Win32FileBytes;
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
    const auto removed = removal.removeFile(file);
    EXPECT_TRUE(bool(removed));
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(Win32FileRemoval, OpenFileIsRefusedWithTheSystemsReason) {
    const std::wstring file = freshDirectory(L"in use") + L"\\open.dll";
    writeBytes(file, "x");
    const UniqueFile held(::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    Win32FileRemoval removal;
    const auto removed = removal.removeFile(file);
    ASSERT_FALSE(bool(removed));
    EXPECT_FALSE(removed.failure().reason.empty());
    EXPECT_TRUE(removed.failure().inUse());
    EXPECT_TRUE(std::filesystem::exists(file));
}

TEST(Win32FileRemoval, OnlyAnEmptyDirectoryIsRemoved) {
    const std::wstring dir = freshDirectory(L"dirs");
    std::filesystem::create_directories(dir + L"\\full");
    writeBytes(dir + L"\\full\\user.txt", "mine");
    std::filesystem::create_directories(dir + L"\\empty");
    Win32FileRemoval removal;
    const auto full = removal.removeEmptyDirectory(dir + L"\\full");
    ASSERT_FALSE(bool(full));
    EXPECT_FALSE(full.failure().reason.empty());
    EXPECT_TRUE(std::filesystem::exists(dir + L"\\full\\user.txt"));
    EXPECT_TRUE(bool(removal.removeEmptyDirectory(dir + L"\\empty")));
    EXPECT_FALSE(std::filesystem::exists(dir + L"\\empty"));
}

TEST(Win32FileBytes, TextsRoundTripAsUtf16AndOtherEncodingsAreRead) {
    const std::wstring dir = freshDirectory(L"texts");
    Win32FileBytes files;
    const std::wstring text = L"REGEDIT4\r\n;程序 begin\r\n";
    ASSERT_TRUE(bool(files.write(dir + L"\\unreg.reg", base::encodeUtf16(text))));
    std::ifstream in(std::filesystem::path(dir + L"\\unreg.reg"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(script::readText(files, dir + L"\\unreg.reg"), text);

    writeBytes(dir + L"\\utf8.reg", "\xEF\xBB\xBF\xE7\xA8\x8B");
    EXPECT_EQ(script::readText(files, dir + L"\\utf8.reg"), L"程");
    EXPECT_EQ(script::readText(files, dir + L"\\absent.reg"), std::nullopt);
    // Replaced whole: no temporary file of the write stays beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::path(dir)),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(Win32SelfRemoval, TakesOnlyAWholeListOfDirectoriesFromTheOriginal) {
    using parcelkit::win32::directoriesInMessage;
    using parcelkit::win32::directoriesMessage;
    const std::vector<std::vector<std::wstring>> lists = {
        {},
        {L"C:\\Program Files\\App"},
        {L"C:\\Program Files\\App\\bin", L"C:\\Program Files\\App"}};
    for (const auto& list : lists) {
        const std::wstring message = directoriesMessage(list);
        EXPECT_EQ(directoriesInMessage(message), list) << list.size() << " directories";
        // An uninstaller that ends before it has written the whole list asked for nothing.
        for (std::size_t cut = 0; cut < message.size(); ++cut) {
            EXPECT_EQ(directoriesInMessage(std::wstring_view(message).substr(0, cut)), std::nullopt)
                << list.size() << " directories, cut after " << cut << " characters";
        }
    }
}
