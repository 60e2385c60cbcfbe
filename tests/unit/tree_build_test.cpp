#include "component_setup.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using components::CheckState;
using doubles::ComponentSetup;

namespace {

std::wstring titled(const std::wstring& title, const std::wstring& more = L"") {
    return L"[main]\r\ntitle=" + title + L"\r\n" + more;
}

} // namespace

TEST(TreeScan, OnlyComponentFoldersOfThisFamilyAreFound) {
    ComponentSetup setup;
    setup.component(L"any", titled(L"Any"));
    setup.plainFolder(L"extras"); // no component file: nothing below it counts
    setup.component(L"extras\\hidden", titled(L"Hidden"));
    setup.component(L"nine", titled(L"Nine", L"system=98\r\n"));
    setup.component(L"nine\\part", titled(L"Part"));
    setup.component(L"nt", titled(L"NT", L"system=2000\r\n"));
    setup.component(L"odd", titled(L"Odd", L"system=NT\r\n"));
    setup.files.addFile(L"C:\\setup\\readme.txt");
    ASSERT_TRUE(setup.build());
    EXPECT_EQ(setup.view.titles, (std::vector<std::wstring>{L"Any", L"NT"}));
}

TEST(TreeScan, NothingToInstallTellsTheUserAndFails) {
    ComponentSetup setup;
    setup.plainFolder(L"empty");
    setup.files.addFile(L"C:\\setup\\empty\\other.ini");
    EXPECT_FALSE(setup.build());
    ASSERT_EQ(setup.boxes.shown.size(), 1u);
    EXPECT_EQ(setup.boxes.shown[0].text, L"无可用安装内容。");
    EXPECT_EQ(setup.boxes.shown[0].caption, L"错误");
    EXPECT_EQ(setup.boxes.shown[0].icon, platform::BoxIcon::Error);
}

TEST(TreeSort, SiblingsFollowTheirFolderNamesNotTheirTitles) {
    ComponentSetup setup;
    setup.component(L"b_tools", titled(L"A tools", L"name=tools\r\nmutex=Docs,old Docs\r\n"));
    setup.component(L"a_docs", titled(L"Z docs", L"name=Docs\r\n"));
    setup.component(L"a_docs\\z", titled(L"first"));
    setup.component(L"a_docs\\m", titled(L"second"));
    ASSERT_TRUE(setup.build());
    EXPECT_EQ(setup.view.titles,
              (std::vector<std::wstring>{L"Z docs", L"second", L"first", L"A tools"}));
    EXPECT_EQ(setup.column(&components::Component::dir),
              (std::vector<std::wstring>{L"C:\\setup\\a_docs", L"C:\\setup\\a_docs\\m",
                                         L"C:\\setup\\a_docs\\z", L"C:\\setup\\b_tools"}));
    EXPECT_EQ(setup.column(&components::Component::name),
              (std::vector<std::wstring>{L"DOCS", L"", L"", L"TOOLS"}));
    EXPECT_EQ(setup.column(&components::Component::mutex),
              (std::vector<std::wstring>{L"", L"", L"", L"DOCS,OLD DOCS"}));
    EXPECT_EQ(setup.installedFlags(), (std::vector<bool>(4, false)));
}

TEST(TreeTitles, LanguageTitleWinsWhenNotEmpty) {
    ComponentSetup setup(L"0804", L"[0804]\r\n15=hint\r\n");
    setup.component(L"a", L"[main]\r\ntitle=Editor\r\n[0804]\r\ntitle=编辑器\r\n");
    setup.component(L"b", L"[main]\r\ntitle=Viewer\r\n[0804]\r\ntitle=\r\n");
    setup.component(L"c", L"[0804]\r\nauthor=someone\r\n");
    ASSERT_TRUE(setup.build());
    EXPECT_EQ(setup.view.titles, (std::vector<std::wstring>{L"编辑器", L"Viewer", L""}));

    ComponentSetup plain; // without a language file [language] is no language section
    plain.component(L"a", L"[main]\r\ntitle=Editor\r\n[language]\r\ntitle=Other\r\n");
    ASSERT_TRUE(plain.build());
    EXPECT_EQ(plain.view.titles, (std::vector<std::wstring>{L"Editor"}));
}

TEST(TreeInitialStates, ParentEndsPartlyCheckedWhereChildrenDiffer) {
    ComponentSetup setup;
    setup.component(L"p", titled(L"P", L"checked=1\r\n"));
    setup.component(L"p\\a", titled(L"A", L"checked=1\r\n"));
    setup.component(L"p\\b", titled(L"B", L"checked=0\r\n"));
    setup.component(L"q", titled(L"Q", L"checked=1\r\n"));
    setup.component(L"q\\only", titled(L"Only"));
    setup.component(L"r", titled(L"R", L"checked=yes\r\n"));
    ASSERT_TRUE(setup.build());
    EXPECT_EQ(setup.state(L"p"), CheckState::Partly);
    EXPECT_EQ(setup.state(L"p\\b"), CheckState::Unchecked);
    EXPECT_EQ(setup.state(L"q"), CheckState::Unchecked);
    EXPECT_EQ(setup.state(L"r"), CheckState::Unset); // an odd value sets nothing
    setup.page.repaint();
    EXPECT_EQ(setup.view.looks.at(setup.node(L"r")).box, CheckState::Unchecked);
}

TEST(TreeInitialStates, MandatoryComponentGainsACheckBoxOnlyThroughItsParent) {
    ComponentSetup setup;
    setup.component(L"p", titled(L"P", L"checked=1\r\n"));
    setup.component(L"p\\core", titled(L"Core", L"checked=2\r\n"));
    setup.component(L"q", titled(L"Q", L"checked=0\r\n"));
    setup.component(L"q\\core", titled(L"Core 2", L"checked=2\r\n"));
    ASSERT_TRUE(setup.build());
    const auto core = setup.node(L"p\\core");
    EXPECT_EQ(setup.state(L"p\\core"), CheckState::Mandatory);
    EXPECT_TRUE(setup.page.tree().chosenForInstall(core));
    EXPECT_EQ(setup.state(L"q"), CheckState::Checked); // its only child was checked once

    setup.page.toggle(core); // no check box to click
    EXPECT_EQ(setup.state(L"p\\core"), CheckState::Mandatory);
    setup.page.toggle(setup.node(L"p"));
    EXPECT_EQ(setup.state(L"p\\core"), CheckState::Unchecked);
    EXPECT_FALSE(setup.view.looks.at(core).bold);
    setup.page.toggle(core); // and it now toggles like any other
    EXPECT_EQ(setup.state(L"p\\core"), CheckState::Checked);
}

TEST(TreeInitialStates, InitialStatesNeverExcludeOtherComponents) {
    ComponentSetup setup;
    setup.component(L"a", titled(L"A", L"checked=1\r\nname=a\r\nmutex=b\r\n"));
    setup.component(L"b", titled(L"B", L"checked=1\r\nname=b\r\nmutex=a\r\n"));
    ASSERT_TRUE(setup.build());
    EXPECT_EQ(setup.state(L"a"), CheckState::Checked);
    EXPECT_EQ(setup.state(L"b"), CheckState::Checked);
}

TEST(TreeExpanded, ComponentExpandsItselfAndTheScriptExpandsEverything) {
    ComponentSetup setup;
    setup.component(L"a", titled(L"A", L"expanded=1\r\n"));
    setup.component(L"a\\x", titled(L"X"));
    setup.component(L"b", titled(L"B", L"expanded=yes\r\n"));
    setup.component(L"b\\y", titled(L"Y"));
    ASSERT_TRUE(setup.build());
    EXPECT_TRUE(setup.view.looks.at(setup.node(L"a")).expanded);
    EXPECT_FALSE(setup.view.looks.at(setup.node(L"b")).expanded);

    setup.setupIni(L"[main]\r\nexpanded=1\r\n");
    ASSERT_TRUE(setup.build());
    for (std::size_t i = 0; i < setup.page.tree().count(); ++i) {
        EXPECT_TRUE(setup.page.tree().node(i).expanded) << i;
    }
}
