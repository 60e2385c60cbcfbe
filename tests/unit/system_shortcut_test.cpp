#include "record/record_reader.hpp"
#include "system/shortcut_entry.hpp"
#include "system/shortcuts.hpp"
#include "system_rig.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using system::readShortcutEntry;
using system::ShortcutBase;
using system::shortcutBase;

namespace {

constexpr int kDesktop = 0x00, kPrograms = 0x02, kAppData = 0x1A, kCommonPrograms = 0x17;

class ShortcutTest : public ::testing::Test {
protected:
    ShortcutTest() {
        rig.shell.folders = {
            {kDesktop, L"C:\\users\\ann\\Desktop"},
            {kPrograms, L"C:\\users\\ann\\Start Menu\\Programs"},
            {kAppData, L"C:\\users\\ann\\AppData\\Roaming"},
            {kCommonPrograms, L"C:\\ProgramData\\Start Menu\\Programs"},
        };
    }

    system::ShortcutEntry entry(const std::wstring& line) {
        const auto read = readShortcutEntry(line, rig.session.dirs, rig.machine.files);
        EXPECT_TRUE(read.has_value()) << ::testing::PrintToString(line);
        return read.value_or(system::ShortcutEntry{});
    }
    void run(const std::vector<std::wstring>& lines) {
        system::shortcut(rig.context, rig.shell, lines, L"APP");
    }

    doubles::SystemRig rig;
};

} // namespace

TEST(ShortcutFolderTable, EveryWordInAnyCaseWithItsFamilyFallbacks) {
    struct Row {
        const wchar_t* word;
        int nt;
        int other;
    };
    const Row rows[] = {
        {L"DESKTOP", 0x00, 0x00},
        {L"DESKTOPDIRECTORY", 0x10, 0x10},
        {L"FONTS", 0x14, 0x14},
        {L"PERSONAL", 0x05, 0x05},
        {L"PROGRAMS", 0x02, 0x02},
        {L"STARTMENU", 0x0B, 0x0B},
        {L"STARTUP", 0x07, 0x07},
        {L"FAVORITES", 0x06, 0x06},
        {L"SENDTO", 0x09, 0x09},
        {L"APPDATA", 0x1A, 0x1A},
        {L"COMMON_DESKTOPDIRECTORY", 0x19, 0x00},
        {L"COMMON_FAVORITES", 0x1F, 0x06},
        {L"COMMON_PROGRAMS", 0x17, 0x02},
        {L"COMMON_STARTMENU", 0x16, 0x0B},
        {L"COMMON_STARTUP", 0x18, 0x07},
    };
    for (const auto& row : rows) {
        const auto nt = shortcutBase(row.word, script::OsFamily::Nt);
        const auto nine = shortcutBase(row.word, script::OsFamily::Nine);
        ASSERT_TRUE(nt && nine) << ::testing::PrintToString(std::wstring(row.word));
        EXPECT_EQ(nt->kind, ShortcutBase::Kind::Special);
        EXPECT_EQ(nt->csidl, row.nt) << ::testing::PrintToString(std::wstring(row.word));
        EXPECT_EQ(nine->csidl, row.other) << ::testing::PrintToString(std::wstring(row.word));
    }
    EXPECT_EQ(shortcutBase(L"Quick_Launch", script::OsFamily::Nt)->kind,
              ShortcutBase::Kind::QuickLaunch);
    EXPECT_EQ(shortcutBase(L"quick_launch", script::OsFamily::Nine)->csidl, 0x1A);
    EXPECT_EQ(shortcutBase(L"allusers", script::OsFamily::Nt)->kind, ShortcutBase::Kind::AllUsers);
    EXPECT_EQ(shortcutBase(L"User", script::OsFamily::Nine)->kind, ShortcutBase::Kind::User);
    // Any family but "2000" counts as the 9x family, also an unknown one.
    EXPECT_EQ(shortcutBase(L"common_programs", script::OsFamily::Unknown)->csidl, 0x02);
    EXPECT_FALSE(shortcutBase(L"DESKTOPS", script::OsFamily::Nt));
    EXPECT_FALSE(shortcutBase(L"", script::OsFamily::Nt));
    EXPECT_FALSE(shortcutBase(L"0x02", script::OsFamily::Nt));
}

TEST_F(ShortcutTest, ValueFieldsWithTheEarlyDescriptionRule) {
    auto e = entry(L"A|DESKTOP=app.exe");
    EXPECT_EQ(e.target, L"app.exe");
    EXPECT_EQ(e.workingDirectory, L"");
    EXPECT_EQ(e.arguments, L"");
    EXPECT_EQ(e.description, L"");

    e = entry(L"A|DESKTOP=app.exe|desc:Starts the app");
    EXPECT_EQ(e.workingDirectory, L"");
    EXPECT_EQ(e.description, L"Starts the app");

    e = entry(L"A|DESKTOP=app.exe|C:\\Work");
    EXPECT_EQ(e.workingDirectory, L"C:\\Work");
    EXPECT_EQ(e.description, L"");

    e = entry(L"A|DESKTOP=app.exe|C:\\Work|DeSc:Notes");
    EXPECT_EQ(e.workingDirectory, L"C:\\Work");
    EXPECT_EQ(e.arguments, L"");
    EXPECT_EQ(e.description, L"Notes");

    e = entry(L"A|DESKTOP=app.exe|C:\\Work|-x");
    EXPECT_EQ(e.arguments, L"-x");
    EXPECT_EQ(e.description, L"");

    // The fourth field loses five characters whatever they are; further fields are ignored.
    e = entry(L"A|DESKTOP=app.exe|C:\\Work|-x|Note");
    EXPECT_EQ(e.arguments, L"-x");
    EXPECT_EQ(e.description, L"");
    e = entry(L"A|DESKTOP=app.exe|C:\\Work|-x|12345Text|extra");
    EXPECT_EQ(e.description, L"Text");

    // Empty fields are dropped before counting: the description moves up.
    e = entry(L"A|DESKTOP=app.exe|||DESC:Late");
    EXPECT_EQ(e.workingDirectory, L"");
    EXPECT_EQ(e.description, L"Late");
}

TEST_F(ShortcutTest, MacrosAndEscapesPerField) {
    rig.machine.files.setShortPath(L"D:\\Apps\\Prog", L"D:\\Apps\\PROG~1");
    const auto e = entry(
        L"#setupname#<parcelkit_comma> Tools|PROGRAMS|#SETUPNAME#|#setupdir#\\i.ico|2"
        L"=#setupdir#\\app.exe|#setupdir#|/d #setupdir#\\x<parcelkit_space>y|DESC:#setupdir#");
    EXPECT_EQ(e.name, L"Northwind Notes, Tools");
    EXPECT_EQ(e.folderWord, L"PROGRAMS");
    EXPECT_EQ(e.subfolder, L"Northwind Notes");
    EXPECT_EQ(e.iconFile, L"D:\\Apps\\Prog\\i.ico");
    EXPECT_EQ(e.iconIndex, 2);
    EXPECT_EQ(e.target, L"D:\\Apps\\Prog\\app.exe");
    EXPECT_EQ(e.workingDirectory, L"D:\\Apps\\Prog");
    EXPECT_EQ(e.arguments, L"/d D:\\Apps\\PROG~1\\x y");
    EXPECT_EQ(e.description, L"#setupdir#");
}

TEST_F(ShortcutTest, KeyFieldsAndIconIndex) {
    auto e = entry(L"App|DESKTOP||icon.ico|1=app.exe");
    EXPECT_EQ(e.subfolder, L"icon.ico");
    EXPECT_EQ(e.iconFile, L"1");
    EXPECT_EQ(e.iconIndex, 0);
    EXPECT_EQ(entry(L"App|DESKTOP|Sub|i.ico|-3=app.exe").iconIndex, -3);
    EXPECT_EQ(entry(L"App|DESKTOP|Sub|i.ico| 7 =app.exe").iconIndex, 7);
    EXPECT_EQ(entry(L"App|DESKTOP|Sub|i.ico|2147483647=app.exe").iconIndex, 2147483647);
    for (const auto* bad : {L"x", L"1x", L"2147483648", L"-", L"0x10", L"1.5"}) {
        EXPECT_THROW(readShortcutEntry(std::wstring(L"App|DESKTOP|Sub|i.ico|") + bad + L"=a",
                                       rig.session.dirs, rig.machine.files),
                     base::Error)
            << ::testing::PrintToString(std::wstring(bad));
    }
}

TEST_F(ShortcutTest, EntriesLackingARequiredFieldAreNotShortcuts) {
    for (const auto* line : {L"App=app.exe", L"App|DESKTOP=", L"App|DESKTOP", L"|DESKTOP=a.exe",
                             L"=app.exe", L"", L"..\\App|DESKTOP=a.exe", L"C:App|DESKTOP=a.exe",
                             L"A<parcelkit_vline>B|DESKTOP=a.exe", L"Why?|DESKTOP|Sub|i.ico|x=a"}) {
        EXPECT_FALSE(readShortcutEntry(line, rig.session.dirs, rig.machine.files))
            << ::testing::PrintToString(std::wstring(line));
    }
}

TEST_F(ShortcutTest, LinkInProgramsSubfolderIsMadeAndRecorded) {
    run({L"App|programs|Tools=#setupdir#\\app.exe"});
    const std::wstring folder = L"C:\\users\\ann\\Start Menu\\Programs\\Tools";
    ASSERT_EQ(rig.shell.saved.size(), 1u);
    const auto& saved = rig.shell.saved[0];
    EXPECT_EQ(saved.file, folder + L"\\App.lnk");
    EXPECT_EQ(saved.link.target, L"D:\\Apps\\Prog\\app.exe");
    EXPECT_EQ(saved.link.workingDirectory, L"");
    EXPECT_EQ(saved.link.arguments, L"");
    EXPECT_EQ(saved.link.description, L"");
    EXPECT_EQ(saved.link.iconFile, L"");
    EXPECT_EQ(saved.link.iconIndex, 0);
    EXPECT_TRUE(rig.machine.files.directoryExists(folder));
    EXPECT_EQ(rig.record(L"dir", folder), L"APP");
    EXPECT_EQ(rig.record(L"file", folder + L"\\App.lnk|0"), L"APP");
}

TEST_F(ShortcutTest, FamilyChoosesTheCommonOrTheUsersFolder) {
    run({L"App|COMMON_PROGRAMS=a.exe"});
    rig.session.ostype = script::OsFamily::Nine;
    run({L"App|COMMON_PROGRAMS=a.exe"});
    ASSERT_EQ(rig.shell.saved.size(), 2u);
    EXPECT_EQ(rig.shell.saved[0].file, L"C:\\ProgramData\\Start Menu\\Programs\\App.lnk");
    EXPECT_EQ(rig.shell.saved[1].file, L"C:\\users\\ann\\Start Menu\\Programs\\App.lnk");
}

TEST_F(ShortcutTest, QuickLaunchAndProfileFolders) {
    run({L"Q|QUICK_LAUNCH=a.exe", L"U|USER|Links=a.exe", L"All|AllUsers=a.exe"});
    ASSERT_EQ(rig.shell.saved.size(), 3u);
    EXPECT_EQ(rig.shell.saved[0].file,
              L"C:\\users\\ann\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick "
              L"Launch\\Q.lnk");
    EXPECT_EQ(rig.shell.saved[1].file, L"C:\\users\\ann\\Links\\U.lnk");
    EXPECT_EQ(rig.shell.saved[2].file, L"C:\\ProgramData\\All.lnk");
}

TEST_F(ShortcutTest, UnknownOrUnavailableFoldersTouchNothing) {
    rig.session.dirs.userdir.clear();
    run({L"A|NOWHERE|Sub=a.exe", L"B|FAVORITES|Sub=a.exe", L"C|USER|Sub=a.exe", L"D|PERSONAL=a.exe",
         L"E=a.exe", L"F|DESKTOP="});
    EXPECT_TRUE(rig.shell.saved.empty());
    EXPECT_TRUE(rig.context.uninstallini->file().sectionNames().empty());
    // The next good entry is still made.
    run({L"G|DESKTOP=a.exe"});
    ASSERT_EQ(rig.shell.saved.size(), 1u);
    EXPECT_EQ(rig.shell.saved[0].file, L"C:\\users\\ann\\Desktop\\G.lnk");
}

TEST_F(ShortcutTest, BadIconIndexStopsBeforeAnythingIsMade) {
    EXPECT_THROW(run({L"A|DESKTOP|Sub|i.ico|one=a.exe"}), base::Error);
    EXPECT_TRUE(rig.shell.saved.empty());
    EXPECT_FALSE(rig.machine.files.directoryExists(L"C:\\users\\ann\\Desktop\\Sub"));
    EXPECT_TRUE(rig.context.uninstallini->file().sectionNames().empty());
}

TEST_F(ShortcutTest, WithoutALinkObjectTheFolderIsMadeButNoLinkRecorded) {
    rig.shell.linkObjectAvailable = false;
    run({L"App|DESKTOP|Tools=a.exe"});
    EXPECT_TRUE(rig.machine.files.directoryExists(L"C:\\users\\ann\\Desktop\\Tools"));
    EXPECT_EQ(rig.record(L"dir", L"C:\\users\\ann\\Desktop\\Tools"), L"APP");
    EXPECT_TRUE(rig.context.uninstallini->file().keyNames(L"file").empty());
    EXPECT_EQ(rig.machine.boxes.reported.size(), 1u);
}

TEST_F(ShortcutTest, ALinkTheShellCannotSaveIsNotRecordedAndFailsTheRun) {
    rig.shell.refused = {L"C:\\users\\ann\\Desktop\\Lost.lnk"};
    run({L"Lost|DESKTOP=a.exe", L"Kept|DESKTOP=a.exe"});
    EXPECT_EQ(rig.record(L"file", L"C:\\users\\ann\\Desktop\\Lost.lnk|0"), L"<none>");
    EXPECT_EQ(rig.record(L"file", L"C:\\users\\ann\\Desktop\\Kept.lnk|0"), L"APP");
    EXPECT_EQ(rig.machine.boxes.reported,
              (std::vector<std::wstring>{
                  L"Unable to write to C:\\users\\ann\\Desktop\\Lost.lnk: Access is denied."}));
}

TEST_F(ShortcutTest, LinkNamesWithSeparatorsAreRecordedSoTheUninstallerFindsThem) {
    // "=" would end the key at the profile's first "="; the tag keeps it whole.
    run({L"A<parcelkit_equals>B, C|DESKTOP=a.exe"});
    const auto files = record::readRemovalRecord(rig.context.uninstallini->file()).files;
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].key,
              L"C:\\users\\ann\\Desktop\\A<parcelkit_equals>B<parcelkit_comma> C.lnk|0");
    EXPECT_EQ(files[0].path, L"C:\\users\\ann\\Desktop\\A=B, C.lnk");
    EXPECT_EQ(files[0].owner, L"APP");
}
