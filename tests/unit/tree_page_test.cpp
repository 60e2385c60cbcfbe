#include "component_setup.hpp"
#include "presenters/tree_item_accessibility.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using components::CheckState;
using components::NodeLook;
using components::TextColour;
using doubles::ComponentSetup;
using platform::BoxAnswer;

namespace {

std::wstring titled(const std::wstring& title, const std::wstring& more = L"") {
    return L"[main]\r\ntitle=" + title + L"\r\n" + more;
}

// P with children A and B; B, and C of the same title, are found installed.
struct InstalledSetup : ComponentSetup {
    InstalledSetup() {
        component(L"p", titled(L"P"));
        component(L"p\\a", titled(L"A"));
        component(L"p\\b", titled(L"B", L"[detect]\r\nfile=C:\\b.exe\r\n"));
        component(L"q", titled(L"B"));
        files.addFile(L"C:\\b.exe");
        build();
        page.detect();
    }
};

} // namespace

TEST(TreeInstalledWarning, CheckingAParentAsksForItsInstalledChild) {
    InstalledSetup setup;
    setup.boxes.answer(BoxAnswer::No);
    setup.page.toggle(setup.node(L"p"));
    ASSERT_EQ(setup.boxes.shown.size(), 1u);
    EXPECT_EQ(setup.boxes.shown[0].text, L"该组件可能已安装或卸载不完全，\r仍要继续安装吗？");
    EXPECT_EQ(setup.boxes.shown[0].caption, L"提示！");
    EXPECT_EQ(setup.boxes.shown[0].icon, platform::BoxIcon::Warning);
    EXPECT_EQ(setup.boxes.shown[0].buttons, platform::BoxButtons::YesNoDefaultNo);
    EXPECT_EQ(setup.state(L"p"), CheckState::Checked);
    EXPECT_EQ(setup.state(L"p\\a"), CheckState::Checked);
    EXPECT_EQ(setup.state(L"p\\b"), CheckState::Unchecked);

    setup.boxes.answer(BoxAnswer::Yes);
    setup.page.toggle(setup.node(L"p\\b"));
    EXPECT_EQ(setup.state(L"p\\b"), CheckState::Checked);
    setup.page.toggle(setup.node(L"p\\b")); // unchecking asks nothing
    EXPECT_EQ(setup.boxes.shown.size(), 2u);
}

TEST(TreeInstalledWarning, SameTitleSharesTheFlagAndAFailedBoxRefuses) {
    InstalledSetup setup;
    EXPECT_EQ(setup.installedFlags()[setup.node(L"q")], false);
    EXPECT_TRUE(setup.page.installed(setup.node(L"q")));
    setup.page.toggle(setup.node(L"q")); // no answer queued: the box cannot be shown
    EXPECT_EQ(setup.boxes.shown.size(), 1u);
    EXPECT_EQ(setup.state(L"q"), CheckState::Unchecked);
}

TEST(TreeInstalledWarning, SwitchedOffWarningChecksWithoutAQuestion) {
    InstalledSetup setup;
    setup.view.warningOff = true;
    setup.page.toggle(setup.node(L"p"));
    EXPECT_TRUE(setup.boxes.shown.empty());
    EXPECT_EQ(setup.state(L"p\\b"), CheckState::Checked);
}

TEST(TreeMutex, CheckingUnchecksOnlyWhatItsOwnMutexNames) {
    ComponentSetup setup;
    setup.component(L"a", titled(L"A", L"name=alpha\r\nmutex=,,nobody,beta, gamma,\r\n"));
    setup.component(L"b", titled(L"B", L"name=Beta\r\n"));
    setup.component(L"c", titled(L"C", L"name=gamma\r\nchecked=1\r\n"));
    setup.component(L"d", titled(L"D", L"checked=1\r\n")); // no name at all
    ASSERT_TRUE(setup.build());
    setup.page.toggle(setup.node(L"b"));
    setup.page.toggle(setup.node(L"a"));
    EXPECT_EQ(setup.state(L"a"), CheckState::Checked);
    EXPECT_EQ(setup.state(L"b"), CheckState::Unchecked);
    EXPECT_EQ(setup.state(L"c"), CheckState::Checked); // " gamma" is not "gamma"
    EXPECT_EQ(setup.state(L"d"), CheckState::Checked);
    setup.page.toggle(setup.node(L"b")); // B names nobody
    EXPECT_EQ(setup.state(L"a"), CheckState::Checked);
}

TEST(TreeMutex, EveryComponentWithTheTitleExcludesWithCascading) {
    ComponentSetup setup;
    setup.component(L"a", titled(L"Tools", L"mutex=x\r\n"));
    setup.component(L"b", titled(L"Tools", L"mutex=group\r\n"));
    setup.component(L"g", titled(L"G", L"name=group\r\nchecked=1\r\n"));
    setup.component(L"g\\y", titled(L"Y", L"checked=1\r\n"));
    setup.component(L"x", titled(L"X", L"name=x\r\nchecked=1\r\n"));
    ASSERT_TRUE(setup.build());
    setup.page.toggle(setup.node(L"a"));
    EXPECT_EQ(setup.state(L"x"), CheckState::Unchecked);
    EXPECT_EQ(setup.state(L"g"), CheckState::Unchecked);
    EXPECT_EQ(setup.state(L"g\\y"), CheckState::Unchecked);
}

TEST(TreeMutex, ComponentThatExcludesItselfEndsUnchecked) {
    ComponentSetup setup;
    setup.component(L"a", titled(L"A", L"name=a\r\nmutex=a\r\n"));
    setup.component(L"a\\x", titled(L"X"));
    ASSERT_TRUE(setup.build());
    setup.page.toggle(setup.node(L"a"));
    EXPECT_EQ(setup.state(L"a"), CheckState::Unchecked);
    EXPECT_EQ(setup.state(L"a\\x"), CheckState::Unchecked);
}

TEST(TreeRightButton, UnchecksEverythingAtOnceWithoutQuestions) {
    InstalledSetup setup;
    setup.component(L"m", titled(L"M", L"checked=2\r\n"));
    setup.build();
    setup.page.detect();
    setup.view.warningOff = true;
    setup.page.toggle(setup.node(L"p"));
    setup.page.Treeview1MouseDown(components::MouseButton::Left);
    EXPECT_EQ(setup.state(L"m"), CheckState::Mandatory);

    setup.page.Treeview1MouseDown(components::MouseButton::Right);
    for (const auto* folder : {L"p", L"p\\a", L"p\\b", L"q", L"m"}) {
        EXPECT_EQ(setup.state(folder), CheckState::Unchecked) << folder;
        EXPECT_EQ(setup.view.looks.at(setup.node(folder)).box, CheckState::Unchecked);
    }
    EXPECT_TRUE(setup.boxes.shown.empty());
}

TEST(TreeDrawing, MandatoryIsBoldGreyAndInstalledIsRed) {
    InstalledSetup setup;
    setup.component(L"m", titled(L"M", L"checked=2\r\n"));
    setup.build();
    setup.page.detect();
    EXPECT_EQ(setup.view.looks.at(setup.node(L"m")),
              (NodeLook{CheckState::Mandatory, true, TextColour::Grey, false}));
    EXPECT_EQ(setup.view.looks.at(setup.node(L"p\\a")),
              (NodeLook{CheckState::Unchecked, false, TextColour::Default, false}));
    EXPECT_EQ(setup.view.looks.at(setup.node(L"q")),
              (NodeLook{CheckState::Unchecked, false, TextColour::Red, false}));
    setup.page.setAllStates(CheckState::Mandatory); // red is drawn over the grey
    EXPECT_EQ(setup.page.Treeview1CustomDrawItem(setup.node(L"q")),
              (NodeLook{CheckState::Mandatory, true, TextColour::Red, false}));
}

TEST(TreeAccessibility, EachItemReportsTheStateItsBoxShows) {
    using presenters::TreeItemAccessibility;
    ComponentSetup setup;
    setup.component(L"g", titled(L"G", L"checked=1\r\n"));
    setup.component(L"g\\on", titled(L"On", L"checked=1\r\n"));
    setup.component(L"g\\off", titled(L"Off", L"checked=0\r\n"));
    setup.component(L"m", titled(L"M", L"checked=2\r\n"));
    setup.component(L"u", titled(L"U", L"checked=9\r\n"));
    ASSERT_TRUE(setup.build());
    const struct {
        const wchar_t* folder;
        TreeItemAccessibility heard;
    } rows[] = {
        {L"g", {.mixed = true}},
        {L"g\\on", {.checked = true}},
        {L"g\\off", {}},
        {L"m", {.checked = true, .unavailable = true}},
        {L"u", {}}, // never set: painted, and so heard, as unchecked
    };
    ASSERT_EQ(setup.state(L"u"), CheckState::Unset);
    for (const auto& row : rows) {
        EXPECT_EQ(presenters::accessibilityOf(setup.state(row.folder)), row.heard)
            << testing::PrintToString(std::wstring(row.folder));
    }
    // The right button unchecks everything: the mandatory component becomes a plain one.
    setup.page.Treeview1MouseDown(components::MouseButton::Right);
    EXPECT_EQ(presenters::accessibilityOf(setup.state(L"m")), TreeItemAccessibility{});
}
