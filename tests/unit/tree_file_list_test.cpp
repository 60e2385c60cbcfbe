#include "components/file_list.hpp"
#include "fake_file_system.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using Names = std::vector<std::wstring>;

TEST(TreeFileList, WildcardsGiveBareNamesOfPlainFilesOnly) {
    doubles::FakeFileSystem files;
    files.addFile(L"C:\\setup\\app\\notes.exe");
    files.addFile(L"C:\\setup\\app\\notes.dll");
    files.addFile(L"C:\\setup\\app\\sub\\inner.dll");
    files.addDirectory(L"C:\\setup\\app\\sub");
    files.addDirectory(L"C:\\setup\\app\\lib.dll");
    EXPECT_EQ(components::GetFileList(L"C:\\setup\\app\\*.dll", files), Names{L"notes.dll"});
    EXPECT_EQ(components::GetFileList(L"C:\\setup\\app\\notes.?x?", files), Names{L"notes.exe"});
    EXPECT_EQ(components::GetFileList(L"C:\\setup\\app\\NOTES.EXE", files), Names{L"notes.exe"});
    // Nothing matching gives no list at all, also for a folder named on its own.
    EXPECT_EQ(components::GetFileList(L"C:\\setup\\app\\*.ocx", files), std::nullopt);
    EXPECT_EQ(components::GetFileList(L"C:\\setup\\app\\sub", files), std::nullopt);
    EXPECT_EQ(components::GetFileList(L"C:\\setup\\app\\", files), std::nullopt);
}

TEST(TreeFileList, BarePatternSearchesTheCurrentDirectory) {
    doubles::FakeFileSystem files;
    files.addFile(L".\\setup.ini");
    EXPECT_EQ(components::GetFileList(L"*.ini", files), Names{L"setup.ini"});
}
