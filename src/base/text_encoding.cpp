#include "base/text_encoding.hpp"

#include <bit>
#include <cstdint>

namespace parcelkit::base {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// wchar_t is a UTF-16 unit on Windows and a whole code point elsewhere; the text keeps
// the form that its platform uses.
void append(std::wstring& text, char32_t point) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (point > 0xFFFF) {
            point -= 0x10000;
            text.push_back(wchar_t(0xD800 + (point >> 10)));
            text.push_back(wchar_t(0xDC00 + (point & 0x3FF)));
            return;
        }
    }
    text.push_back(wchar_t(point));
}

std::wstring fromUtf16(std::string_view bytes, std::size_t start, bool bigEndian) {
    std::wstring text;
    char32_t pendingHigh = 0;
    for (std::size_t i = start; i + 1 < bytes.size(); i += 2) {
        const auto first = std::uint8_t(bytes[i]);
        const auto second = std::uint8_t(bytes[i + 1]);
        const char32_t unit = bigEndian ? (first << 8 | second) : (second << 8 | first);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (pendingHigh != 0) {
                append(text, kReplacement);
            }
            pendingHigh = unit;
            continue;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            append(text, pendingHigh != 0
                             ? 0x10000 + ((pendingHigh - 0xD800) << 10) + (unit - 0xDC00)
                             : kReplacement);
            pendingHigh = 0;
            continue;
        }
        if (pendingHigh != 0) {
            append(text, kReplacement);
            pendingHigh = 0;
        }
        append(text, unit);
    }
    if (pendingHigh != 0) {
        append(text, kReplacement);
    }
    return text;
}

// Malformed sequences become U+FFFD, one per offending byte.
std::wstring fromUtf8(std::string_view bytes, std::size_t start) {
    std::wstring text;
    std::size_t i = start;
    while (i < bytes.size()) {
        const auto lead = std::uint8_t(bytes[i]);
        int length = 0;
        char32_t point = 0;
        char32_t smallest = 0;
        if (lead < 0x80) {
            length = 1;
            point = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            point = lead & 0x1F;
            smallest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            point = lead & 0x0F;
            smallest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            point = lead & 0x07;
            smallest = 0x10000;
        }
        bool valid = length > 0 && i + std::size_t(length) <= bytes.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = std::uint8_t(bytes[i + std::size_t(k)]);
            valid = (next & 0xC0) == 0x80;
            point = point << 6 | (next & 0x3F);
        }
        valid = valid && point >= smallest && point <= 0x10FFFF &&
                !(point >= 0xD800 && point <= 0xDFFF);
        if (!valid) {
            append(text, kReplacement);
            ++i;
            continue;
        }
        append(text, point);
        i += std::size_t(length);
    }
    return text;
}

void appendUnit(std::string& bytes, char32_t unit) {
    bytes.push_back(char(unit & 0xFF));
    bytes.push_back(char(unit >> 8 & 0xFF));
}

// The code points of the platform's wide text: UTF-16 units paired up on Windows, whole
// code points elsewhere.
template <typename Visit> void forEachCodePoint(std::wstring_view text, Visit visit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto point = char32_t(text[i]);
        if (sizeof(wchar_t) == 2 && point >= 0xD800 && point <= 0xDBFF && i + 1 < text.size() &&
            char32_t(text[i + 1]) >= 0xDC00 && char32_t(text[i + 1]) <= 0xDFFF) {
            point = 0x10000 + ((point - 0xD800) << 10) + (char32_t(text[++i]) - 0xDC00);
        }
        visit(point);
    }
}

void appendUtf16(std::string& bytes, std::wstring_view text) {
    if constexpr (sizeof(wchar_t) == 2 && std::endian::native == std::endian::little) {
        // The text already is UTF-16 in the file's byte order: a whole record is written
        // this way after every group of copies.
        bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    } else {
        bytes.reserve(bytes.size() + text.size() * 2);
        forEachCodePoint(text, [&](char32_t point) {
            if (point > 0xFFFF) {
                appendUnit(bytes, 0xD800 + ((point - 0x10000) >> 10));
                appendUnit(bytes, 0xDC00 + ((point - 0x10000) & 0x3FF));
            } else {
                appendUnit(bytes, point);
            }
        });
    }
}

} // namespace

std::optional<std::wstring> decodeMarkedText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        return fromUtf16(bytes, 2, false);
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return fromUtf16(bytes, 2, true);
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return fromUtf8(bytes, 3);
    }
    return std::nullopt;
}

std::string encodeUtf16(std::wstring_view text) {
    std::string bytes;
    encodeUtf16(text, bytes);
    return bytes;
}

void encodeUtf16(std::wstring_view text, std::string& bytes) {
    bytes.assign("\xFF\xFE");
    appendUtf16(bytes, text);
}

std::string encodeUtf16Lines(const std::vector<std::wstring>& lines) {
    std::string bytes = "\xFF\xFE";
    for (const auto& line : lines) {
        appendUtf16(bytes, line);
        appendUtf16(bytes, L"\r\n");
    }
    return bytes;
}

std::string toUtf8(std::wstring_view text) {
    std::string bytes;
    forEachCodePoint(text, [&](char32_t point) {
        if (point < 0x80) {
            bytes.push_back(char(point));
        } else if (point < 0x800) {
            bytes.push_back(char(0xC0 | point >> 6));
            bytes.push_back(char(0x80 | (point & 0x3F)));
        } else if (point < 0x10000) {
            bytes.push_back(char(0xE0 | point >> 12));
            bytes.push_back(char(0x80 | (point >> 6 & 0x3F)));
            bytes.push_back(char(0x80 | (point & 0x3F)));
        } else {
            bytes.push_back(char(0xF0 | point >> 18));
            bytes.push_back(char(0x80 | (point >> 12 & 0x3F)));
            bytes.push_back(char(0x80 | (point >> 6 & 0x3F)));
            bytes.push_back(char(0x80 | (point & 0x3F)));
        }
    });
    return bytes;
}

std::vector<std::wstring> splitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == L'\r' && start < text.size() && text[start] == L'\n') {
            ++start;
        }
    }
    return lines;
}

} // namespace parcelkit::base
