#include "wine/platform/temp_dir.hpp"

#include <windows.h>

#include <filesystem>
#include <gtest/gtest.h>

namespace parcelkit::doubles {

namespace {

std::wstring makeTestDirectory() {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring path =
        std::wstring(temp) + L"parcelkit tests " + std::to_wstring(::GetCurrentProcessId());
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}

} // namespace

const std::wstring& testDirectory() {
    static const std::wstring path = makeTestDirectory();
    return path;
}

} // namespace parcelkit::doubles

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(parcelkit::doubles::testDirectory(), ignored);
    return result;
}
