#include "base/text.hpp"
#include "platform/win32/file_system_win32.hpp"
#include "wine/platform/temp_dir.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

using parcelkit::doubles::testDirectory;

namespace {

std::wstring makeFile(const std::wstring& path, const std::string& content) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << content;
    return path;
}

} // namespace

TEST(Win32FileSystem, TellsFilesFromDirectories) {
    parcelkit::win32::Win32FileSystem fs;
    const std::wstring dir = testDirectory() + L"\\kinds";
    ASSERT_TRUE(bool(fs.createDirectory(dir)));
    EXPECT_TRUE(bool(fs.createDirectory(dir))); // already there counts as success
    const auto file = makeFile(dir + L"\\a.txt", "a");
    EXPECT_TRUE(fs.fileExists(file));
    EXPECT_FALSE(fs.directoryExists(file));
    EXPECT_TRUE(fs.directoryExists(dir));
    EXPECT_FALSE(fs.fileExists(dir));
    EXPECT_FALSE(fs.fileExists(dir + L"\\missing.txt"));
}

TEST(Win32FileSystem, ListsByWildcardWithoutDotEntries) {
    parcelkit::win32::Win32FileSystem fs;
    const std::wstring dir = testDirectory() + L"\\wild";
    ASSERT_TRUE(bool(fs.createDirectory(dir)));
    ASSERT_TRUE(bool(fs.createDirectory(dir + L"\\sub")));
    makeFile(dir + L"\\one.dll", "1");
    makeFile(dir + L"\\two.dll", std::string(70000, '2'));
    makeFile(dir + L"\\three.txt", "3");
    auto all = fs.list(dir, L"*");
    EXPECT_EQ(all.size(), 4u);
    auto dlls = fs.list(dir, L"*.dll");
    std::vector<std::wstring> names;
    for (const auto& e : dlls) {
        names.push_back(e.name + L" " + std::to_wstring(e.size));
        EXPECT_FALSE(e.isDirectory);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"one.dll 1", L"two.dll 70000"}));
    for (const auto& e : all) {
        if (e.isDirectory) {
            EXPECT_EQ(e.size, 0u);
        }
    }
    EXPECT_TRUE(fs.list(dir + L"\\missing", L"*").empty());
}

TEST(Win32FileSystem, EntersAnExistingDirectory) {
    parcelkit::win32::Win32FileSystem fs;
    const std::wstring before = fs.currentDirectory();
    const std::wstring dir = testDirectory() + L"\\entered";
    ASSERT_TRUE(bool(fs.createDirectory(dir)));
    ASSERT_TRUE(bool(fs.setCurrentDirectory(dir)));
    EXPECT_TRUE(parcelkit::base::equalsIgnoreCase(fs.currentDirectory(), dir));
    const auto missing = fs.setCurrentDirectory(dir + L"\\missing");
    EXPECT_TRUE(!missing && missing.failure().notFound());
    EXPECT_TRUE(parcelkit::base::equalsIgnoreCase(fs.currentDirectory(), dir));
    ASSERT_TRUE(bool(fs.setCurrentDirectory(before)));
}

TEST(Win32FileSystem, ShortPathOnlyForExistingPaths) {
    parcelkit::win32::Win32FileSystem fs;
    const std::wstring dir = testDirectory() + L"\\Long Directory Name";
    ASSERT_TRUE(bool(fs.createDirectory(dir)));
    const auto shortForm = fs.shortPath(dir);
    ASSERT_TRUE(shortForm.has_value());
    EXPECT_EQ(shortForm->find(L"Long Directory Name"), std::wstring::npos);
    EXPECT_TRUE(fs.directoryExists(*shortForm));
    EXPECT_FALSE(fs.shortPath(testDirectory() + L"\\does not exist").has_value());
}

TEST(Win32FileSystem, CopyReplacesAndReportsTheReason) {
    parcelkit::win32::Win32FileSystem fs;
    const auto from = makeFile(testDirectory() + L"\\from.txt", "new");
    const auto to = makeFile(testDirectory() + L"\\to.txt", "old");
    EXPECT_TRUE(bool(fs.copyFile(from, to)));
    std::ifstream in(std::filesystem::path{to});
    std::string content;
    in >> content;
    EXPECT_EQ(content, "new");
    const auto missing = fs.copyFile(testDirectory() + L"\\nothing.txt", to);
    ASSERT_FALSE(bool(missing));
    EXPECT_FALSE(missing.failure().reason.empty());
    EXPECT_TRUE(missing.failure().notFound());
    EXPECT_TRUE(fs.lastWriteTime(to).has_value());
    EXPECT_FALSE(fs.lastWriteTime(testDirectory() + L"\\nothing.txt").has_value());
}

TEST(Win32FileSystem, CopiesAGroupReportingEachOutcomeInOrder) {
    parcelkit::win32::Win32FileSystem fs;
    const std::wstring dir = testDirectory() + L"\\group";
    ASSERT_TRUE(bool(fs.createDirectory(dir)));
    ASSERT_TRUE(bool(fs.createDirectory(dir + L"\\to")));
    std::vector<parcelkit::platform::CopyRequest> copies;
    for (int i = 0; i < 200; ++i) {
        const std::wstring name = L"\\f" + std::to_wstring(i) + L".txt";
        // Every tenth source is missing; one file is big enough to take many reads.
        if (i % 10 != 7) {
            makeFile(dir + name, i == 3 ? std::string(3 << 20, 'x') : std::to_string(i));
        }
        copies.push_back({dir + name, dir + L"\\to" + name});
    }
    std::vector<std::size_t> order;
    fs.copyFiles(copies, [&](std::size_t index, const parcelkit::platform::Outcome& outcome) {
        order.push_back(index);
        EXPECT_EQ(bool(outcome), index % 10 != 7) << index;
        if (outcome) {
            EXPECT_TRUE(fs.fileExists(copies[index].to)) << "reported once it is there";
        } else {
            EXPECT_TRUE(outcome.failure().notFound()) << index;
        }
    });
    ASSERT_EQ(order.size(), copies.size());
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_EQ(std::filesystem::file_size(std::filesystem::path(dir + L"\\to\\f3.txt")), 3u << 20);

    // A report that throws ends the call once the copies under way have ended.
    std::size_t reports = 0;
    EXPECT_THROW(fs.copyFiles(copies,
                              [&](std::size_t, const parcelkit::platform::Outcome&) {
                                  if (++reports == 5) {
                                      throw std::runtime_error("stop");
                                  }
                              }),
                 std::runtime_error);
    EXPECT_EQ(reports, 5u);
}
