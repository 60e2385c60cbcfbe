#include "launch/system_tools.hpp"

namespace parcelkit::launch {

std::wstring systemToolPath(const platform::FileSystem& files, const std::wstring& systemDirectory,
                            const std::wstring& windowsDirectory, const std::wstring& name) {
    if (!systemDirectory.empty()) {
        const std::wstring inSystem = systemDirectory + L"\\" + name;
        if (files.fileExists(inSystem)) {
            return inSystem;
        }
    }
    return windowsDirectory + L"\\" + name;
}

} // namespace parcelkit::launch
