#include "base/error.hpp"
#include "memory_profile.hpp"
#include "record/record_writer.hpp"
#include "script/script_file.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;

TEST(ScriptFile, ListSectionLinesSplitAtTheirFirstEqualsSign) {
    doubles::MemoryProfileStore store;
    store.put(L"c.ini", L"[2000]\r\nnotes.exe,,1=#setupdir#,1,0\r\n");
    const auto ini = store.open(L"c.ini");
    const auto lines = script::readListSection(*ini, L"2000");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], L"notes.exe,,1=#setupdir#,1,0");
}

TEST(ScriptFile, AKeyWithAnEmptyValueMakesTheSectionExist) {
    doubles::MemoryProfileStore store;
    store.put(L"c.ini", L"[dir]\r\n#setupdir#\\data=\r\n[empty]\r\n");
    const auto ini = store.open(L"c.ini");
    EXPECT_TRUE(script::sectionExists(*ini, L"DIR"));
    EXPECT_FALSE(script::sectionExists(*ini, L"empty"));
}

TEST(RecordWriting, RefusedFlushThrowsWithTheFileNamedAndKeepsTheRecordOnTheDisk) {
    doubles::MemoryProfileStore store;
    record::RecordWriter record(store, L"D:\\app\\uninstall.ini");
    record.write(L"list", L"CORE", L"Core");
    record.flush();
    store.refuseWholeWrites(L"D:\\app\\uninstall.ini");
    record.write(L"list", L"EXTRA", L"Extra");
    try {
        record.flush();
        FAIL() << "the write should have been refused";
    } catch (const base::Error& error) {
        EXPECT_EQ(error.object(), L"D:\\app\\uninstall.ini");
    }
    EXPECT_EQ(store.open(L"D:\\app\\uninstall.ini")->readString(L"list", L"CORE", L""), L"Core");
    EXPECT_EQ(store.open(L"D:\\app\\uninstall.ini")->readString(L"list", L"EXTRA", L"-"), L"-");
}
