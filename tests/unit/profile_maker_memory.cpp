#include "contract/profile_maker.hpp"
#include "memory_profile.hpp"

namespace parcelkit::doubles {

std::unique_ptr<platform::ProfileFile> makeProfile(const std::string& bytes) {
    return std::make_unique<MemoryProfile>(
        L"memory.ini", std::make_shared<std::wstring>(decodeProfileBytes(bytes)));
}

std::string utf16File(const std::string& utf8) {
    const std::wstring text = decodeProfileBytes("\xEF\xBB\xBF" + utf8);
    std::string bytes = "\xFF\xFE";
    for (const wchar_t c : text) {
        const auto unit = static_cast<std::uint32_t>(c);
        bytes.push_back(char(unit & 0xFF));
        bytes.push_back(char((unit >> 8) & 0xFF));
    }
    return bytes;
}

} // namespace parcelkit::doubles
