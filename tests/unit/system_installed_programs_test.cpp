#include "model/startup.hpp"
#include "system/installed_programs.hpp"
#include "system_rig.hpp"

#include <gtest/gtest.h>
#include <map>

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
    std::uint32_t number(const std::wstring& name) const {
        const auto found = rig.registry.dwords.find({RootKey::LocalMachine, kKey, name});
        return found == rig.registry.dwords.end() ? 0xBADu : found->second;
    }

    doubles::SystemRig rig;
};

const Names kOrder{L"DisplayName",
                   L"UninstallString",
                   L"Language",
                   L"DisplayVersion",
                   L"Publisher",
                   L"UrlInfoAbout",
                   L"URLUpdateInfo",
                   L"HelpLink",
                   L"Contact",
                   L"Comments",
                   L"DisplayIcon",
                   L"InstallLocation",
                   L"QuietUninstallString",
                   L"EstimatedSize",
                   L"InstallDate",
                   L"NoModify",
                   L"NoRepair"};

} // namespace

TEST_F(InstalledProgramsTest, EveryValueInOrderWithItsDefault) {
    system::uninstall(rig.context);
    EXPECT_EQ(rig.registry.written, kOrder);
    // Three numbers; every other value a string.
    EXPECT_EQ(rig.registry.dwords.size(), 3u);
    EXPECT_EQ(rig.registry.values.size(), kOrder.size() - 3);
    const std::wstring uninstaller = L"\"D:\\Apps\\Prog\\uninstall.exe\"";
    const std::map<std::wstring, std::wstring> strings{
        {L"DisplayName", L"Northwind Notes"},
        {L"UninstallString", uninstaller},
        {L"Language", L"2052"},
        {L"Publisher", L"Parcelkit"},
        {L"InstallLocation", L"D:\\Apps\\Prog"},
        {L"QuietUninstallString", uninstaller + L" /s"},
        {L"InstallDate", L"20240309"}};
    for (const auto& name : kOrder) {
        const auto wanted = strings.find(name);
        if (rig.registry.dwords.count({RootKey::LocalMachine, kKey, name}) == 0) {
            EXPECT_EQ(value(name), wanted == strings.end() ? L"" : wanted->second)
                << ::testing::PrintToString(name);
        }
    }
    const std::vector<std::pair<std::wstring, std::uint32_t>> numbers{
        {L"EstimatedSize", 0}, {L"NoModify", 1}, {L"NoRepair", 1}};
    for (const auto& [name, data] : numbers) {
        EXPECT_EQ(number(name), data) << ::testing::PrintToString(name);
        // A number, not a string that reads as one.
        EXPECT_EQ(value(name), L"<none>") << ::testing::PrintToString(name);
    }
}

// The kilobytes of what the record says was installed, at the sizes the listing reports.
TEST_F(InstalledProgramsTest, EstimatedSizeCountsTheRecordedFilesAndTheUninstaller) {
    struct Row {
        const wchar_t* onDisk; // nullptr: not there
        std::uint64_t bytes;
        const wchar_t* recorded; // as the record names it, with its suffix; nullptr: not
        const wchar_t* suffix;
    };
    const std::wstring dir = L"D:\\Apps\\Prog\\";
    const std::wstring sys = L"C:\\windows\\system32\\";
    const std::vector<Row> rows{
        {L"notes.exe", 3000, L"notes.exe", L"0"},
        {L"notes.exe", 0, L"notes.exe", L"1"},      // recorded twice, counted once
        {L"uninstall.exe", 1000, nullptr, nullptr}, // the installation's own
        {L"plugin.dll", 24, L"Plugin.DLL", L"3"},   // the disk's letter case
        {L"data.txt", 7777, nullptr, nullptr},      // the user's file
        {nullptr, 0, L"gone.txt", L"0"},            // recorded, no longer there
    };
    for (const auto& row : rows) {
        if (row.onDisk != nullptr && row.bytes != 0) {
            rig.machine.files.addFile(dir + row.onDisk);
            rig.machine.files.setSize(dir + row.onDisk, row.bytes);
        }
        if (row.recorded != nullptr) {
            rig.context.uninstallini->addFile(dir + row.recorded, row.suffix, L"APP");
        }
    }
    // Outside the installation directory: a shared file installed, and a newer one kept.
    rig.machine.files.addDirectory(L"C:\\windows\\system32");
    rig.machine.files.addFile(sys + L"shared.dll");
    rig.machine.files.setSize(sys + L"shared.dll", 5000);
    rig.context.uninstallini->addFile(sys + L"shared.dll", L"1", L"APP");
    rig.machine.files.addFile(sys + L"newer.dll");
    rig.machine.files.setSize(sys + L"newer.dll", 100000);
    rig.context.uninstallini->addFile(sys + L"newer.dll", L"2", L"APP");

    system::uninstall(rig.context);
    // 3000 + 1000 + 24 + 5000 bytes, rounded up to whole kilobytes.
    EXPECT_EQ(number(L"EstimatedSize"), 9u);

    // A directory whose recorded files this run copied, all of them, counts them at the
    // sizes they were copied with, in any letter case, without being listed.
    const std::wstring fresh = dir + L"fresh\\";
    rig.context.copiedSizes.copied(fresh + L"new.dll", 2048);
    rig.context.uninstallini->addFile(fresh + L"NEW.dll", L"1", L"APP");
    system::uninstall(rig.context);
    EXPECT_EQ(number(L"EstimatedSize"), 11u);

    // One file recorded under two spellings that only the file system takes for one, and
    // copied under one of them: counted once.
    const std::wstring docs = dir + L"docs\\";
    rig.machine.files.addFile(docs + L"\u00C4rger.txt");
    rig.machine.files.setSize(docs + L"\u00C4rger.txt", 2048);
    rig.context.copiedSizes.copied(docs + L"\u00E4rger.txt", 2048);
    rig.context.uninstallini->addFile(docs + L"\u00E4rger.txt", L"0", L"APP");
    rig.context.uninstallini->addFile(docs + L"\u00C4rger.txt", L"0", L"APP");
    system::uninstall(rig.context);
    EXPECT_EQ(number(L"EstimatedSize"), 13u);

    rig.machine.files.setSize(dir + L"notes.exe", std::uint64_t(5) << 42);
    system::uninstall(rig.context);
    EXPECT_EQ(number(L"EstimatedSize"), 0xFFFFFFFFu); // beyond 32 bits: the largest
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
    EXPECT_EQ(value(L"UninstallString"), L"\"E:\\uninstall.exe\"");
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
    EXPECT_TRUE(rig.registry.dwords.empty());
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
