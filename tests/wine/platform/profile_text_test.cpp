#include "base/error.hpp"
#include "platform/win32/handles.hpp"
#include "platform/win32/profile_win32.hpp"
#include "wine/platform/temp_dir.hpp"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using parcelkit::base::Error;
using parcelkit::doubles::testDirectory;
using parcelkit::win32::UniqueFile;
using parcelkit::win32::Win32ProfileStore;

namespace {

const std::string kMark = "\xFF\xFE";

std::wstring pathFor(const std::wstring& name) {
    static const std::wstring dir = [] {
        const std::wstring d = testDirectory() + L"\\unicode records";
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir + L"\\" + name;
}

void writeBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary)
        .write(bytes.data(), std::streamsize(bytes.size()));
}

std::string bytesOf(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string utf16le(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::string utf16be(const std::wstring& text) {
    std::string bytes;
    for (const wchar_t c : text) {
        bytes.push_back(char((c >> 8) & 0xFF));
        bytes.push_back(char(c & 0xFF));
    }
    return bytes;
}

// Temporary files beside the given one: a conversion, finished or not, leaves none.
std::vector<std::wstring> temporaryFilesBeside(const std::wstring& path) {
    std::vector<std::wstring> found;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(path).parent_path())) {
        std::wstring name = entry.path().filename().wstring();
        std::transform(name.begin(), name.end(), name.begin(), ::towlower);
        // The names of the system's unique temporary files.
        if (name.ends_with(L".tmp")) {
            found.push_back(name);
        }
    }
    return found;
}

} // namespace

TEST(Win32MakeUnicode, MissingFileIsCreatedHoldingOnlyTheMark) {
    Win32ProfileStore store;
    const auto path = pathFor(L"new.ini");
    ASSERT_TRUE(bool(store.makeUnicode(path)));
    EXPECT_EQ(bytesOf(path), kMark);
    ASSERT_TRUE(bool(store.open(path)->writeString(L"main", L"name", L"北风笔记")));
    EXPECT_EQ(store.open(path)->readString(L"main", L"name", L""), L"北风笔记");
    EXPECT_EQ(bytesOf(path).substr(0, 2), kMark) << "the system keeps writing UTF-16";
}

TEST(Win32MakeUnicode, AnsiFileIsRewrittenWithItsText) {
    Win32ProfileStore store;
    const auto path = pathFor(L"ansi.ini");
    writeBytes(path, "[list]\r\nCORE=Caf\xE9\r\n"); // code page 1252
    ASSERT_TRUE(bool(store.makeUnicode(path)));
    EXPECT_EQ(bytesOf(path), kMark + utf16le(L"[list]\r\nCORE=Café\r\n"));
    auto record = store.open(path);
    EXPECT_EQ(record->readString(L"list", L"CORE", L""), L"Café");
    ASSERT_TRUE(bool(record->writeString(L"list", L"TOOLS", L"工具")));
    EXPECT_EQ(record->readString(L"list", L"TOOLS", L""), L"工具");
    EXPECT_TRUE(temporaryFilesBeside(path).empty());
}

TEST(Win32MakeUnicode, EmptyFileGetsTheMark) {
    Win32ProfileStore store;
    const auto path = pathFor(L"empty.ini");
    writeBytes(path, "");
    ASSERT_TRUE(bool(store.makeUnicode(path)));
    EXPECT_EQ(bytesOf(path), kMark);
}

TEST(Win32MakeUnicode, Utf8AndBigEndianFilesBecomeLittleEndian) {
    Win32ProfileStore store;
    const auto utf8 = pathFor(L"utf8.ini");
    writeBytes(utf8, "\xEF\xBB\xBF[main]\r\nname=\xE5\x8C\x97\xE9\xA3\x8E\r\n"); // 北风
    ASSERT_TRUE(bool(store.makeUnicode(utf8)));
    EXPECT_EQ(bytesOf(utf8), kMark + utf16le(L"[main]\r\nname=北风\r\n"));

    const auto big = pathFor(L"big endian.ini");
    writeBytes(big, "\xFE\xFF" + utf16be(L"[main]\r\nname=北风\r\n"));
    ASSERT_TRUE(bool(store.makeUnicode(big)));
    EXPECT_EQ(bytesOf(big), kMark + utf16le(L"[main]\r\nname=北风\r\n"));
    EXPECT_EQ(store.open(big)->readString(L"main", L"name", L""), L"北风");
}

TEST(Win32MakeUnicode, LittleEndianFileIsLeftAlone) {
    Win32ProfileStore store;
    const auto path = pathFor(L"done.ini");
    // Odd spacing that a rewrite would normalise.
    const std::string bytes = kMark + utf16le(L"[main]\r\n\r\n  name = 北风 \r\n");
    writeBytes(path, bytes);
    ASSERT_TRUE(bool(store.makeUnicode(path)));
    EXPECT_EQ(bytesOf(path), bytes);
}

TEST(Win32MakeUnicode, RefusalIsReportedWithTheReasonAndLeavesTheOriginal) {
    Win32ProfileStore store;
    const auto nowhere = testDirectory() + L"\\no such folder\\uninstall.ini";
    const auto refused = store.makeUnicode(nowhere);
    ASSERT_FALSE(bool(refused));
    EXPECT_FALSE(refused.failure().reason.empty());

    const auto path = pathFor(L"held.ini");
    writeBytes(path, "[list]\r\nCORE=Caf\xE9\r\n");
    {
        const UniqueFile held(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        EXPECT_FALSE(bool(store.makeUnicode(path)));
    }
    EXPECT_EQ(bytesOf(path), "[list]\r\nCORE=Caf\xE9\r\n");
    EXPECT_TRUE(temporaryFilesBeside(path).empty()) << "no half-written file stays behind";
}
