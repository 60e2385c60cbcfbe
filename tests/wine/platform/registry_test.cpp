#include "platform/win32/registry_win32.hpp"

#include <windows.h>

#include <gtest/gtest.h>

using parcelkit::platform::RootKey;

namespace {
const std::wstring kKey = L"Software\\Parcelkit Tests\\Registry";
}

TEST(Win32Registry, WritesReadsAndDeletesStrings) {
    parcelkit::win32::Win32Registry reg;
    parcelkit::platform::notChecked(
        reg.deleteTree(RootKey::CurrentUser, L"Software\\Parcelkit Tests"));
    EXPECT_FALSE(reg.readString(RootKey::CurrentUser, kKey, L"Name").has_value());
    ASSERT_TRUE(bool(reg.writeString(RootKey::CurrentUser, kKey, L"Name", L"北风 Notes")));
    EXPECT_EQ(reg.readString(RootKey::CurrentUser, L"\\" + kKey, L"name"), L"北风 Notes");
    EXPECT_EQ(reg.readString(RootKey::CurrentUser, kKey, L"Other"), std::nullopt);
    EXPECT_TRUE(reg.keyExists(RootKey::CurrentUser, kKey));
    EXPECT_TRUE(bool(reg.deleteTree(RootKey::CurrentUser, L"Software\\Parcelkit Tests")));
    EXPECT_FALSE(reg.keyExists(RootKey::CurrentUser, kKey));
}

TEST(Win32Registry, WritesNumbersAsDwords) {
    parcelkit::win32::Win32Registry reg;
    ASSERT_TRUE(bool(reg.writeDword(RootKey::CurrentUser, kKey, L"Size", 4000000000u)));
    DWORD type = 0;
    DWORD data = 0;
    DWORD bytes = sizeof data;
    ASSERT_EQ(
        ::RegGetValueW(HKEY_CURRENT_USER, kKey.c_str(), L"Size", RRF_RT_ANY, &type, &data, &bytes),
        ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(data, 4000000000u);
    // Not a string: the string lookup does not take it for one.
    EXPECT_EQ(reg.readString(RootKey::CurrentUser, kKey, L"Size"), std::nullopt);
    EXPECT_TRUE(bool(reg.deleteTree(RootKey::CurrentUser, L"Software\\Parcelkit Tests")));
}

TEST(Win32Registry, RefusesToDeleteARootKey) {
    parcelkit::win32::Win32Registry reg;
    EXPECT_FALSE(bool(reg.deleteTree(RootKey::CurrentUser, L"")));
    EXPECT_FALSE(bool(reg.deleteTree(RootKey::CurrentUser, L"\\")));
    EXPECT_TRUE(reg.keyExists(RootKey::CurrentUser, L"Software"));
}
