#include "record/unreg_blocks.hpp"

#include "base/text.hpp"

#include <vector>

namespace parcelkit::record {

namespace {

std::vector<std::wstring> linesOf(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find(L'\n', start);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::wstring joined(const std::vector<std::wstring>& lines, std::size_t from, std::size_t to) {
    std::wstring text;
    for (std::size_t i = from; i < to; ++i) {
        text += lines[i] + L"\r\n";
    }
    return text;
}

bool isMarker(const std::wstring& line, const std::wstring& name, const wchar_t* word) {
    return base::equalsIgnoreCase(base::trimBlanks(line), L";" + name + L" " + word);
}

struct Block {
    std::size_t begin = 0; // the begin line
    std::size_t end = 0;   // the end line
};

// The first line is the header, never a marker.
std::optional<Block> findBlock(const std::vector<std::wstring>& lines, const std::wstring& name) {
    for (std::size_t b = 1; b < lines.size(); ++b) {
        if (!isMarker(lines[b], name, L"begin")) {
            continue;
        }
        for (std::size_t e = b + 1; e < lines.size(); ++e) {
            if (isMarker(lines[e], name, L"end")) {
                return Block{b, e};
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::wstring> blockAsRegistryFile(const std::wstring& text,
                                                const std::wstring& name) {
    const auto lines = linesOf(text);
    const auto block = findBlock(lines, name);
    if (!block) {
        return std::nullopt;
    }
    return lines[0] + L"\r\n\r\n" + joined(lines, block->begin, block->end + 1);
}

std::wstring withoutBlock(const std::wstring& text, const std::wstring& name) {
    const auto lines = linesOf(text);
    const auto block = findBlock(lines, name);
    if (!block) {
        return text;
    }
    std::size_t from = block->begin;
    if (from > 1 && base::trimBlanks(lines[from - 1]).empty()) {
        --from;
    }
    return joined(lines, 0, from) + joined(lines, block->end + 1, lines.size());
}

} // namespace parcelkit::record
