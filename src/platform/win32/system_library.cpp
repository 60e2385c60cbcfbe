#include "platform/win32/system_library.hpp"

#include "base/paths.hpp"

namespace parcelkit::win32 {

namespace {

template <typename Read> std::wstring directoryFrom(Read read) {
    std::wstring buffer(MAX_PATH + 1, L'\0');
    UINT length = read(buffer.data(), UINT(buffer.size()));
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = read(buffer.data(), UINT(buffer.size()));
    }
    buffer.resize(length < buffer.size() ? length : 0);
    return base::withoutTrailingBackslashes(buffer);
}

} // namespace

std::wstring systemDirectory() {
    return directoryFrom([](wchar_t* out, UINT size) { return ::GetSystemDirectoryW(out, size); });
}

UniqueModule loadSystemLibrary(const wchar_t* name) {
    const std::wstring directory = systemDirectory();
    if (directory.empty()) {
        return UniqueModule();
    }
    const std::wstring path = directory + L"\\" + name;
    // The altered search makes the DLL's own imports resolve from the system directory too.
    return UniqueModule(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

} // namespace parcelkit::win32
