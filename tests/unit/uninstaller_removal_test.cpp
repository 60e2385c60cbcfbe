#include "uninstaller_rig.hpp"

#include <algorithm>
#include <gtest/gtest.h>

using namespace parcelkit;
using doubles::UninstallerRig;

namespace {

// An installation of two components as the installer records it.
const std::wstring kRecord =
    L"[main]\r\nid=notes\r\nname=Notes\r\n"
    L"[dir]\r\n"
    L"C:\\Program Files\\Notes=#share#\r\n"
    L"C:\\Program Files\\Notes\\bin=APP\r\n"
    L"C:\\Program Files\\Notes\\bin\\plugins=APP\r\n"
    L"C:\\Program Files\\Notes\\doc=DOC\r\n"
    L"[uninstall_run]\r\n"
    L"C:\\Program Files\\Notes\\bin\\notes.exe|/close=always|wait|hide\r\n"
    L"[file]\r\n"
    L"C:\\Program Files\\Notes\\readme.txt|0=\r\n"
    L"C:\\Program Files\\Notes\\bin\\notes.exe|0=APP\r\n"
    L"C:\\Program Files\\Notes\\bin\\ole.dll|1=APP\r\n"
    L"C:\\Program Files\\Notes\\bin\\plugins\\p.dll|3=APP\r\n"
    L"C:\\windows\\system32\\msvcx.dll|2=APP\r\n"
    L"C:\\ProgramData\\Start Menu\\Notes.lnk|0=APP\r\n"
    L"C:\\Program Files\\Notes\\doc\\manual.txt|0=DOC\r\n"
    L"[list]\r\nAPP=Application\r\nDOC=Manual\r\n"
    L"[APP_info]\r\nVer=1.0\r\n"
    L"[run_APP]\r\n"
    L"C:\\Program Files\\Notes\\bin\\notes.exe|/unregister=always|wait|hide\r\n";

void layOut(UninstallerRig& rig) {
    rig.record(kRecord);
    for (const auto* file :
         {L"C:\\Program Files\\Notes\\readme.txt", L"C:\\Program Files\\Notes\\bin\\notes.exe",
          L"C:\\Program Files\\Notes\\bin\\ole.dll",
          L"C:\\Program Files\\Notes\\bin\\plugins\\p.dll", L"C:\\windows\\system32\\msvcx.dll",
          L"C:\\ProgramData\\Start Menu\\Notes.lnk",
          L"C:\\Program Files\\Notes\\doc\\manual.txt"}) {
        rig.disk.addFile(file);
    }
    rig.disk.addFile(L"C:\\Program Files\\Notes\\unreg.reg",
                     L"REGEDIT4\r\n\r\n;APP begin\r\n[-HKEY_CURRENT_USER\\Software\\Notes]\r\n"
                     L";APP end\r\n\r\n;DOC begin\r\n[-HKEY_CLASSES_ROOT\\.note]\r\n;DOC end\r\n");
    rig.registry.values[{platform::RootKey::LocalMachine,
                         L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\notes",
                         L"UninstallString"}] = UninstallerRig::kProgram;
}

std::ptrdiff_t indexOf(const std::vector<std::wstring>& log, const std::wstring& entry) {
    const auto it = std::find(log.begin(), log.end(), entry);
    return it == log.end() ? -1 : it - log.begin();
}

} // namespace

TEST(Removal, EverythingGoesButWhatWasThereBefore) {
    UninstallerRig rig;
    layOut(rig);
    const auto report = rig.remove({L"APP", L"DOC"});

    EXPECT_TRUE(report.leftovers.empty()) << report.leftovers.front().object;
    EXPECT_TRUE(report.installationRemoved);
    EXPECT_EQ(report.removedComponents, (std::vector<std::wstring>{L"APP", L"DOC"}));
    EXPECT_FALSE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\bin\\notes.exe"));
    EXPECT_FALSE(rig.disk.hasFile(L"C:\\ProgramData\\Start Menu\\Notes.lnk"));
    EXPECT_FALSE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\readme.txt"));
    EXPECT_FALSE(rig.disk.hasFile(UninstallerRig::kRecord));
    EXPECT_FALSE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\unreg.reg"));
    EXPECT_FALSE(rig.disk.hasDirectory(L"C:\\Program Files\\Notes\\bin"));
    // Was there before, newer than ours: someone else uses it.
    EXPECT_TRUE(rig.disk.hasFile(L"C:\\windows\\system32\\msvcx.dll"));
    // The shortcut's folder was not recorded: it existed before.
    EXPECT_TRUE(rig.disk.hasDirectory(L"C:\\ProgramData\\Start Menu"));
    EXPECT_TRUE(rig.registry.values.empty());
    // The program itself and the directory that holds it go after it has ended.
    EXPECT_TRUE(report.removeProgramAfterExit);
    EXPECT_EQ(report.directoriesAfterExit, std::vector<std::wstring>{L"C:\\Program Files\\Notes"});
    EXPECT_TRUE(rig.disk.hasFile(UninstallerRig::kProgram));
    EXPECT_FALSE(report.restartNeeded());
}

TEST(Removal, StepsOfAComponentComeInTheDocumentedOrder) {
    UninstallerRig rig;
    layOut(rig);
    rig.remove({L"APP", L"DOC"});
    const auto& log = rig.disk.log;
    const auto setupProgram =
        indexOf(log, L"run \"C:\\Program Files\\Notes\\bin\\notes.exe\" /close");
    const auto componentProgram =
        indexOf(log, L"run \"C:\\Program Files\\Notes\\bin\\notes.exe\" /unregister");
    const auto unregister =
        indexOf(log, L"run C:\\windows\\system32\\regsvr32.exe /u /s \"C:\\Program "
                     L"Files\\Notes\\bin\\ole.dll\"");
    const auto unregisterPlugin =
        indexOf(log, L"run C:\\windows\\system32\\regsvr32.exe /u /s \"C:\\Program "
                     L"Files\\Notes\\bin\\plugins\\p.dll\"");
    const auto deleteDll = indexOf(log, L"delete C:\\Program Files\\Notes\\bin\\ole.dll");
    const auto registry =
        indexOf(log, L"run C:\\windows\\regedit.exe /s \"C:\\users\\ann\\Temp\\unr1.TMP\"");
    const auto plugins = indexOf(log, L"rmdir C:\\Program Files\\Notes\\bin\\plugins");
    const auto bin = indexOf(log, L"rmdir C:\\Program Files\\Notes\\bin");
    const auto manual = indexOf(log, L"delete C:\\Program Files\\Notes\\doc\\manual.txt");
    const auto record = indexOf(log, L"delete " + std::wstring(UninstallerRig::kRecord));
    ASSERT_GE(setupProgram, 0);
    EXPECT_LT(setupProgram, componentProgram);
    EXPECT_LT(componentProgram, unregister);
    EXPECT_LT(unregister, unregisterPlugin);
    EXPECT_LT(unregisterPlugin, deleteDll);
    EXPECT_LT(deleteDll, registry);
    EXPECT_LT(registry, plugins);
    EXPECT_LT(plugins, bin);
    EXPECT_LT(bin, manual); // components one after the other, in [list] order
    EXPECT_LT(manual, record);
    // A file that was there before is neither deleted nor unregistered.
    EXPECT_EQ(indexOf(log, L"delete C:\\windows\\system32\\msvcx.dll"), -1);
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const auto& l) { return l.find(L"msvcx") != std::wstring::npos; }),
              0);
}

TEST(Removal, RegistryBlockOfTheComponentAloneIsImported) {
    UninstallerRig rig;
    layOut(rig);
    rig.remove({L"DOC"});
    ASSERT_EQ(rig.processes.imported.size(), 1u);
    EXPECT_EQ(rig.processes.imported[0],
              L"REGEDIT4\r\n\r\n;DOC begin\r\n[-HKEY_CLASSES_ROOT\\.note]\r\n;DOC end\r\n");
    EXPECT_FALSE(rig.disk.hasFile(L"C:\\users\\ann\\Temp\\unr1.TMP"));
    // The applied block leaves the file, the other stays for later.
    EXPECT_EQ(*rig.disk.text(L"C:\\Program Files\\Notes\\unreg.reg"),
              L"REGEDIT4\r\n\r\n;APP begin\r\n[-HKEY_CURRENT_USER\\Software\\Notes]\r\n"
              L";APP end\r\n");
}

TEST(Removal, RegistryEntriesStayWhenTheUserSaysSo) {
    UninstallerRig rig;
    layOut(rig);
    uninstaller::RemovalOptions options;
    options.registryEntries = false;
    const auto report = rig.remove({L"APP", L"DOC"}, options);
    EXPECT_TRUE(rig.processes.imported.empty());
    EXPECT_TRUE(report.installationRemoved);
    // The installation's own entry in the list of programs goes anyway.
    EXPECT_TRUE(rig.registry.values.empty());
}

TEST(Removal, PartialRemovalLeavesATrueRecord) {
    UninstallerRig rig;
    layOut(rig);
    const auto report = rig.remove({L"doc"});
    EXPECT_EQ(report.removedComponents, std::vector<std::wstring>{L"DOC"});
    EXPECT_FALSE(report.installationRemoved);
    EXPECT_FALSE(report.removeProgramAfterExit);
    EXPECT_FALSE(rig.disk.hasDirectory(L"C:\\Program Files\\Notes\\doc"));
    EXPECT_TRUE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\readme.txt"));
    EXPECT_TRUE(rig.disk.hasFile(UninstallerRig::kRecord));
    EXPECT_FALSE(rig.registry.values.empty());
    // Only the one uninstall_run entry of the whole installation is not run yet.
    EXPECT_EQ(indexOf(rig.disk.log, L"run \"C:\\Program Files\\Notes\\bin\\notes.exe\" /close"),
              -1);

    doubles::MemoryProfile ini(UninstallerRig::kRecord,
                               std::make_shared<std::wstring>(rig.recordText()));
    EXPECT_EQ(ini.keyNames(L"list"), std::vector<std::wstring>{L"APP"});
    EXPECT_EQ(ini.readString(L"file", L"C:\\Program Files\\Notes\\doc\\manual.txt|0", L"-"), L"-");
    EXPECT_EQ(ini.readString(L"dir", L"C:\\Program Files\\Notes\\doc", L"-"), L"-");
    EXPECT_EQ(ini.readString(L"file", L"C:\\Program Files\\Notes\\bin\\ole.dll|1", L"-"), L"APP");
    EXPECT_EQ(ini.readString(L"dir", L"C:\\Program Files\\Notes", L"-"), L"#share#");
    EXPECT_EQ(ini.keyNames(L"uninstall_run").size(), 1u);

    // The rest goes in a second run, which ends the installation.
    const auto second = rig.remove({L"APP"});
    EXPECT_TRUE(second.installationRemoved);
    EXPECT_FALSE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\readme.txt"));
}

TEST(Removal, FileInUseGoesAtRestartAndTakesItsDirectoryAndTheProgramAlong) {
    UninstallerRig rig;
    layOut(rig);
    rig.disk.lockFile(L"C:\\Program Files\\Notes\\bin\\notes.exe");
    const auto report = rig.remove({L"APP", L"DOC"});
    EXPECT_TRUE(report.leftovers.empty()) << report.leftovers.front().object;
    EXPECT_TRUE(report.restartNeeded());
    EXPECT_TRUE(report.installationRemoved);
    EXPECT_FALSE(report.removeProgramAfterExit);
    EXPECT_EQ(rig.disk.atRestart, (std::vector<std::wstring>{
                                      L"C:\\Program Files\\Notes\\bin\\notes.exe",
                                      L"C:\\Program Files\\Notes\\bin",
                                      UninstallerRig::kProgram,
                                      L"C:\\Program Files\\Notes",
                                  }));
}

TEST(Removal, FileThatCannotGoKeepsItsComponentAndTheRecord) {
    UninstallerRig rig;
    layOut(rig);
    rig.disk.lockFile(L"C:\\Program Files\\Notes\\bin\\ole.dll");
    rig.disk.refuseDeletesAtRestart();
    const auto report = rig.remove({L"APP", L"DOC"});
    ASSERT_FALSE(report.leftovers.empty());
    EXPECT_EQ(report.leftovers[0].object, L"C:\\Program Files\\Notes\\bin\\ole.dll");
    EXPECT_NE(report.leftovers[0].reason.find(L"another process"), std::wstring::npos);
    EXPECT_FALSE(report.installationRemoved);
    EXPECT_EQ(report.removedComponents, std::vector<std::wstring>{L"DOC"});
    EXPECT_TRUE(rig.disk.hasFile(UninstallerRig::kRecord));
    EXPECT_FALSE(rig.registry.values.empty());
    doubles::MemoryProfile ini(UninstallerRig::kRecord,
                               std::make_shared<std::wstring>(rig.recordText()));
    EXPECT_EQ(ini.keyNames(L"list"), std::vector<std::wstring>{L"APP"});
    EXPECT_EQ(ini.readString(L"file", L"C:\\Program Files\\Notes\\bin\\ole.dll|1", L"-"), L"APP");
    // What did go is out of the record.
    EXPECT_EQ(ini.readString(L"file", L"C:\\Program Files\\Notes\\bin\\notes.exe|0", L"-"), L"-");
}

TEST(Removal, DirectoryWithOtherFilesStaysAndIsListed) {
    UninstallerRig rig;
    layOut(rig);
    rig.disk.addFile(L"C:\\Program Files\\Notes\\doc\\my notes.txt");
    rig.disk.addFile(L"C:\\Program Files\\Notes\\settings.ini");
    const auto report = rig.remove({L"APP", L"DOC"});
    EXPECT_TRUE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\doc\\my notes.txt"));
    EXPECT_TRUE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\settings.ini"));
    ASSERT_EQ(report.leftovers.size(), 1u);
    EXPECT_EQ(report.leftovers[0].object, L"C:\\Program Files\\Notes\\doc");
    // A user's file does not keep the installation in the list of programs.
    EXPECT_TRUE(report.installationRemoved);
    EXPECT_TRUE(rig.registry.values.empty());
    EXPECT_EQ(report.directoriesAfterExit, std::vector<std::wstring>{L"C:\\Program Files\\Notes"});
}

TEST(Removal, AFileAnotherComponentStillRecordsStays) {
    UninstallerRig rig;
    layOut(rig);
    // DOC installed the same help viewer; removing APP must not break DOC.
    rig.record(kRecord);
    EXPECT_TRUE(
        bool(rig.profiles.open(UninstallerRig::kRecord)
                 ->writeString(L"file", L"C:\\Program Files\\Notes\\bin\\ole.dll|0", L"DOC")));
    const auto report = rig.remove({L"APP"});
    EXPECT_TRUE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\bin\\ole.dll"));
    EXPECT_EQ(indexOf(rig.disk.log, L"run C:\\windows\\system32\\regsvr32.exe /u /s "
                                    L"\"C:\\Program Files\\Notes\\bin\\ole.dll\""),
              -1);
    EXPECT_FALSE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\bin\\notes.exe"));
    // Its directory holds DOC's file now: it becomes the installation's.
    EXPECT_TRUE(rig.disk.hasDirectory(L"C:\\Program Files\\Notes\\bin"));
    doubles::MemoryProfile ini(UninstallerRig::kRecord,
                               std::make_shared<std::wstring>(rig.recordText()));
    EXPECT_EQ(ini.readString(L"dir", L"C:\\Program Files\\Notes\\bin", L"-"), L"#share#");
    EXPECT_EQ(report.removedComponents, std::vector<std::wstring>{L"APP"});
}

TEST(Removal, PathsOutsideWhatARecordCanNameAreLeftAlone) {
    UninstallerRig rig;
    rig.record(L"[main]\r\nid=x\r\n[list]\r\nAPP=App\r\n"
               L"[file]\r\nC:\\Program Files\\Notes\\..\\..\\Windows\\win.ini|0=APP\r\n"
               L"C:\\Program Files\\Notes\\*.*|0=APP\r\n"
               L"[dir]\r\nC:\\=APP\r\n");
    rig.disk.addFile(L"C:\\Windows\\win.ini");
    const auto report = rig.remove({L"APP"});
    EXPECT_TRUE(rig.disk.hasFile(L"C:\\Windows\\win.ini"));
    EXPECT_EQ(report.leftovers.size(), 3u);
    EXPECT_FALSE(report.installationRemoved);
    EXPECT_EQ(std::count_if(rig.disk.log.begin(), rig.disk.log.end(),
                            [](const auto& l) {
                                return l.find(L"..") != std::wstring::npos || l == L"rmdir C:\\";
                            }),
              0);
}

TEST(Removal, SilentRunStartsOnlyProgramsMarkedAlways) {
    UninstallerRig rig;
    layOut(rig);
    rig.record(kRecord + L"[run_DOC]\r\nC:\\tools\\ask.exe=before|ask|wait|show\r\n"
                         L"C:\\tools\\bye.exe=after|always|nowait|show\r\n");
    uninstaller::RemovalOptions options;
    options.silent = true;
    rig.remove({L"DOC"}, options);
    EXPECT_EQ(indexOf(rig.disk.log, L"run C:\\tools\\ask.exe"), -1);
    const auto bye = indexOf(rig.disk.log, L"run C:\\tools\\bye.exe");
    // "after": once the component's files are gone, before its directories.
    EXPECT_GT(bye, indexOf(rig.disk.log, L"delete C:\\Program Files\\Notes\\doc\\manual.txt"));
    EXPECT_LT(bye, indexOf(rig.disk.log, L"rmdir C:\\Program Files\\Notes\\doc"));
}

// The entry goes when its command names this very uninstaller, quoted as the installer
// writes it now or unquoted as it did before; another directory's entry stays.
TEST(Removal, InstalledProgramsEntryGoesOnlyWhenItNamesThisUninstaller) {
    const std::vector<std::pair<std::wstring, bool>> rows{
        {L"\"C:\\Program Files\\Notes\\uninstall.exe\"", true},
        {L"C:\\Program Files\\Notes\\uninstall.exe", true},
        {L" c:\\program files\\notes\\UNINSTALL.EXE ", true},
        {L"\"C:\\Program Files\\Notes\\uninstall.exe\" /s", true},
        {L"D:\\Elsewhere\\uninstall.exe", false},
        {L"\"D:\\Elsewhere\\uninstall.exe\"", false},
        {L"\"C:\\Program Files\\Notes\\uninstall.exe /s", false},
    };
    for (const auto& [command, removed] : rows) {
        UninstallerRig rig;
        layOut(rig);
        const auto key = std::tuple{platform::RootKey::LocalMachine,
                                    std::wstring(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                                                 L"Uninstall\\notes"),
                                    std::wstring(L"UninstallString")};
        rig.registry.values[key] = command;
        const auto report = rig.remove({L"APP", L"DOC"});
        EXPECT_TRUE(report.installationRemoved);
        EXPECT_EQ(rig.registry.values.count(key), removed ? 0u : 1u)
            << ::testing::PrintToString(command);
    }
}

TEST(Removal, WithoutARecordNothingIsTouched) {
    UninstallerRig rig;
    rig.disk.addFile(L"C:\\Program Files\\Notes\\notes.exe");
    const auto report = rig.remove({L"APP"});
    ASSERT_EQ(report.leftovers.size(), 1u);
    EXPECT_EQ(report.leftovers[0].object, UninstallerRig::kRecord);
    EXPECT_TRUE(rig.disk.log.empty());
}

TEST(Removal, RefusedRecordWriteStopsAndIsReported) {
    UninstallerRig rig;
    layOut(rig);
    doubles::MemoryProfileStore refusing;
    refusing.put(UninstallerRig::kRecord, kRecord);
    refusing.refuseWholeWrites(UninstallerRig::kRecord);
    uninstaller::RemovalMachine machine{refusing,     rig.disk,      rig.disk,  rig.disk,
                                        rig.registry, rig.processes, rig.system};
    const auto report =
        uninstaller::removeInstallation(machine, UninstallerRig::kProgram, {L"APP", L"DOC"}, {});
    ASSERT_FALSE(report.leftovers.empty());
    EXPECT_EQ(report.leftovers.back().object, UninstallerRig::kRecord);
    EXPECT_FALSE(report.installationRemoved);
    EXPECT_TRUE(rig.disk.hasFile(UninstallerRig::kRecord));
}
