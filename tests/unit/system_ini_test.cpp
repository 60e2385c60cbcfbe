#include "system/system_ini.hpp"
#include "system_rig.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;

namespace {

constexpr wchar_t kSystemIni[] = L"C:\\windows\\system.ini";

class SystemIniTest : public ::testing::Test {
protected:
    SystemIniTest() { rig.session.ostype = script::OsFamily::Nine; }

    std::wstring systemIni(const std::wstring& section, const std::wstring& key) {
        return rig.machine.profiles.open(kSystemIni)->readString(section, key, L"<none>");
    }

    doubles::SystemRig rig;
};

} // namespace

TEST_F(SystemIniTest, EntryIsExpandedWrittenAndRecorded) {
    rig.machine.profiles.put(kSystemIni, L"[386Enh]\r\ndevice=old.vxd\r\nother=1\r\n");
    system::systemini(
        rig.context, {L"386Enh,device=#sysdir#\\x.vxd", L"boot,shell=a<parcelkit_comma>b"}, L"APP");
    EXPECT_EQ(systemIni(L"386Enh", L"device"), L"C:\\windows\\system32\\x.vxd");
    EXPECT_EQ(systemIni(L"386Enh", L"other"), L"1");
    EXPECT_EQ(systemIni(L"boot", L"shell"), L"a,b");
    // One key replaced in place, not a second one added.
    EXPECT_EQ(rig.machine.profiles.open(kSystemIni)->keyNames(L"386Enh"),
              (std::vector<std::wstring>{L"device", L"other"}));
    EXPECT_EQ(rig.record(L"system.ini", L"386Enh,device"), L"APP");
    EXPECT_EQ(rig.record(L"system.ini", L"boot,shell"), L"APP");
}

TEST_F(SystemIniTest, KeySideIsUsedAsWrittenAndSplitAtItsFirstComma) {
    system::systemini(rig.context, {L"drivers,wave,#sysdir#=1"}, L"APP");
    EXPECT_EQ(systemIni(L"drivers", L"wave,#sysdir#"), L"1");
    EXPECT_EQ(rig.record(L"system.ini", L"drivers,wave,#sysdir#"), L"APP");
}

TEST_F(SystemIniTest, NtFamilyWritesNothing) {
    rig.session.ostype = script::OsFamily::Nt;
    system::systemini(rig.context, {L"386Enh,device=x.vxd"}, L"APP");
    EXPECT_EQ(rig.machine.profiles.text(kSystemIni), nullptr);
    EXPECT_TRUE(rig.context.uninstallini->file().sectionNames().empty());
}

TEST_F(SystemIniTest, EntryWithoutSectionOrKeyNameIsPassedOver) {
    system::systemini(rig.context, {L"386Enh=x.vxd", L",device=y.vxd", L"386Enh,=z.vxd"}, L"APP");
    EXPECT_EQ(systemIni(L"386Enh", L"device"), L"<none>");
    EXPECT_TRUE(rig.context.uninstallini->file().sectionNames().empty());
}

TEST_F(SystemIniTest, RecordIsWrittenBeforeTheEntryIsApplied) {
    rig.machine.profiles.put(kSystemIni, L"");
    // A record that cannot be written stops the step before system.ini changes, so the
    // uninstaller never misses an entry that was made.
    rig.machine.profiles.refuseWholeWrites(rig.context.uninstallini->path());
    EXPECT_THROW(system::systemini(rig.context, {L"386Enh,device=x.vxd"}, L"APP"), base::Error);
    EXPECT_EQ(*rig.machine.profiles.text(kSystemIni), L"");
}
