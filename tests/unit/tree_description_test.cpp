#include "component_setup.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using doubles::ComponentSetup;

namespace {

const wchar_t kLanguage[] = L"[0804]\r\n15=Pick on the left.\r\n20=Desc:\r\n21=By:\r\n22=Date:\r\n"
                            L"67=Ver:\r\n53=Grey bold: installed.\r\n";
const wchar_t kHint[] = L"Pick on the left.\r\n\r\n\r\nGrey bold: installed.\r\n";

struct DescribedSetup : ComponentSetup {
    DescribedSetup() : ComponentSetup(L"0804", kLanguage) {
        component(L"a", L"[main]\r\ntitle=Editor\r\ncontent=unused\r\n"
                        L"[0804]\r\ncontent=Edits<parcelkit_enter>texts\r\nAuthor=Ann\r\n"
                        L"date=2024<parcelkit_comma> May\r\nver=1.0\r\n");
        component(L"b", L"[main]\r\ntitle=Viewer\r\ncontent=Shows texts\r\nver=2.0\r\n");
        component(L"c", L"[main]\r\ntitle=Bare\r\n");
        component(L"d", L"[main]\r\ntitle=Editor\r\n[0804]\r\ncontent=Second editor\r\n");
        build();
    }
};

} // namespace

TEST(TreeDescription, LanguageValuesUnescapedElseMainValuesWithAnEmptyLine) {
    DescribedSetup setup;
    setup.page.ReadContent(setup.node(L"a"));
    EXPECT_EQ(setup.view.panel, L"Desc:Edits\r\ntexts\r\nBy:Ann\r\nDate:2024, May\r\nVer:1.0\r\n"
                                L"Grey bold: installed.\r\n");
    setup.page.ReadContent(setup.node(L"b"));
    EXPECT_EQ(setup.view.panel, L"Desc:Shows texts\r\n\r\nBy:\r\n\r\nDate:\r\n\r\nVer:2.0\r\n\r\n"
                                L"Grey bold: installed.\r\n");
    EXPECT_EQ(setup.view.pageUps, 2);
}

TEST(TreeDescription, ComponentWithoutDescriptionReplacesWhatWasShown) {
    DescribedSetup setup;
    setup.page.ReadContent(setup.node(L"a"));
    setup.page.ReadContent(setup.node(L"c"));
    EXPECT_EQ(setup.view.panel,
              L"Desc:\r\n\r\nBy:\r\n\r\nDate:\r\n\r\nVer:\r\n\r\nGrey bold: installed.\r\n");
    setup.page.ReadContent(setup.node(L"c")); // the same again: no redraw, still a scroll
    EXPECT_EQ(setup.view.panelWrites, 2);
    EXPECT_EQ(setup.view.pageUps, 3);
}

TEST(TreeDescription, NoNodeOrOnePastTheEndShowsTheHint) {
    DescribedSetup setup;
    setup.page.ReadContent(setup.node(L"a"));
    setup.page.ReadContent(setup.page.tree().count());
    EXPECT_EQ(setup.view.panel, kHint);
    setup.page.ReadContent(setup.node(L"a"));
    setup.page.ReadContent(std::nullopt);
    EXPECT_EQ(setup.view.panel, kHint);

    ComponentSetup defaults; // no language file: the built-in texts
    defaults.component(L"a", L"[main]\r\ntitle=A\r\n");
    ASSERT_TRUE(defaults.build());
    defaults.page.ReadContent(std::nullopt);
    EXPECT_EQ(defaults.view.panel.rfind(L"请在左侧选择所需组件。\r\n\r\n\r\n注意：", 0), 0u);
}

TEST(TreeDescription, PointerFollowsTitlesAndEmptySpaceShowsTheHintWithoutScrolling) {
    DescribedSetup setup;
    setup.page.Treeview1MouseMove(setup.node(L"d")); // the first "Editor" describes both
    EXPECT_EQ(setup.view.panel.rfind(L"Desc:Edits\r\n", 0), 0u);
    setup.page.Treeview1MouseMove(std::nullopt);
    EXPECT_EQ(setup.view.panel, kHint);
    EXPECT_EQ(setup.view.pageUps, 1);
    setup.page.Treeview1Change(setup.node(L"d"));
    EXPECT_EQ(setup.view.panel.find(L"Second editor"), std::wstring::npos);
}
