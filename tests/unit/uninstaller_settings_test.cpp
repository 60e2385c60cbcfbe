#include "uninstaller_rig.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using doubles::UninstallerRig;

namespace {

const wchar_t kSystemIni[] = L"C:\\windows\\system.ini";

} // namespace

TEST(RemovalOfSettings, OnlyTheComponentsSystemIniKeysGo) {
    UninstallerRig rig;
    rig.record(L"[main]\r\nid=notes\r\n[list]\r\nAPP=App\r\nDRV=Driver\r\n"
               L"[system.ini]\r\n386Enh,device=APP\r\nboot,drivers,x=DRV\r\nnocomma=APP\r\n");
    rig.profiles.put(kSystemIni, L"[386Enh]\r\ndevice=C:\\windows\\system32\\n.vxd\r\n"
                                 L"keyboard=*vkd\r\n[boot]\r\ndrivers,x=mmsystem.dll\r\n");
    const auto report = rig.remove({L"APP"});
    EXPECT_TRUE(report.leftovers.empty());
    const auto systemIni = rig.profiles.open(kSystemIni);
    EXPECT_EQ(systemIni->readString(L"386Enh", L"device", L"-"), L"-");
    EXPECT_EQ(systemIni->readString(L"386Enh", L"keyboard", L"-"), L"*vkd");
    EXPECT_EQ(systemIni->readString(L"boot", L"drivers,x", L"-"), L"mmsystem.dll");
    const auto record = rig.profiles.open(UninstallerRig::kRecord);
    // An entry without a key name names nothing to delete; it leaves the record all the same.
    EXPECT_EQ(record->keyNames(L"system.ini"), std::vector<std::wstring>{L"boot,drivers,x"});
}

TEST(RemovalOfSettings, RefusedSystemIniWriteKeepsTheComponent) {
    UninstallerRig rig;
    rig.record(L"[main]\r\nid=notes\r\n[list]\r\nAPP=App\r\n[system.ini]\r\n386Enh,device=APP\r\n");
    struct RefusingStore : doubles::MemoryProfileStore {
        doubles::MemoryProfileStore* inner = nullptr;
        std::unique_ptr<platform::ProfileFile> open(const std::wstring& path) override {
            auto file = inner->open(path);
            if (path == kSystemIni) {
                static_cast<doubles::MemoryProfile&>(*file).refuseWrites(true);
            }
            return file;
        }
        platform::Result<std::wstring> readText(const std::wstring& path) const override {
            return inner->readText(path);
        }
        platform::Outcome writeText(const std::wstring& path, const std::wstring& text) override {
            return inner->writeText(path, text);
        }
    } refusing;
    refusing.inner = &rig.profiles;
    uninstaller::RemovalMachine machine{refusing,     rig.disk,      rig.disk,  rig.disk,
                                        rig.registry, rig.processes, rig.system};
    const auto report =
        uninstaller::removeInstallation(machine, UninstallerRig::kProgram, {L"APP"}, {});
    ASSERT_EQ(report.leftovers.size(), 1u);
    EXPECT_EQ(report.leftovers[0].object, L"C:\\windows\\system.ini [386Enh] device");
    EXPECT_FALSE(report.installationRemoved);
    EXPECT_EQ(rig.profiles.open(UninstallerRig::kRecord)->keyNames(L"list"),
              std::vector<std::wstring>{L"APP"});
}

TEST(RemovalOfSettings, EmptyListRemovesTheInstallationItself) {
    // A record whose components went in an earlier run that could not finish.
    UninstallerRig rig;
    rig.record(L"[main]\r\nid=notes\r\n[dir]\r\nC:\\Program Files\\Notes=#share#\r\n"
               L"[file]\r\nC:\\Program Files\\Notes\\readme.txt|0=\r\n");
    rig.disk.addFile(L"C:\\Program Files\\Notes\\readme.txt");
    const auto report = rig.remove({});
    EXPECT_TRUE(report.installationRemoved);
    EXPECT_FALSE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\readme.txt"));
    EXPECT_TRUE(report.removeProgramAfterExit);
}

TEST(RemovalOfSettings, UnrecordedInstallationDirectoryStays) {
    // Installed into a directory that existed already: it is not the installation's.
    UninstallerRig rig;
    rig.record(L"[main]\r\nid=notes\r\n[list]\r\nAPP=App\r\n"
               L"[file]\r\nC:\\Program Files\\Notes\\a.txt|0=APP\r\n");
    rig.disk.addFile(L"C:\\Program Files\\Notes\\a.txt");
    const auto report = rig.remove({L"APP"});
    EXPECT_TRUE(report.installationRemoved);
    EXPECT_TRUE(report.removeProgramAfterExit);
    EXPECT_TRUE(report.directoriesAfterExit.empty());
}
