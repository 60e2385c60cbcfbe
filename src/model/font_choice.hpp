#pragma once

#include <string>
#include <string_view>

namespace parcelkit::model {

class MessageTexts;

// A font as a language section describes it.
struct FontChoice {
    std::wstring face;
    int size = 9;    // points
    int charset = 0; // Windows character-set number (0 ANSI, 134 GB2312)

    bool operator==(const FontChoice&) const = default;
};

// An integer key of a language section: a decimal number, or a hexadecimal one after
// "0x"; anything else, or a number out of range, gives the default.
int profileInteger(std::wstring_view text, int fallback);

// Keys font, size and charset of the language section; an absent face gives defaultFace.
FontChoice readFont(const MessageTexts& texts, std::wstring_view defaultFace);

} // namespace parcelkit::model
