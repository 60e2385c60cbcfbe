#include "base/escapes.hpp"

#include "base/text.hpp"

#include <algorithm>
#include <iterator>

namespace parcelkit::base {

namespace {

struct Tag {
    std::wstring_view tag;
    std::wstring_view text;
};

// Decoding order; the space tag comes first and is never produced by the encoder.
constexpr Tag kTags[] = {
    {L"<parcelkit_space>", L" "}, {L"<parcelkit_equals>", L"="},   {L"<parcelkit_comma>", L","},
    {L"<parcelkit_vline>", L"|"}, {L"<parcelkit_num_sign>", L"#"}, {L"<parcelkit_enter>", L"\r\n"},
};

// Every tag opens with it: a text without one, such as most of the record's paths, has
// nothing to decode.
constexpr wchar_t kTagOpener = L'<';
static_assert(std::all_of(std::begin(kTags), std::end(kTags),
                          [](const Tag& t) { return t.tag.front() == kTagOpener; }));

} // namespace

std::wstring extstr(std::wstring_view text) {
    std::wstring out(text);
    if (text.find(kTagOpener) == std::wstring_view::npos) {
        return out;
    }
    for (const auto& t : kTags) {
        out = replaceAllIgnoreCase(out, t.tag, t.text);
    }
    return out;
}

std::wstring de_extstr(std::wstring_view text) {
    std::wstring out(text);
    for (std::size_t i = 1; i < std::size(kTags); ++i) {
        // Once for each recorded file: a path rarely holds a text that needs a tag.
        if (out.find(kTags[i].text) != std::wstring::npos) {
            out = replaceAll(out, kTags[i].text, kTags[i].tag);
        }
    }
    return out;
}

std::wstring parse(std::wstring& list, std::wstring_view separator) {
    const auto p = separator.empty() ? std::wstring::npos : list.find(separator);
    if (p == std::wstring::npos) {
        std::wstring field;
        field.swap(list);
        return field;
    }
    std::wstring field = list.substr(0, p);
    // One character is dropped after the field: every separator in use is one character.
    list.erase(0, p + 1);
    return field;
}

void extstring(std::wstring_view separator, std::wstring_view text,
               std::vector<std::wstring>& target) {
    std::wstring rest(text);
    while (!rest.empty()) {
        const auto p = separator.empty() ? std::wstring::npos : rest.find(separator);
        if (p == std::wstring::npos) {
            target.push_back(rest);
            return;
        }
        std::wstring field = rest.substr(0, p);
        rest.erase(0, p + 1);
        if (!field.empty()) {
            target.push_back(std::move(field));
        }
    }
}

} // namespace parcelkit::base
