#include "fake_shutdown.hpp"
#include "presenters/restart.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using Calls = std::vector<std::wstring>;

TEST(Restart, NineFamilyAsksTheWindowManagerWithShutdownAndReboot) {
    doubles::FakeShutdown shutdown;
    shutdown.nine = true;
    EXPECT_TRUE(presenters::WindowsShutdown(shutdown, L"", false, true));
    EXPECT_TRUE(presenters::WindowsShutdown(shutdown, L"", true, false));
    EXPECT_EQ(shutdown.calls, (Calls{L"exitWindows 3", L"exitWindows 5"}));
}

TEST(Restart, NineFamilyCannotRestartAnotherMachine) {
    doubles::FakeShutdown shutdown;
    shutdown.nine = true;
    EXPECT_FALSE(presenters::WindowsShutdown(shutdown, L"SERVER", false, true));
    EXPECT_TRUE(shutdown.calls.empty());
}

TEST(Restart, NtFamilyEnablesBothPrivilegesThenShutsDown) {
    doubles::FakeShutdown shutdown;
    EXPECT_TRUE(presenters::WindowsShutdown(shutdown, L"", false, true));
    EXPECT_EQ(shutdown.calls, (Calls{L"enablePrivilege |SeShutdownPrivilege",
                                     L"enablePrivilege |SeRemoteShutdownPrivilege",
                                     L"initiateShutdown ||restart"}));
    shutdown.accept = false;
    EXPECT_FALSE(presenters::WindowsShutdown(shutdown, L"", false, true));
}

TEST(Restart, NtFamilyStopsAtAFailedPrivilegeLookup) {
    doubles::FakeShutdown shutdown;
    shutdown.unknown = {L"SeRemoteShutdownPrivilege"};
    EXPECT_FALSE(presenters::WindowsShutdown(shutdown, L"", false, true));
    EXPECT_EQ(shutdown.calls.size(), 2u);
    shutdown.calls.clear();
    shutdown.unknown = {L"SeShutdownPrivilege"};
    EXPECT_FALSE(presenters::WindowsShutdown(shutdown, L"", false, true));
    EXPECT_EQ(shutdown.calls, (Calls{L"enablePrivilege |SeShutdownPrivilege"}));
}
