#include "uninstaller/silent_removal.hpp"
#include "uninstaller_rig.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using doubles::UninstallerRig;

namespace {

struct FakeSelfRemoval : platform::SelfRemoval {
    bool refuse = false;
    std::vector<std::vector<std::wstring>> asked;
    std::wstring programPath() const override { return UninstallerRig::kProgram; }
    platform::Outcome removeAfterExit(const std::vector<std::wstring>& directories) override {
        asked.push_back(directories);
        if (refuse) {
            return platform::Failure{platform::Failure::kAccessDenied, L"Access is denied."};
        }
        return {};
    }
};

const std::wstring kRecord = L"[main]\r\nid=notes\r\n"
                             L"[dir]\r\nC:\\Program Files\\Notes=#share#\r\n"
                             L"[list]\r\nAPP=App\r\nDOC=Doc\r\n"
                             L"[run_DOC]\r\nC:\\tools\\ask.exe=before|ask|wait|show\r\n"
                             L"[file]\r\nC:\\Program Files\\Notes\\a.exe|0=APP\r\n"
                             L"C:\\Program Files\\Notes\\d.txt|0=DOC\r\n";

} // namespace

TEST(SilentRemoval, EverythingGoesAndTheProgramIsHandedOver) {
    UninstallerRig rig;
    rig.record(kRecord);
    rig.disk.addFile(L"C:\\Program Files\\Notes\\a.exe");
    rig.disk.addFile(L"C:\\Program Files\\Notes\\d.txt");
    FakeSelfRemoval self;
    EXPECT_EQ(uninstaller::removeSilently(rig.machine, self), uninstaller::kExitRemoved);
    EXPECT_FALSE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\d.txt"));
    EXPECT_FALSE(rig.disk.hasFile(UninstallerRig::kRecord));
    ASSERT_EQ(self.asked.size(), 1u);
    EXPECT_EQ(self.asked[0], std::vector<std::wstring>{L"C:\\Program Files\\Notes"});
    // Nothing asks the user under "/s".
    EXPECT_TRUE(rig.processes.requests.empty());
}

TEST(SilentRemoval, ExitCodeTellsWhatStays) {
    UninstallerRig rig;
    rig.record(kRecord);
    rig.disk.addFile(L"C:\\Program Files\\Notes\\a.exe");
    rig.disk.lockFile(L"C:\\Program Files\\Notes\\a.exe");
    FakeSelfRemoval self;
    EXPECT_EQ(uninstaller::removeSilently(rig.machine, self), uninstaller::kExitRestartNeeded);
    EXPECT_TRUE(self.asked.empty()); // the restart takes the program too

    UninstallerRig refused;
    refused.record(kRecord);
    refused.disk.addFile(L"C:\\Program Files\\Notes\\a.exe");
    refused.disk.lockFile(L"C:\\Program Files\\Notes\\a.exe");
    refused.disk.refuseDeletesAtRestart();
    EXPECT_EQ(uninstaller::removeSilently(refused.machine, self), uninstaller::kExitLeftovers);
}

TEST(SilentRemoval, RefusedSelfRemovalIsALeftover) {
    UninstallerRig rig;
    rig.record(kRecord);
    FakeSelfRemoval self;
    self.refuse = true;
    EXPECT_EQ(uninstaller::removeSilently(rig.machine, self), uninstaller::kExitLeftovers);
}
