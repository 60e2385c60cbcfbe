#include "model/startup.hpp"
#include "system/installed_programs.hpp"
#include "system_rig.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using platform::RootKey;
using Names = std::vector<std::wstring>;

namespace {

const std::wstring kKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\NotesSetup";

class InstalledProgramsTest : public ::testing::Test {
protected:
    std::wstring value(const std::wstring& name) const {
        return rig.registry.readString(RootKey::LocalMachine, kKey, name).value_or(L"<none>");
    }

    doubles::SystemRig rig;
};

const Names kOrder{L"DisplayName", L"UninstallString", L"Language",      L"DisplayVersion",
                   L"Publisher",   L"UrlInfoAbout",    L"URLUpdateInfo", L"HelpLink",
                   L"Contact",     L"Comments",        L"DisplayIcon"};

} // namespace

TEST_F(InstalledProgramsTest, EveryValueInOrderWithItsDefault) {
    system::uninstall(rig.context);
    EXPECT_EQ(rig.registry.written, kOrder);
    EXPECT_EQ(rig.registry.values.size(), kOrder.size());
    EXPECT_EQ(value(L"DisplayName"), L"Northwind Notes");
    EXPECT_EQ(value(L"UninstallString"), L"D:\\Apps\\Prog\\uninstall.exe");
    EXPECT_EQ(value(L"Language"), L"2052");
    EXPECT_EQ(value(L"Publisher"), L"Parcelkit");
    for (const auto* empty : {L"DisplayVersion", L"UrlInfoAbout", L"URLUpdateInfo", L"HelpLink",
                              L"Contact", L"Comments", L"DisplayIcon"}) {
        EXPECT_EQ(value(empty), L"") << ::testing::PrintToString(std::wstring(empty));
    }
}

TEST_F(InstalledProgramsTest, LanguageSectionValuesInAnyCase) {
    rig.setLanguage(L"[0409]\r\nLANGUAGE=1033\r\ndisplayversion=2.1\r\nPublisher=Northwind\r\n"
                    L"UrlInfoAbout=https://notes.example/about\r\nURLUpdateInfo=u\r\n"
                    L"HelpLink=h\r\nContact=Ann\r\nComments=c\r\n"
                    L"DisplayIcon=#setupdir#\\app.exe<parcelkit_comma>0\r\n");
    system::uninstall(rig.context);
    EXPECT_EQ(value(L"Language"), L"1033");
    EXPECT_EQ(value(L"DisplayVersion"), L"2.1");
    EXPECT_EQ(value(L"Publisher"), L"Northwind");
    EXPECT_EQ(value(L"UrlInfoAbout"), L"https://notes.example/about");
    EXPECT_EQ(value(L"URLUpdateInfo"), L"u");
    EXPECT_EQ(value(L"HelpLink"), L"h");
    EXPECT_EQ(value(L"Contact"), L"Ann");
    EXPECT_EQ(value(L"Comments"), L"c");
    // Doubled backslashes from the macro only, and the tag left as it is.
    EXPECT_EQ(value(L"DisplayIcon"), L"D:\\\\Apps\\\\Prog\\app.exe<parcelkit_comma>0");
}

TEST_F(InstalledProgramsTest, StartUpFindsTheDirectoryAgain) {
    rig.session.dirs.setupdir = L"C:\\Program Files\\Northwind Notes";
    system::uninstall(rig.context);
    EXPECT_EQ(model::installedDirectory(rig.registry, L"NotesSetup"),
              L"C:\\Program Files\\Northwind Notes");
    rig.session.dirs.setupdir = L"E:";
    system::uninstall(rig.context);
    EXPECT_EQ(value(L"UninstallString"), L"E:\\uninstall.exe");
    EXPECT_EQ(model::installedDirectory(rig.registry, L"NotesSetup"), L"E:");
}

TEST_F(InstalledProgramsTest, InstallingAgainOverwritesEveryValue) {
    rig.registry.values[{RootKey::LocalMachine, kKey, L"Publisher"}] = L"Old";
    rig.registry.values[{RootKey::LocalMachine, kKey, L"Comments"}] = L"Old";
    system::uninstall(rig.context);
    EXPECT_EQ(value(L"Publisher"), L"Parcelkit");
    EXPECT_EQ(value(L"Comments"), L"");
}

TEST_F(InstalledProgramsTest, EmptyIdWritesNothing) {
    rig.session.appid.clear();
    system::uninstall(rig.context);
    EXPECT_TRUE(rig.registry.values.empty());
}

TEST_F(InstalledProgramsTest, WithoutRightsNothingIsWrittenAndNothingSaid) {
    rig.registry.refused = {L"*"};
    EXPECT_NO_THROW(system::uninstall(rig.context));
    EXPECT_TRUE(rig.registry.values.empty());
}

TEST_F(InstalledProgramsTest, RefusedValueAfterTheKeyWasMadeNamesTheValue) {
    rig.registry.refused = {L"Publisher"};
    try {
        system::uninstall(rig.context);
        ADD_FAILURE() << "no error";
    } catch (const base::Error& error) {
        EXPECT_EQ(error.operation(), L"Failed to set data for 'Publisher'");
    }
    EXPECT_EQ(rig.registry.written,
              (Names{L"DisplayName", L"UninstallString", L"Language", L"DisplayVersion"}));
}
