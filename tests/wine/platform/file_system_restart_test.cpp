#include "platform/win32/file_system_win32.hpp"
#include "platform/win32/handles.hpp"
#include "wine/platform/restart_support.hpp"
#include "wine/platform/temp_dir.hpp"

#include <windows.h>

#include <gtest/gtest.h>

using namespace parcelkit::doubles;
using parcelkit::win32::UniqueFile;
using parcelkit::win32::Win32FileSystem;

TEST(Win32FileSystemRestart, TemporaryFilesAreNewEmptyAndNamedWithThePrefix) {
    Win32FileSystem fs;
    const std::wstring dir = testDirectory() + L"\\stand ins";
    ASSERT_TRUE(bool(fs.createDirectory(dir)));
    const auto first = fs.createTemporaryFile(dir, L"$$$");
    const auto second = fs.createTemporaryFile(dir, L"$$$");
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    for (const auto& path : {*first, *second}) {
        EXPECT_TRUE(fs.fileExists(path));
        EXPECT_EQ(contentOf(path), "");
        const std::wstring name = lower(std::filesystem::path(path).filename().wstring());
        EXPECT_TRUE(name.starts_with(L"$$$")) << testing::PrintToString(path);
        EXPECT_TRUE(name.ends_with(L".tmp")) << testing::PrintToString(path);
        EXPECT_TRUE(std::all_of(name.begin() + 3, name.end() - 4,
                                [](wchar_t c) { return std::iswxdigit(wint_t(c)) != 0; }));
        EXPECT_EQ(lower(std::filesystem::path(path).parent_path().wstring()), lower(dir));
    }
    EXPECT_FALSE(bool(fs.createTemporaryFile(dir + L"\\missing", L"$$$")));
}

TEST(Win32FileSystemRestart, MoveAtRestartIsRecordedToReplaceTheTarget) {
    Win32FileSystem fs;
    const PendingRenamesRestorer restorer;
    const auto standIn = fs.createTemporaryFile(testDirectory(), L"$$$");
    ASSERT_TRUE(standIn);
    const auto target = makeFile(testDirectory() + L"\\in use.exe", "old");
    ASSERT_TRUE(bool(fs.moveAtRestart(*standIn, target)));
    EXPECT_NE(lower(pendingRenames()).find(lower(pendingReplacement(*standIn, target))),
              std::wstring::npos)
        << testing::PrintToString(pendingRenames());
    EXPECT_EQ(contentOf(target), "old") << "nothing moves before the restart";
    EXPECT_TRUE(fs.fileExists(*standIn));
}

TEST(Win32FileSystemRestart, CopyOntoAFileHeldOpenWithoutSharingFails) {
    Win32FileSystem fs;
    const auto from = makeFile(testDirectory() + L"\\new program.exe", "new");
    const auto to = makeFile(testDirectory() + L"\\running program.exe", "old");
    {
        const UniqueFile held(::CreateFileW(to.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        const auto copied = fs.copyFile(from, to);
        ASSERT_FALSE(bool(copied));
        EXPECT_FALSE(copied.failure().reason.empty());
        EXPECT_TRUE(copied.failure().inUse());
    }
    EXPECT_EQ(contentOf(to), "old");
    EXPECT_TRUE(bool(fs.copyFile(from, to))) << "once it is released";
    EXPECT_EQ(contentOf(to), "new");
}

TEST(Win32FileSystemRestart, NormalAttributesClearReadOnlyHiddenAndSystem) {
    Win32FileSystem fs;
    const auto path = makeFile(testDirectory() + L"\\locked down.dll", "x");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                       FILE_ATTRIBUTE_SYSTEM));
    EXPECT_TRUE(bool(fs.setNormalAttributes(path)));
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    EXPECT_EQ(
        attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);
    EXPECT_FALSE(bool(fs.setNormalAttributes(testDirectory() + L"\\missing.dll")));
}
