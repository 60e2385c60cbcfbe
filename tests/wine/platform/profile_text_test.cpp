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

// The record is written whole through the store and read back by the system's profile
// functions: both must agree on every encoding.
TEST(Win32ProfileText, WrittenTextIsUtf16AndTheSystemReadsItAndKeepsWritingUtf16) {
    Win32ProfileStore store;
    const auto path = pathFor(L"new.ini");
    ASSERT_TRUE(bool(store.writeText(path, L"[main]\r\nname=北风笔记\r\n")));
    EXPECT_EQ(bytesOf(path), kMark + utf16le(L"[main]\r\nname=北风笔记\r\n"));
    EXPECT_EQ(store.open(path)->readString(L"main", L"name", L""), L"北风笔记");
    ASSERT_TRUE(bool(store.open(path)->writeString(L"list", L"TOOLS", L"工具")));
    EXPECT_EQ(bytesOf(path).substr(0, 2), kMark) << "the system keeps writing UTF-16";
    EXPECT_TRUE(temporaryFilesBeside(path).empty());
}

TEST(Win32ProfileText, EveryEncodingIsReadAsTheSystemReadsIt) {
    Win32ProfileStore store;
    const std::pair<const wchar_t*, std::string> files[] = {
        {L"ansi.ini", "[list]\r\nCORE=Caf\xE9\r\n"}, // code page 1252
        {L"utf8.ini", "\xEF\xBB\xBF[list]\r\nCORE=Caf\xC3\xA9\r\n"},
        {L"big endian.ini", "\xFE\xFF" + utf16be(L"[list]\r\nCORE=Café\r\n")},
        {L"little endian.ini", kMark + utf16le(L"[list]\r\nCORE=Café\r\n")},
    };
    for (const auto& [name, bytes] : files) {
        const auto path = pathFor(name);
        writeBytes(path, bytes);
        const auto text = store.readText(path);
        ASSERT_TRUE(bool(text)) << testing::PrintToString(name);
        EXPECT_EQ(*text, L"[list]\r\nCORE=Café\r\n") << testing::PrintToString(name);
        EXPECT_EQ(store.open(path)->readString(L"list", L"CORE", L""), L"Café");
    }
    const auto missing = store.readText(pathFor(L"missing.ini"));
    ASSERT_FALSE(bool(missing));
    EXPECT_TRUE(missing.failure().notFound());
}

TEST(Win32ProfileText, RefusalIsReportedWithTheReasonAndLeavesTheOriginal) {
    Win32ProfileStore store;
    const auto nowhere = testDirectory() + L"\\no such folder\\uninstall.ini";
    const auto refused = store.writeText(nowhere, L"[main]\r\n");
    ASSERT_FALSE(bool(refused));
    EXPECT_FALSE(refused.failure().reason.empty());

    const auto path = pathFor(L"held.ini");
    writeBytes(path, "[list]\r\nCORE=Caf\xE9\r\n");
    {
        // Held open without sharing, as a virus scanner or an editor may hold it.
        const UniqueFile held(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        EXPECT_FALSE(bool(store.writeText(path, L"[list]\r\nCORE=new\r\n")));
    }
    EXPECT_EQ(bytesOf(path), "[list]\r\nCORE=Caf\xE9\r\n");
    EXPECT_TRUE(temporaryFilesBeside(path).empty()) << "no half-written file stays behind";
}
