#include "contract/profile_maker.hpp"
#include "platform/win32/profile_win32.hpp"
#include "wine/platform/temp_dir.hpp"

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace parcelkit::doubles {

std::unique_ptr<platform::ProfileFile> makeProfile(const std::string& bytes) {
    static int counter = 0;
    const std::wstring path = testDirectory() + L"\\profile" + std::to_wstring(++counter) + L".ini";
    if (!bytes.empty()) {
        std::ofstream(std::filesystem::path(path), std::ios::binary)
            .write(bytes.data(), std::streamsize(bytes.size()));
    }
    return std::make_unique<win32::Win32Profile>(path);
}

std::string utf16File(const std::string& utf8) {
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring text(std::size_t(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), length);
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

} // namespace parcelkit::doubles
