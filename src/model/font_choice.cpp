#include "model/font_choice.hpp"

#include "model/messages.hpp"

#include <limits>

namespace parcelkit::model {

namespace {

int digitValue(wchar_t c, int base) {
    int value = base;
    if (c >= L'0' && c <= L'9') {
        value = c - L'0';
    } else if (c >= L'a' && c <= L'f') {
        value = c - L'a' + 10;
    } else if (c >= L'A' && c <= L'F') {
        value = c - L'A' + 10;
    }
    return value < base ? value : -1;
}

} // namespace

int profileInteger(std::wstring_view text, int fallback) {
    bool negative = false;
    if (!text.empty() && text[0] == L'-') {
        negative = true;
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return fallback;
    }
    long long value = 0;
    for (const wchar_t c : text) {
        const int digit = digitValue(c, base);
        if (digit < 0) {
            return fallback;
        }
        value = value * base + digit;
        if (value > std::numeric_limits<int>::max()) {
            return fallback;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

FontChoice readFont(const MessageTexts& texts, std::wstring_view defaultFace) {
    FontChoice font;
    font.face = texts.value(L"font", std::wstring(defaultFace));
    font.size = profileInteger(texts.value(L"size", L""), 9);
    font.charset = profileInteger(texts.value(L"charset", L""), 0);
    return font;
}

} // namespace parcelkit::model
