#include "base/error.hpp"
#include "engine/file_entry.hpp"
#include "install_rig.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using components::CheckState;
using doubles::InstallRig;
using Events = std::vector<std::wstring>;
using Branch = components::ComponentTree::Branch;

namespace {

constexpr wchar_t kScriptPrograms[] = L"[setup_run]\r\n"
                                      L"pre.exe=before\r\n"
                                      L"post.exe=after\r\n";

// The order of the run as a whole: script programs, record, components, after programs,
// installed-programs entry.
class InstallOrder : public ::testing::Test {
protected:
    InstallOrder() { rig.profiles.put(L"E:\\setup\\setup.ini", kScriptPrograms); }

    std::size_t at(const std::wstring& event) const {
        const std::size_t place = rig.log.find(event);
        EXPECT_NE(place, rig.log.events.size()) << "missing: " << testing::PrintToString(event);
        return place;
    }

    InstallRig rig;
};

TEST_F(InstallOrder, EmptyWalkStillRunsScriptProgramsAndMakesRecordAndEntry) {
    rig.setTree({{L"core", {}}});
    rig.setState(0, CheckState::Unchecked);
    rig.describe(L"core", L"[main]\r\nname=core\r\n[file]\r\na.txt=#setupdir#\r\n");
    rig.install();

    EXPECT_EQ(rig.log.starting(L"run "), (Events{L"run pre.exe", L"run post.exe"}));
    EXPECT_LT(at(L"run pre.exe"), at(L"mkdir C:\\Program Files\\Notes"));
    EXPECT_EQ(rig.log.events.back(), L"uninstall");
    EXPECT_EQ(rig.recorded(L"dir", InstallRig::kDest), L"#share#");
    EXPECT_TRUE(rig.recordedKeys(L"list").empty());
    EXPECT_TRUE(rig.log.starting(L"copy ").empty());
}

// A program may change or remove what was copied before it: the installed-programs entry
// then looks the files up again instead of counting the sizes they were copied with.
TEST_F(InstallOrder, CopiedSizesLastOnlyUntilAProgramRuns) {
    rig.setTree({{L"core", {}}});
    rig.describe(L"core", L"[main]\r\nname=core\r\n[file]\r\na.txt=#setupdir#\r\n");
    rig.offer(L"core", L"a.txt");
    for (const bool scriptPrograms : {false, true}) {
        rig.profiles.put(L"E:\\setup\\setup.ini", scriptPrograms ? kScriptPrograms : L"[main]\r\n");
        // Copied anew in each run.
        static_cast<void>(rig.files.deleteFile(rig.dest(L"a.txt")));
        rig.install();
        EXPECT_EQ(rig.context->copiedSizes.sizeOf(rig.dest(L"a.txt")).has_value(), !scriptPrograms)
            << "with the script's programs: " << scriptPrograms;
    }
}

TEST_F(InstallOrder, EmptyTreeAlsoRunsEverythingOfTheScript) {
    rig.setTree({});
    rig.install();
    EXPECT_EQ(rig.log.starting(L"run "), (Events{L"run pre.exe", L"run post.exe"}));
    EXPECT_EQ(rig.log.events.back(), L"uninstall");
}

TEST_F(InstallOrder, OnlyCheckedOrMandatoryLeavesAreInstalledInTreeOrder) {
    // tools (checked, with children) > editor (checked), viewer (unchecked), base
    // (mandatory); then core (partly checked, leaf), docs (unset, leaf).
    rig.setTree({{L"tools", {{L"editor", {}}, {L"viewer", {}}, {L"base", {}}}},
                 {L"core", {}},
                 {L"docs", {}}});
    rig.setState(2, CheckState::Unchecked);
    rig.setState(3, CheckState::Mandatory);
    rig.setState(4, CheckState::Partly);
    rig.setState(5, CheckState::Unset);
    for (const wchar_t* name : {L"tools", L"editor", L"viewer", L"base", L"core", L"docs"}) {
        rig.describe(name, L"[main]\r\nver=1\r\n");
    }
    rig.install();
    EXPECT_EQ(rig.recordedKeys(L"list"), (Events{L"EDITOR", L"BASE"}));
    EXPECT_EQ(rig.recorded(L"list", L"EDITOR"), L"editor");
    EXPECT_EQ(rig.recorded(L"TOOLS_info", L"Ver"), L"<none>");
}

TEST_F(InstallOrder, GroupComponentLeavesNoTrace) {
    rig.setTree({{L"bundle", {}}});
    rig.describe(L"bundle", L"[main]\r\ntype=Group\r\nreg=a.reg\r\n"
                            L"[setup_run]\r\nin.exe=before\r\nout.exe=after\r\n"
                            L"[uninstall_run]\r\nu.exe=after\r\n"
                            L"[dir]\r\n#setupdir#\\data=\r\n"
                            L"[file]\r\na.txt=#setupdir#\r\n[shortcut]\r\nx=y\r\n");
    rig.offer(L"bundle", L"a.txt");
    rig.offer(L"bundle", L"a.reg");
    rig.install();
    EXPECT_EQ(rig.log.starting(L"run "), (Events{L"run pre.exe", L"run post.exe"}));
    EXPECT_TRUE(rig.recordedKeys(L"list").empty());
    EXPECT_TRUE(rig.recordedKeys(L"run_BUNDLE").empty());
    EXPECT_TRUE(rig.log.starting(L"copy ").empty());
    EXPECT_TRUE(rig.log.starting(L"reg ").empty());
    EXPECT_TRUE(rig.log.starting(L"shortcut ").empty());
    EXPECT_FALSE(rig.log.has(L"mkdir C:\\Program Files\\Notes\\data"));
}

TEST_F(InstallOrder, StepsOfOneComponentComeInTheirOrder) {
    rig.setTree({{L"core", {}}});
    rig.describe(L"core", L"[main]\r\nreg=keys.reg\r\nunreg=undo.reg\r\n"
                          L"[setup_run]\r\nprep.exe=before\r\nfinish.exe=after\r\n"
                          L"[dir]\r\n#setupdir#\\data=\r\n"
                          L"[file]\r\na.txt=#setupdir#\r\n"
                          L"[shortcut]\r\nNotes=programs\r\n");
    rig.offer(L"core", L"a.txt");
    rig.offer(L"core", L"keys.reg");
    rig.offer(L"core", L"undo.reg");
    rig.install();

    const std::wstring folder = InstallRig::folder(L"core");
    EXPECT_LT(at(L"mkdir C:\\Program Files\\Notes"), at(L"run prep.exe"));
    EXPECT_LT(at(L"run prep.exe"), at(L"mkdir C:\\Program Files\\Notes\\data"));
    EXPECT_LT(at(L"mkdir C:\\Program Files\\Notes\\data"),
              at(L"unreg CORE " + folder + L"\\undo.reg"));
    // Without "pri", registry files come before the files; the undo file is collected
    // before anything is imported.
    EXPECT_LT(at(L"unreg CORE " + folder + L"\\undo.reg"), at(L"reg " + folder + L"\\keys.reg"));
    EXPECT_LT(at(L"reg " + folder + L"\\keys.reg"), at(L"copy " + rig.dest(L"a.txt")));
    EXPECT_LT(at(L"copy " + rig.dest(L"a.txt")), at(L"shortcut CORE Notes=programs"));
    EXPECT_LT(at(L"shortcut CORE Notes=programs"), at(L"run finish.exe"));
    EXPECT_LT(at(L"run finish.exe"), at(L"run post.exe"));
    EXPECT_EQ(rig.log.events.back(), L"uninstall");
    // The registry files themselves are never copied.
    EXPECT_EQ(rig.log.starting(L"copy "), (Events{L"copy " + rig.dest(L"a.txt")}));
}

TEST_F(InstallOrder, PriFileInAnyCaseCopiesFilesBeforeRegistryFiles) {
    rig.setTree({{L"core", {}}});
    rig.describe(L"core", L"[main]\r\npri=FILE\r\nreg=keys.reg\r\n[file]\r\na.txt=#setupdir#\r\n");
    rig.offer(L"core", L"a.txt");
    rig.offer(L"core", L"keys.reg");
    rig.install();
    EXPECT_LT(at(L"copy " + rig.dest(L"a.txt")),
              at(L"reg " + InstallRig::folder(L"core") + L"\\keys.reg"));
}

TEST_F(InstallOrder, OtherPriValuesPutRegistryFilesFirst) {
    rig.setTree({{L"core", {}}});
    rig.describe(L"core", L"[main]\r\npri=files\r\nreg=keys.reg\r\n[file]\r\na.txt=#setupdir#\r\n");
    rig.offer(L"core", L"a.txt");
    rig.offer(L"core", L"keys.reg");
    rig.install();
    EXPECT_LT(at(L"reg " + InstallRig::folder(L"core") + L"\\keys.reg"),
              at(L"copy " + rig.dest(L"a.txt")));
}

TEST_F(InstallOrder, AfterLinesOfComponentsRunAfterTheLastComponentInOrder) {
    rig.setTree({{L"one", {}}, {L"two", {}}});
    rig.describe(L"one", L"[setup_run]\r\nlater1.exe=after\r\nnow1.exe=before\r\n"
                         L"[file]\r\na.txt=#setupdir#\r\n");
    rig.describe(L"two", L"[setup_run]\r\nlater2.exe=after\r\n[file]\r\nb.txt=#setupdir#\r\n");
    rig.offer(L"one", L"a.txt");
    rig.offer(L"two", L"b.txt");
    rig.install();
    EXPECT_EQ(rig.log.starting(L"run "), (Events{L"run pre.exe", L"run now1.exe", L"run later1.exe",
                                                 L"run later2.exe", L"run post.exe"}));
    EXPECT_LT(at(L"copy " + rig.dest(L"b.txt")), at(L"run later1.exe"));
}

TEST_F(InstallOrder, MissingComponentFileStillGetsItsListEntry) {
    rig.setTree({{L"ghost", {}}});
    rig.install();
    EXPECT_EQ(rig.recorded(L"list", L"GHOST"), L"ghost");
    EXPECT_EQ(rig.recorded(L"GHOST_info", L"Ver"), L"");
    EXPECT_EQ(rig.recorded(L"GHOST_info", L"Date"), L"");
    EXPECT_EQ(rig.recorded(L"GHOST_info", L"Author"), L"");
    EXPECT_EQ(rig.log.events.back(), L"uninstall");
}

TEST_F(InstallOrder, StopWhileMakingDirectoriesEndsTheRunThere) {
    rig.setTree({{L"core", {}}, {L"extra", {}}});
    rig.describe(L"core", L"[setup_run]\r\nlater.exe=after\r\n"
                          L"[dir]\r\n#setupdir#\\one=\r\n#setupdir#\\two=\r\n"
                          L"[file]\r\na.txt=#setupdir#\r\n");
    rig.describe(L"extra", L"[main]\r\nver=2\r\n");
    rig.offer(L"core", L"a.txt");
    rig.view.stopAtPump = 2;
    rig.install();
    EXPECT_TRUE(rig.log.has(L"mkdir C:\\Program Files\\Notes\\one"));
    EXPECT_FALSE(rig.log.has(L"mkdir C:\\Program Files\\Notes\\two"));
    EXPECT_TRUE(rig.log.starting(L"copy ").empty());
    EXPECT_EQ(rig.recorded(L"list", L"EXTRA"), L"<none>");
    EXPECT_EQ(rig.log.starting(L"run "), (Events{L"run pre.exe"}));
    EXPECT_FALSE(rig.log.has(L"uninstall"));
}

TEST_F(InstallOrder, StopDuringFileCopyEndsTheRunAfterThatSection) {
    rig.setTree({{L"core", {}}});
    rig.describe(L"core", L"[main]\r\n[file]\r\na.txt=#setupdir#\r\n[2000]\r\nb.txt=#setupdir#\r\n"
                          L"[shortcut]\r\nx=y\r\n");
    rig.offer(L"core", L"a.txt");
    rig.offer(L"core", L"b.txt");
    rig.view.stopAtPump = 1;
    rig.install();
    EXPECT_TRUE(rig.copied(L"a.txt"));
    EXPECT_FALSE(rig.copied(L"b.txt"));
    EXPECT_TRUE(rig.log.starting(L"shortcut ").empty());
    EXPECT_FALSE(rig.log.has(L"run post.exe"));
    EXPECT_FALSE(rig.log.has(L"uninstall"));
}

TEST_F(InstallOrder, MalformedEntryEndsTheRunNamingFileAndEntryAndKeepsTheRecord) {
    rig.setTree({{L"core", {}}, {L"broken", {}}, {L"late", {}}});
    rig.describe(L"core", L"[file]\r\na.txt=#setupdir#\r\n");
    rig.describe(L"broken", L"[main]\r\nver=3\r\n[file]\r\nb.txt=#setupdir#\r\nc.txt=\r\n");
    rig.describe(L"late", L"[main]\r\nver=4\r\n");
    rig.offer(L"core", L"a.txt");
    rig.offer(L"broken", L"b.txt");
    rig.offer(L"broken", L"c.txt");
    try {
        rig.install();
        FAIL() << "the run went on";
    } catch (const engine::MalformedEntry& error) {
        const std::wstring text = error.describe();
        EXPECT_NE(text.find(L"E:\\setup\\broken\\parcelkit.ini"), std::wstring::npos);
        EXPECT_NE(text.find(L"c.txt="), std::wstring::npos);
    }
    EXPECT_EQ(rig.recorded(L"file", rig.dest(L"a.txt") + L"|0"), L"CORE");
    EXPECT_EQ(rig.recorded(L"file", rig.dest(L"b.txt") + L"|0"), L"BROKEN");
    EXPECT_EQ(rig.recorded(L"BROKEN_info", L"Ver"), L"3");
    EXPECT_EQ(rig.recorded(L"list", L"LATE"), L"<none>");
    EXPECT_FALSE(rig.log.has(L"run post.exe"));
    EXPECT_FALSE(rig.log.has(L"uninstall"));
}

TEST_F(InstallOrder, RefusedRecordWriteEndsTheRunNamingTheComponentFile) {
    rig.setTree({{L"core", {}}, {L"next", {}}});
    rig.describe(L"core", L"[shortcut]\r\nx=y\r\n");
    rig.describe(L"next", L"[main]\r\nver=1\r\n");
    // The disk fills up while core's shortcuts are made.
    rig.steps.onShortcut = [](model::InstallContext& context) {
        static_cast<doubles::MemoryProfileStore&>(context.platform.profiles)
            .refuseWholeWrites(InstallRig::kRecord);
    };
    try {
        rig.install();
        FAIL() << "the run went on";
    } catch (const base::Error& error) {
        const std::wstring text = error.describe();
        EXPECT_NE(text.find(InstallRig::kRecord), std::wstring::npos);
        EXPECT_NE(text.find(L"E:\\setup\\next\\parcelkit.ini"), std::wstring::npos);
    }
    EXPECT_EQ(rig.recorded(L"list", L"CORE"), L"core");
    EXPECT_EQ(rig.recorded(L"list", L"NEXT"), L"<none>");
    EXPECT_FALSE(rig.log.has(L"uninstall"));
}

TEST_F(InstallOrder, DestinationThatIsNoFullPathIsRefusedBeforeAnythingRuns) {
    rig.setTree({{L"core", {}}});
    rig.describe(L"core", L"[file]\r\na.txt=#setupdir#\r\n");
    rig.offer(L"core", L"a.txt");
    for (const wchar_t* destination : {L"", L"C:", L"Notes", L"\\Notes", L"1:\\Notes"}) {
        rig.session.dirs.setupdir = destination;
        EXPECT_THROW(rig.install(), base::Error) << testing::PrintToString(destination);
    }
    EXPECT_TRUE(rig.log.events.empty());
}

TEST_F(InstallOrder, NetworkDestinationIsInstalledInto) {
    rig.session.dirs.setupdir = L"\\\\server\\apps\\Notes";
    rig.files.addDirectory(L"\\\\server\\apps");
    rig.setTree({});
    rig.install();
    EXPECT_EQ(rig.profiles.open(L"\\\\server\\apps\\Notes\\uninstall.ini")
                  ->readString(L"dir", L"\\\\server\\apps\\Notes", L""),
              L"#share#");
    EXPECT_TRUE(rig.log.has(L"mkdir \\\\server\\apps\\Notes"));
    EXPECT_EQ(rig.log.events.back(), L"uninstall");
}

} // namespace
