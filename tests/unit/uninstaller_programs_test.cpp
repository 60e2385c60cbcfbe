#include "uninstaller_rig.hpp"

#include <algorithm>
#include <gtest/gtest.h>

using namespace parcelkit;
using doubles::UninstallerRig;

namespace {

std::vector<std::wstring> runs(const UninstallerRig& rig) {
    std::vector<std::wstring> started;
    for (const auto& line : rig.disk.log) {
        if (line.rfind(L"run ", 0) == 0) {
            started.push_back(line.substr(4));
        }
    }
    return started;
}

} // namespace

TEST(RemovalPrograms, PhaseDecidesBeforeOrAfterAndUnknownPhasesNeverRun) {
    UninstallerRig rig;
    rig.record(
        L"[main]\r\nid=x\r\n[list]\r\nAPP=App\r\n"
        L"[run_APP]\r\n"
        L"C:\\t\\late.exe=after|always|wait|hide\r\n"
        L"C:\\t\\three.exe|-q|C:\\t=always|wait|hide\r\n"
        L"C:\\t\\early.exe=before|always|wait|hide\r\n"
        L"C:\\t\\never.exe=After|always|wait|hide\r\n"
        L"C:\\t\\two.exe=always|wait\r\n"
        L"C:\\t\\alone.exe=after\r\n"
        L"C:\\My Tools\\tag<parcelkit_vline>s.exe|a<parcelkit_equals>b=always|nowait|show\r\n"
        L"[file]\r\nC:\\Program Files\\Notes\\a.txt|0=APP\r\n");
    rig.disk.addFile(L"C:\\Program Files\\Notes\\a.txt");
    rig.remove({L"APP"});
    // Programs without a phase run first: they usually lie among the files to remove.
    EXPECT_EQ(runs(rig), (std::vector<std::wstring>{
                             L"C:\\t\\three.exe -q",
                             L"C:\\t\\early.exe",
                             L"C:\\t\\two.exe",
                             L"\"C:\\My Tools\\tag|s.exe\" a=b",
                             L"C:\\t\\late.exe",
                             L"C:\\t\\alone.exe",
                         }));
    EXPECT_EQ(rig.processes.requests[0].workingDirectory, L"C:\\t");
    EXPECT_EQ(rig.processes.requests[0].showCommand, platform::kShowHidden);
    EXPECT_EQ(rig.processes.requests[2].showCommand, platform::kShowNormal);
    EXPECT_EQ(rig.processes.requests[3].waitMilliseconds, 0u);
    const auto late = std::find(rig.disk.log.begin(), rig.disk.log.end(), L"run C:\\t\\late.exe") -
                      rig.disk.log.begin();
    const auto deleted = std::find(rig.disk.log.begin(), rig.disk.log.end(),
                                   L"delete C:\\Program Files\\Notes\\a.txt") -
                         rig.disk.log.begin();
    EXPECT_LT(deleted, late);
}

TEST(RemovalPrograms, MissingRegistryEditorKeepsTheBlockAndSaysSo) {
    UninstallerRig rig;
    rig.record(L"[main]\r\nid=x\r\n[list]\r\nAPP=App\r\n");
    const std::wstring unreg =
        L"REGEDIT4\r\n\r\n;APP begin\r\n[-HKEY_CURRENT_USER\\X]\r\n;APP end\r\n";
    rig.disk.addFile(L"C:\\Program Files\\Notes\\unreg.reg", unreg);
    rig.processes.missing.insert(L"C:\\windows\\regedit.exe /s \"C:\\users\\ann\\Temp\\unr1.TMP\"");
    const auto report = rig.remove({L"APP"});
    ASSERT_EQ(report.leftovers.size(), 1u);
    EXPECT_EQ(report.leftovers[0].object, L"unreg.reg ;APP");
    ASSERT_TRUE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\unreg.reg"));
    EXPECT_EQ(*rig.disk.text(L"C:\\Program Files\\Notes\\unreg.reg"), unreg);
    EXPECT_FALSE(rig.disk.hasFile(L"C:\\users\\ann\\Temp\\unr1.TMP"));
    // Its registry entries are still there: the component stays, and so does the record.
    EXPECT_TRUE(report.removedComponents.empty());
    EXPECT_FALSE(report.installationRemoved);
    EXPECT_TRUE(rig.disk.hasFile(UninstallerRig::kRecord));
}

TEST(RemovalPrograms, WaitedProgramThatCannotStartIsListed) {
    UninstallerRig rig;
    rig.record(L"[main]\r\nid=x\r\n[list]\r\nAPP=App\r\n"
               L"[run_APP]\r\nC:\\gone\\tool.exe=always|wait|hide\r\n");
    rig.processes.missing.insert(L"C:\\gone\\tool.exe");
    const auto report = rig.remove({L"APP"});
    ASSERT_EQ(report.leftovers.size(), 1u);
    EXPECT_EQ(report.leftovers[0].object, L"C:\\gone\\tool.exe");
    // The program's failure does not stop the removal.
    EXPECT_EQ(report.removedComponents, std::vector<std::wstring>{L"APP"});
}
