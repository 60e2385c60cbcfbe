#include "platform/win32/version_info_win32.hpp"

#include "platform/win32/system_library.hpp"

#include <windows.h>

#include <vector>

namespace parcelkit::win32 {

namespace {

// version.dll is not among the DLLs Windows always takes from the system directory, so it
// is not imported: a copy left beside the program would be loaded before it starts.
class VersionLibrary {
public:
    VersionLibrary() : module_(loadSystemLibrary(L"version.dll")) {
        if (module_) {
            size_ = reinterpret_cast<SizeFn>(reinterpret_cast<void*>(
                ::GetProcAddress(module_.get(), "GetFileVersionInfoSizeW")));
            info_ = reinterpret_cast<InfoFn>(
                reinterpret_cast<void*>(::GetProcAddress(module_.get(), "GetFileVersionInfoW")));
            query_ = reinterpret_cast<QueryFn>(
                reinterpret_cast<void*>(::GetProcAddress(module_.get(), "VerQueryValueW")));
        }
    }

    bool usable() const { return size_ != nullptr && info_ != nullptr && query_ != nullptr; }
    DWORD size(const wchar_t* path, DWORD* handle) const { return size_(path, handle); }
    BOOL info(const wchar_t* path, DWORD size, void* block) const {
        return info_(path, 0, size, block);
    }
    BOOL query(const void* block, const wchar_t* sub, void** value, UINT* length) const {
        return query_(block, sub, value, length);
    }

private:
    using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    UniqueModule module_;
    SizeFn size_ = nullptr;
    InfoFn info_ = nullptr;
    QueryFn query_ = nullptr;
};

// Loaded when the first version is asked for, and kept for the rest of the run.
const VersionLibrary& versionLibrary() {
    static const VersionLibrary library;
    return library;
}

} // namespace

std::optional<platform::FileVersion> Win32VersionInfo::fileVersion(const std::wstring& path) const {
    const VersionLibrary& library = versionLibrary();
    if (!library.usable()) {
        return std::nullopt;
    }
    DWORD ignored = 0;
    const DWORD size = library.size(path.c_str(), &ignored);
    if (size == 0) {
        return std::nullopt;
    }
    std::vector<BYTE> block(size);
    if (!library.info(path.c_str(), size, block.data())) {
        return std::nullopt;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!library.query(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        fixed == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    return platform::FileVersion{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                                 HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
}

} // namespace parcelkit::win32
