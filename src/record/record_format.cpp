#include "record/record_format.hpp"

#include "base/escapes.hpp"

namespace parcelkit::record {

std::wstring runSection(const std::wstring& name) {
    return L"run_" + name;
}

std::wstring infoSection(const std::wstring& name) {
    return name + L"_info";
}

std::wstring fileKey(const std::wstring& path, const std::wstring& suffix) {
    return base::de_extstr(path) + L"|" + suffix;
}

// The suffix follows the last "|": an escaped path holds no "|" of its own.
FileKey readFileKey(const std::wstring& key) {
    const auto bar = key.rfind(L'|');
    if (bar == std::wstring::npos) {
        return {base::extstr(key), L""};
    }
    return {base::extstr(key.substr(0, bar)), key.substr(bar + 1)};
}

std::wstring dirKey(const std::wstring& path) {
    return base::de_extstr(path);
}

std::wstring dirPath(const std::wstring& key) {
    return base::extstr(key);
}

std::wstring_view uninstallerTextFallback(std::wstring_view key) {
    for (const auto& text : kUninstallerTexts) {
        if (text.key == key) {
            return text.fallback;
        }
    }
    return {};
}

} // namespace parcelkit::record
