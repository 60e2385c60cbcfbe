#include "base/paths.hpp"
#include "memory_profile.hpp"
#include "record/record_reader.hpp"
#include "record/unreg_blocks.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using namespace parcelkit::base;
using namespace parcelkit::record;

namespace {

RemovalRecord read(const std::wstring& text) {
    doubles::MemoryProfile ini(L"uninstall.ini", std::make_shared<std::wstring>(text));
    return readRemovalRecord(ini);
}

} // namespace

TEST(RemovalRecordReading, FileKeysSplitAtTheLastBarAndLoseTheirEscapes) {
    const auto record = read(L"[file]\r\n"
                             L"C:\\Notes\\readme.txt|0=\r\n"
                             L"C:\\A<parcelkit_comma>B\\x<parcelkit_equals>1.dll|1=APP\r\n"
                             L"C:\\Notes\\odd.txt|b.txt=APP\r\n"
                             L"C:\\Notes\\nosuffix.txt=APP\r\n");
    ASSERT_EQ(record.files.size(), 4u);
    EXPECT_EQ(record.files[0].path, L"C:\\Notes\\readme.txt");
    EXPECT_EQ(record.files[0].suffix, L"0");
    EXPECT_EQ(record.files[0].owner, L"");
    EXPECT_EQ(record.files[1].path, L"C:\\A,B\\x=1.dll");
    EXPECT_EQ(record.files[1].key, L"C:\\A<parcelkit_comma>B\\x<parcelkit_equals>1.dll|1");
    EXPECT_EQ(record.files[1].suffix, L"1");
    EXPECT_EQ(record.files[2].suffix, L"b.txt");
    EXPECT_EQ(record.files[3].suffix, L"");
    EXPECT_EQ(record.filesOf(L"app").size(), 3u);
}

TEST(RemovalRecordReading, ComponentsDirectoriesAndSettingsByOwner) {
    const auto record = read(L"[main]\r\nid=notes\r\nname=Notes\r\n"
                             L"[dir]\r\nC:\\Notes=#share#\r\nC:\\Notes\\Doc=DOC\r\n"
                             L"[list]\r\nAPP=Application\r\nDOC=Manual, in two parts\r\n"
                             L"[system.ini]\r\n386Enh,device=APP\r\nboot,shell,x=DOC\r\n");
    EXPECT_EQ(record.id, L"notes");
    ASSERT_EQ(record.components.size(), 2u);
    EXPECT_EQ(record.components[1].caption, L"Manual, in two parts");
    EXPECT_EQ(record.directoriesOf(kShared).size(), 1u);
    ASSERT_EQ(record.settingsOf(L"DOC").size(), 1u);
    // A key name may hold ",", a section name cannot.
    EXPECT_EQ(record.settingsOf(L"DOC")[0].section, L"boot");
    EXPECT_EQ(record.settingsOf(L"DOC")[0].name, L"shell,x");
}

TEST(RemovalPaths, OnlyFullPathsOfOneObjectAreRemovable) {
    EXPECT_TRUE(isRemovablePath(L"C:\\Program Files\\Notes\\a.dll"));
    EXPECT_TRUE(isRemovablePath(L"d:\\x\\"));
    EXPECT_TRUE(isRemovablePath(L"\\\\server\\share\\dir"));
    EXPECT_FALSE(isRemovablePath(L"C:\\"));
    EXPECT_FALSE(isRemovablePath(L"C:"));
    EXPECT_FALSE(isRemovablePath(L"\\\\server\\share"));
    EXPECT_FALSE(isRemovablePath(L"Notes\\a.dll"));
    EXPECT_FALSE(isRemovablePath(L"\\Notes\\a.dll"));
    EXPECT_FALSE(isRemovablePath(L"C:\\Notes\\..\\Windows\\win.ini"));
    EXPECT_FALSE(isRemovablePath(L"C:\\Notes\\.\\a.dll"));
    EXPECT_FALSE(isRemovablePath(L"C:\\Notes\\*.dll"));
    EXPECT_FALSE(isRemovablePath(L"C:\\Notes\\a.dll:stream"));
    EXPECT_FALSE(isRemovablePath(L"C:\\Notes\\\\a.dll"));
    EXPECT_FALSE(isRemovablePath(L""));
}

TEST(RemovalPaths, WithinComparesWholeStepsWithoutRegardToCase) {
    EXPECT_TRUE(isWithin(L"C:\\Notes\\uninstall.exe", L"c:\\notes\\"));
    EXPECT_TRUE(isWithin(L"C:\\Notes", L"C:\\Notes"));
    EXPECT_FALSE(isWithin(L"C:\\Notes2\\uninstall.exe", L"C:\\Notes"));
    EXPECT_FALSE(isWithin(L"C:\\Notes", L"C:\\Notes\\Doc"));
    EXPECT_EQ(depthOf(L"C:\\a\\b\\"), 2u);
    EXPECT_EQ(parentOf(L"C:\\a\\b.exe"), L"C:\\a");
}

namespace {

const std::wstring kUnreg = L"Windows Registry Editor Version 5.00\r\n"
                            L"\r\n"
                            L";APP begin\r\n"
                            L"[-HKEY_CURRENT_USER\\Software\\Notes]\r\n"
                            L";APP end\r\n"
                            L"\r\n"
                            L";DOC begin\r\n"
                            L"[HKEY_CLASSES_ROOT\\.note]\r\n"
                            L"@=-\r\n"
                            L";DOC end\r\n";

} // namespace

TEST(UnregBlocks, ABlockBecomesARegistryFileUnderTheHeader) {
    EXPECT_EQ(blockAsRegistryFile(kUnreg, L"DOC"),
              L"Windows Registry Editor Version 5.00\r\n\r\n"
              L";DOC begin\r\n[HKEY_CLASSES_ROOT\\.note]\r\n@=-\r\n;DOC end\r\n");
    EXPECT_EQ(blockAsRegistryFile(kUnreg, L"TOOLS"), std::nullopt);
    // NAME is a whole word: APP's block is not APPX's.
    EXPECT_EQ(blockAsRegistryFile(kUnreg, L"APPX"), std::nullopt);
}

TEST(UnregBlocks, ABlockWithoutItsEndIsNotApplied) {
    const std::wstring cut = L"REGEDIT4\r\n\r\n;APP begin\r\n[-HKEY_CURRENT_USER\\Software\\X]\r\n";
    EXPECT_EQ(blockAsRegistryFile(cut, L"APP"), std::nullopt);
    EXPECT_EQ(withoutBlock(cut, L"APP"), cut);
}

TEST(UnregBlocks, TakingABlockOutLeavesTheOthersAndTheHeader) {
    const std::wstring rest = withoutBlock(kUnreg, L"APP");
    EXPECT_EQ(rest, L"Windows Registry Editor Version 5.00\r\n\r\n"
                    L";DOC begin\r\n[HKEY_CLASSES_ROOT\\.note]\r\n@=-\r\n;DOC end\r\n");
    EXPECT_EQ(withoutBlock(rest, L"DOC"), L"Windows Registry Editor Version 5.00\r\n");
}
