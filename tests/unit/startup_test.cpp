#include "fake_file_system.hpp"
#include "fake_registry.hpp"
#include "fake_system_info.hpp"
#include "memory_profile.hpp"
#include "model/setup_folder.hpp"
#include "model/startup.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;

TEST(Startup, ReadsTheNtFamilyMachine) {
    doubles::FakeSystemInfo system;
    doubles::FakeFileSystem files;
    ASSERT_TRUE(bool(files.setCurrentDirectory(L"E:\\setup")));
    model::Session session;
    model::readMachine(session, system, files);
    EXPECT_EQ(session.ostype, script::OsFamily::Nt);
    EXPECT_EQ(session.dirs.windir, L"C:\\windows");
    EXPECT_EQ(session.dirs.tempdir, L"C:\\users\\ann\\Temp");
    EXPECT_EQ(session.dirs.programfilesdir, L"C:\\Program Files");
    EXPECT_EQ(session.dirs.allusersdir, L"C:\\ProgramData");
    EXPECT_EQ(session.dirs.userdir, L"C:\\users\\ann");
    EXPECT_EQ(session.dirs.currentdir, L"E:\\setup");
}

TEST(Startup, NineFamilyFallsBackToTheWindowsDirectoryForProfiles) {
    doubles::FakeSystemInfo system;
    system.id = 1;
    system.windows = L"C:\\WINDOWS\\";
    system.system = L"D:\\WINDOWS\\SYSTEM";
    system.env.clear();
    doubles::FakeFileSystem files;
    model::Session session;
    model::readMachine(session, system, files);
    EXPECT_EQ(session.ostype, script::OsFamily::Nine);
    EXPECT_EQ(session.dirs.windir, L"C:\\WINDOWS");
    EXPECT_EQ(session.dirs.allusersdir, L"C:\\WINDOWS\\All Users");
    EXPECT_EQ(session.dirs.userdir, L"C:\\WINDOWS");
    EXPECT_EQ(session.dirs.programfilesdir, L"D:\\Program Files");
}

TEST(Startup, UnknownPlatformLeavesTheFamilyEmptyAndNoFallbacks) {
    doubles::FakeSystemInfo system;
    system.id = 3;
    system.env.clear();
    doubles::FakeFileSystem files;
    model::Session session;
    model::readMachine(session, system, files);
    EXPECT_EQ(session.ostype, script::OsFamily::Unknown);
    EXPECT_EQ(session.dirs.allusersdir, L"");
}

TEST(Startup, SetupScriptMainSection) {
    doubles::MemoryProfileStore store;
    store.put(L"setup.ini", L"[main]\r\nprogdir=#PROGDIR#\\Northwind\\#setupname#\\\r\n"
                            L"id=NorthwindNotes\r\nmode=Update\r\nininame=pk.ini\r\n");
    model::Session session;
    session.dirs.programfilesdir = L"C:\\Program Files";
    model::readSetupScript(session, *store.open(L"setup.ini"));
    EXPECT_EQ(session.dirs.setupdir, L"C:\\Program Files\\Northwind\\#setupname#");
    EXPECT_EQ(session.appid, L"NorthwindNotes");
    EXPECT_FALSE(session.setupmode);
    EXPECT_EQ(session.ininame, L"pk.ini");
}

TEST(Startup, SetupModeDefaultsAndOddValues) {
    doubles::MemoryProfileStore store;
    store.put(L"none.ini", L"");
    store.put(L"setup.ini", L"[main]\r\nmode=SETUP\r\n");
    store.put(L"odd.ini", L"[main]\r\nmode=install\r\n");
    EXPECT_TRUE(model::readSetupMode(*store.open(L"none.ini")));
    EXPECT_TRUE(model::readSetupMode(*store.open(L"setup.ini")));
    EXPECT_FALSE(model::readSetupMode(*store.open(L"odd.ini")));
    model::Session session;
    model::readSetupScript(session, *store.open(L"none.ini"));
    EXPECT_EQ(session.ininame, L"parcelkit.ini");
}

// The earlier installation's directory from its entry's uninstall command: quoted as the
// installer writes it, unquoted as earlier versions did, or as another tool left it.
TEST(Startup, EarlierInstallationFromEitherFormOfTheCommand) {
    const std::vector<std::pair<std::wstring, std::wstring>> rows{
        {L"\"C:\\Program Files\\Notes\\uninstall.exe\"", L"C:\\Program Files\\Notes"},
        {L"C:\\Program Files\\Notes\\uninstall.exe", L"C:\\Program Files\\Notes"},
        {L"\"C:\\Program Files\\Notes\\uninstall.exe\" /s", L"C:\\Program Files\\Notes"},
        {L"\"E:\\uninstall.exe\"", L"E:"},
        {L"E:\\uninstall.exe", L"E:"},
        {L"\"E:\\Notes\\uninstall.exe", L"E:\\Notes"}, // no closing quote
        {L"uninstall.exe", L""},
        {L"", L""},
    };
    for (const auto& [command, directory] : rows) {
        doubles::FakeRegistry registry;
        registry.values[{platform::RootKey::LocalMachine,
                         L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Notes",
                         L"UninstallString"}] = command;
        EXPECT_EQ(model::installedDirectory(registry, L"Notes"), directory)
            << ::testing::PrintToString(command);
    }
}

// The setup folder: the current directory when it holds setup.ini, else the program's own
// folder when that does; the run then works from it as its current directory.
TEST(Startup, SetupFolderIsTheCurrentDirectoryOrElseTheProgramsOwn) {
    struct Row {
        const wchar_t* current;
        const wchar_t* program;
        std::vector<const wchar_t*> scripts; // the setup.ini files there are
        const wchar_t* entered;
    };
    const std::vector<Row> rows{
        {L"E:\\setup", L"E:\\setup", {L"E:\\setup\\setup.ini"}, L"E:\\setup"},
        {L"C:\\", L"E:\\setup", {L"E:\\setup\\setup.ini"}, L"E:\\setup"},
        {L"D:\\work", L"E:\\setup", {L"D:\\work\\setup.ini", L"E:\\setup\\setup.ini"}, L"D:\\work"},
        {L"D:\\work", L"E:\\setup", {}, L"D:\\work"},
        {L"D:\\work", L"F:\\", {L"F:\\setup.ini"}, L"F:\\"},
    };
    for (const auto& row : rows) {
        doubles::FakeFileSystem files;
        doubles::FakeSystemInfo system;
        ASSERT_TRUE(bool(files.setCurrentDirectory(row.current)));
        system.programFolder = row.program;
        for (const auto* script : row.scripts) {
            files.addFile(script);
        }
        EXPECT_EQ(model::setupFolder(files, system), row.entered)
            << ::testing::PrintToString(std::wstring(row.current));
        model::enterSetupFolder(files, system);
        EXPECT_EQ(files.currentDirectory(), row.entered)
            << ::testing::PrintToString(std::wstring(row.current));
    }
}
