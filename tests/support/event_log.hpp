#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace parcelkit::doubles {

// What a run did, in order, across the doubles that take part in it.
struct EventLog {
    std::vector<std::wstring> events;

    void add(std::wstring event) { events.push_back(std::move(event)); }

    // Position of the first event equal to the text; events.size() when there is none.
    std::size_t find(const std::wstring& event) const {
        return std::size_t(std::find(events.begin(), events.end(), event) - events.begin());
    }
    bool has(const std::wstring& event) const { return find(event) != events.size(); }
    // The events that start with the prefix, in order.
    std::vector<std::wstring> starting(const std::wstring& prefix) const {
        std::vector<std::wstring> found;
        for (const auto& event : events) {
            if (event.starts_with(prefix)) {
                found.push_back(event);
            }
        }
        return found;
    }

    static std::wstring joined(const std::vector<std::wstring>& lines) {
        std::wstring text;
        for (const auto& line : lines) {
            text += (text.empty() ? L"" : L";") + line;
        }
        return text;
    }
};

} // namespace parcelkit::doubles
