#include "base/text_encoding.hpp"
#include "fake_file_bytes.hpp"
#include "script/text_files.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using base::encodeUtf16Lines;
using base::splitLines;
using script::decodeText;
using Lines = std::vector<std::wstring>;

namespace {

std::string utf16le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes.push_back(char(unit & 0xFF));
        bytes.push_back(char(unit >> 8));
    }
    return bytes;
}

// A code point beyond the basic plane, in the platform's wide form.
std::wstring clef() {
    if constexpr (sizeof(wchar_t) == 2) {
        return std::wstring{wchar_t(0xD834), wchar_t(0xDD1E)};
    }
    return std::wstring(1, wchar_t(0x1D11E));
}

class TextLinesTest : public ::testing::Test {
protected:
    doubles::FakeFileSystem files;
    doubles::FakeFileBytes bytes{files};
};

} // namespace

TEST(SplitLines, EveryKindOfLineBreakEndsALine) {
    EXPECT_EQ(splitLines(L"a\r\nb\nc\rd"), (Lines{L"a", L"b", L"c", L"d"}));
    EXPECT_EQ(splitLines(L"a\r\n\r\nb\r\n"), (Lines{L"a", L"", L"b"}));
    EXPECT_EQ(splitLines(L"\n"), (Lines{L""}));
    EXPECT_TRUE(splitLines(L"").empty());
    EXPECT_EQ(splitLines(L"a\n\rb"), (Lines{L"a", L"", L"b"}));
}

TEST_F(TextLinesTest, ByteOrderMarkChoosesTheEncoding) {
    EXPECT_EQ(decodeText("\xFF\xFE" + utf16le(u"北风\\x"), bytes), L"北风\\x");
    EXPECT_EQ(decodeText(std::string("\xFE\xFF\x53\x17\x00\x41", 6), bytes), L"北A");
    EXPECT_EQ(decodeText("\xEF\xBB\xBF\xE5\x8C\x97 \xC3\xA9", bytes), L"北 é");
    // Without a mark the bytes are the ANSI code page, even when they look like UTF-8.
    EXPECT_EQ(decodeText("\xC3\xA9", bytes), L"\u00C3\u00A9");
    EXPECT_EQ(decodeText("", bytes), L"");
}

TEST_F(TextLinesTest, SurrogatePairsAndBrokenInputSurviveDecoding) {
    EXPECT_EQ(decodeText("\xFF\xFE" + utf16le(u"\U0001D11E"), bytes), clef());
    EXPECT_EQ(decodeText("\xEF\xBB\xBF\xF0\x9D\x84\x9E", bytes), clef());
    // A lone surrogate, a truncated sequence and an odd trailing byte do not stop the text.
    EXPECT_EQ(decodeText("\xFF\xFE" +
                             utf16le(u"a\xD800"
                                     u"b") +
                             "x",
                         bytes),
              L"a\uFFFDb");
    EXPECT_EQ(decodeText("\xEF\xBB\xBF"
                         "a\xE5\x8C",
                         bytes),
              L"a\uFFFD\uFFFD");
    EXPECT_EQ(decodeText("\xEF\xBB\xBF\xC0\xAF", bytes), L"\uFFFD\uFFFD");
}

TEST_F(TextLinesTest, EncodedLinesAreUtf16WithMarkAndCrLf) {
    EXPECT_EQ(encodeUtf16Lines({L"A", L"北"}), "\xFF\xFE" + utf16le(u"A\r\n北\r\n"));
    EXPECT_EQ(encodeUtf16Lines({}), "\xFF\xFE");
    EXPECT_EQ(encodeUtf16Lines({clef()}), "\xFF\xFE" + utf16le(u"\U0001D11E\r\n"));
    const Lines lines{L"Windows Registry Editor Version 5.00", L"", L"@=\"北风\"", clef()};
    EXPECT_EQ(splitLines(decodeText(encodeUtf16Lines(lines), bytes)), lines);
}

TEST_F(TextLinesTest, MissingFileHasNoLines) {
    EXPECT_FALSE(script::readTextLines(bytes, L"C:\\none.reg").has_value());
    bytes.put(L"C:\\a.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]");
    EXPECT_EQ(script::readTextLines(bytes, L"C:\\a.reg"),
              (Lines{L"REGEDIT4", L"", L"[HKEY_CURRENT_USER\\A]"}));
}
