#include "base/error.hpp"
#include "engine/make_directory.hpp"
#include "fake_install_view.hpp"
#include "unit/test_platform.hpp"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace parcelkit;
using engine::directoryPrefixes;
using engine::makedir;
using model::StatusLine;
using Paths = std::vector<std::wstring>;

TEST(DirectoryPrefixes, DriveIsNeverAPrefix) {
    EXPECT_EQ(
        directoryPrefixes(L"C:\\Program Files\\Foo\\Bar\\"),
        (Paths{L"C:\\Program Files", L"C:\\Program Files\\Foo", L"C:\\Program Files\\Foo\\Bar"}));
    EXPECT_TRUE(directoryPrefixes(L"C:\\").empty());
    EXPECT_TRUE(directoryPrefixes(L"C:").empty());
    EXPECT_TRUE(directoryPrefixes(L"").empty());
    EXPECT_EQ(directoryPrefixes(L"D:\\Apps\\\\Prog"), (Paths{L"D:\\Apps", L"D:\\Apps\\Prog"}));
}

TEST(DirectoryPrefixes, NetworkPathKeepsServerAndShareAsItsRoot) {
    EXPECT_EQ(directoryPrefixes(L"\\\\server\\share\\apps\\notes"),
              (Paths{L"\\\\server\\share\\apps", L"\\\\server\\share\\apps\\notes"}));
    EXPECT_TRUE(directoryPrefixes(L"\\\\server\\share").empty());
}

class MakedirTest : public ::testing::Test {
protected:
    MakedirTest() : texts(*langfile, L"0409") {
        session.dirs.setupdir = L"D:\\Apps\\Prog";
        machine.profiles.put(L"E:\\setup\\setup.ini",
                             L"[main]\r\nid=NotesSetup\r\nname=Northwind Notes\r\n");
        machine.files.addDirectory(L"C:\\Program Files");
        machine.files.addDirectory(L"D:\\Apps");
        machine.files.addDirectory(L"D:\\Apps\\Prog");
    }

    std::wstring record(const std::wstring& section, const std::wstring& key) const {
        return context.uninstallini->file().readString(section, key, L"<none>");
    }
    std::vector<std::wstring> dirKeys() const {
        return context.uninstallini->file().keyNames(L"dir");
    }
    // An open record without the installation run before it, for component directories.
    void openRecord() {
        context.uninstallini = std::make_unique<record::RecordWriter>(
            machine.profiles, L"D:\\Apps\\Prog\\uninstall.ini");
    }

    doubles::TestPlatform machine;
    model::Session session;
    std::unique_ptr<platform::ProfileFile> setupini =
        machine.profiles.open(L"E:\\setup\\setup.ini");
    std::unique_ptr<platform::ProfileFile> langfile =
        machine.profiles.open(L"E:\\setup\\language.ini");
    model::MessageTexts texts;
    doubles::FakeInstallView view;
    model::InstallContext context{machine.platform, session, *setupini, texts, view, nullptr};
};

TEST_F(MakedirTest, NewComponentDirectoriesAreRecordedAndCreated) {
    openRecord();
    makedir(context, L"APP", L"C:\\Program Files\\Foo\\Bar\\");
    EXPECT_EQ(dirKeys(), (Paths{L"C:\\Program Files\\Foo", L"C:\\Program Files\\Foo\\Bar"}));
    EXPECT_EQ(record(L"dir", L"C:\\Program Files\\Foo"), L"APP");
    EXPECT_EQ(record(L"dir", L"C:\\Program Files\\Foo\\Bar"), L"APP");
    EXPECT_TRUE(machine.files.directoryExists(L"C:\\Program Files\\Foo"));
    EXPECT_TRUE(machine.files.directoryExists(L"C:\\Program Files\\Foo\\Bar"));
    EXPECT_EQ(view.line(StatusLine::Activity), L"正在创建目录：");
    EXPECT_EQ(view.line(StatusLine::Subject), L"C:\\Program Files\\Foo\\Bar\\");
}

TEST_F(MakedirTest, SecondComponentMakesACommonDirectoryShared) {
    openRecord();
    makedir(context, L"APP", L"C:\\Program Files\\Foo\\Bar\\");
    makedir(context, L"TOOLS", L"C:\\Program Files\\Foo\\Bin");
    EXPECT_EQ(record(L"dir", L"C:\\Program Files\\Foo"), L"#share#");
    EXPECT_EQ(record(L"dir", L"C:\\Program Files\\Foo\\Bar"), L"APP");
    EXPECT_EQ(record(L"dir", L"C:\\Program Files\\Foo\\Bin"), L"TOOLS");
    EXPECT_EQ(record(L"dir", L"C:\\Program Files"), L"<none>");

    // Shared stays shared, whoever comes next.
    makedir(context, L"APP", L"C:\\Program Files\\Foo\\Bar");
    EXPECT_EQ(record(L"dir", L"C:\\Program Files\\Foo"), L"#share#");
}

TEST_F(MakedirTest, SameDirectoryAgainChangesNothing) {
    openRecord();
    makedir(context, L"APP", L"C:\\Program Files\\Foo\\Bar\\");
    const std::wstring before = *machine.profiles.text(L"D:\\Apps\\Prog\\uninstall.ini");
    view.changes.clear();
    makedir(context, L"APP", L"C:\\Program Files\\Foo\\Bar\\");
    EXPECT_EQ(*machine.profiles.text(L"D:\\Apps\\Prog\\uninstall.ini"), before);
    EXPECT_TRUE(view.changes.empty());
}

TEST_F(MakedirTest, ExistingUnrecordedDirectoryIsNeverClaimed) {
    openRecord();
    machine.files.addDirectory(L"C:\\Program Files\\Common");
    makedir(context, L"APP", L"C:\\Program Files\\Common");
    makedir(context, L"TOOLS", L"C:\\Program Files\\Common");
    EXPECT_TRUE(dirKeys().empty());
    EXPECT_TRUE(view.changes.empty());
}

TEST_F(MakedirTest, SpecialCharactersAreRecordedEncodedAndFoundAgain) {
    openRecord();
    makedir(context, L"APP", L"C:\\Program Files\\C# Tools, Extra");
    EXPECT_EQ(dirKeys(),
              (Paths{L"C:\\Program Files\\C<parcelkit_num_sign> Tools<parcelkit_comma> Extra"}));
    makedir(context, L"TOOLS", L"C:\\Program Files\\C# Tools, Extra\\a=b");
    EXPECT_EQ(
        record(L"dir", L"C:\\Program Files\\C<parcelkit_num_sign> Tools<parcelkit_comma> Extra"),
        L"#share#");
    EXPECT_EQ(record(L"dir", L"C:\\Program Files\\C<parcelkit_num_sign> Tools<parcelkit_comma> "
                             L"Extra\\a<parcelkit_equals>b"),
              L"TOOLS");
}

TEST_F(MakedirTest, DriveAloneExaminesAndRecordsNothing) {
    openRecord();
    makedir(context, L"APP", L"C:\\");
    EXPECT_TRUE(dirKeys().empty());
    EXPECT_TRUE(view.changes.empty());
}

TEST_F(MakedirTest, ComponentDirectoryBeforeTheRecordExistsIsAFault) {
    EXPECT_THROW(makedir(context, L"APP", L"C:\\Program Files\\Foo"), std::logic_error);
    EXPECT_FALSE(machine.files.directoryExists(L"C:\\Program Files\\Foo"));
}

TEST_F(MakedirTest, RefusedRecordWriteEndsTheStep) {
    openRecord();
    machine.profiles.refuseWholeWrites(context.uninstallini->path());
    EXPECT_THROW(makedir(context, L"APP", L"C:\\Program Files\\Foo"), base::Error);
    EXPECT_FALSE(machine.files.directoryExists(L"C:\\Program Files\\Foo"))
        << "nothing is created that the record does not know of";
}

TEST_F(MakedirTest, InstallationDirectoryCreatesTheRecord) {
    session.dirs.setupdir = L"D:\\Apps2\\Prog";
    makedir(context, engine::kSharedOwner, L"D:\\Apps2\\Prog");
    ASSERT_NE(context.uninstallini, nullptr);
    EXPECT_EQ(context.uninstallini->path(), L"D:\\Apps2\\Prog\\uninstall.ini");
    EXPECT_EQ(machine.profiles.encoding(L"D:\\Apps2\\Prog\\uninstall.ini"),
              doubles::ProfileEncoding::Utf16);
    EXPECT_TRUE(machine.files.directoryExists(L"D:\\Apps2"));
    EXPECT_TRUE(machine.files.directoryExists(L"D:\\Apps2\\Prog"));
    EXPECT_EQ(record(L"main", L"id"), L"NotesSetup");
    EXPECT_EQ(record(L"main", L"name"), L"Northwind Notes");
    EXPECT_EQ(dirKeys(), (Paths{L"D:\\Apps2", L"D:\\Apps2\\Prog"}));
    EXPECT_EQ(record(L"dir", L"D:\\Apps2"), L"#share#");
    EXPECT_EQ(record(L"dir", L"D:\\Apps2\\Prog"), L"#share#");
    EXPECT_EQ(view.line(StatusLine::Subject), L"D:\\Apps2\\Prog");
    EXPECT_EQ(context.uninstallini->file().sectionNames(), (Paths{L"main", L"dir"}));
}

TEST_F(MakedirTest, RecordNameFromTheLanguageThenTheScriptThenTheDefault) {
    machine.profiles.put(L"E:\\setup\\setup.ini", L"");
    makedir(context, engine::kSharedOwner, L"D:\\Apps\\Prog");
    // One writer of [main]: without an id in the script the record's id stays empty.
    EXPECT_EQ(record(L"main", L"id"), L"");
    EXPECT_EQ(record(L"main", L"name"), L"Parcelkit");
    machine.profiles.put(L"E:\\setup\\language.ini", L"[0409]\r\nname=Notes (English)\r\n");
    makedir(context, engine::kSharedOwner, L"D:\\Apps\\Prog");
    EXPECT_EQ(record(L"main", L"name"), L"Notes (English)");
}

TEST_F(MakedirTest, ExistingInstallationDirectoryIsNotRecordedAgain) {
    machine.profiles.put(L"D:\\Apps\\Prog\\uninstall.ini",
                         L"[main]\r\nid=old\r\n[dir]\r\nD:\\Apps\\Prog=#share#\r\n"
                         L"[list]\r\nCORE=Core\r\n");
    makedir(context, engine::kSharedOwner, L"D:\\Apps\\Prog");
    EXPECT_EQ(record(L"main", L"id"), L"NotesSetup");
    EXPECT_EQ(record(L"list", L"CORE"), L"Core") << "an earlier record is added to";
    EXPECT_EQ(dirKeys(), (Paths{L"D:\\Apps\\Prog"}));
    EXPECT_TRUE(view.changes.empty());
}

// The system would write a new record in the ANSI code page; it must be Unicode before the
// first entry, or non-Latin names and paths are stored as "?".
TEST_F(MakedirTest, NonLatinNameAndPathSurviveInTheRecord) {
    machine.profiles.put(L"E:\\setup\\language.ini", L"[0409]\r\nname=北风笔记\r\n");
    session.dirs.setupdir = L"D:\\软件\\北风";
    makedir(context, engine::kSharedOwner, L"D:\\软件\\北风");
    EXPECT_EQ(record(L"main", L"name"), L"北风笔记");
    EXPECT_EQ(dirKeys(), (Paths{L"D:\\软件", L"D:\\软件\\北风"}));
}

TEST_F(MakedirTest, EarlierAnsiRecordIsConvertedBeforeWriting) {
    machine.profiles.putBytes(L"D:\\Apps\\Prog\\uninstall.ini", "[list]\r\nCORE=Caf\xE9\r\n");
    machine.profiles.put(L"E:\\setup\\language.ini", L"[0409]\r\nname=北风笔记\r\n");
    makedir(context, engine::kSharedOwner, L"D:\\Apps\\Prog");
    EXPECT_EQ(machine.profiles.encoding(L"D:\\Apps\\Prog\\uninstall.ini"),
              doubles::ProfileEncoding::Utf16);
    EXPECT_EQ(record(L"list", L"CORE"), L"Café");
    EXPECT_EQ(record(L"main", L"name"), L"北风笔记");
}
