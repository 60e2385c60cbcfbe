#include "presenters/layout.hpp"

#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace parcelkit;

namespace {

std::string nameOf(const app::ControlLayout& control) {
    return testing::PrintToString(std::wstring(control.name));
}

const app::ControlLayout* parentOf(const app::ControlLayout& control) {
    for (const auto& other : app::controlLayouts()) {
        if (other.form == control.form && other.name == control.parent) {
            return &other;
        }
    }
    return nullptr;
}

} // namespace

TEST(Layout, EveryControlOnceAndFoundByItsId) {
    std::set<std::pair<app::Form, int>> seen;
    for (const auto& control : app::controlLayouts()) {
        EXPECT_TRUE(seen.insert({control.form, control.id}).second) << nameOf(control);
    }
    for (int c = 0; c <= static_cast<int>(app::WizardControl::Button_exit); ++c) {
        EXPECT_EQ(app::layoutOf(static_cast<app::WizardControl>(c)).id, c);
    }
    EXPECT_EQ(app::layoutOf(app::DialogControl::Button2).name, L"Button2");
    EXPECT_EQ(seen.size(), 21u + 4u);
}

TEST(Layout, ControlsFitInsideTheirParent) {
    for (const auto& control : app::controlLayouts()) {
        int width = app::layoutOf(control.form).clientWidth;
        int height = app::layoutOf(control.form).clientHeight;
        if (!control.parent.empty()) {
            const auto* parent = parentOf(control);
            ASSERT_NE(parent, nullptr) << nameOf(control);
            width = parent->width;
            height = parent->height;
        }
        EXPECT_LE(control.left + control.width, width) << nameOf(control);
        EXPECT_LE(control.top + control.height, height) << nameOf(control);
        EXPECT_EQ(control.autoSize, control.width == 0) << nameOf(control);
    }
}

TEST(Layout, TabOrderAndKeyButtonsPerWindow) {
    std::map<std::pair<app::Form, std::wstring_view>, std::set<int>> tabs;
    std::map<app::Form, int> defaults;
    std::map<app::Form, int> cancels;
    for (const auto& control : app::controlLayouts()) {
        if (control.tabOrder >= 0) {
            auto& taken = tabs[std::make_pair(control.form, control.parent)];
            EXPECT_TRUE(taken.insert(control.tabOrder).second) << nameOf(control);
        }
        defaults[control.form] += control.defaultButton;
        cancels[control.form] += control.cancelButton;
    }
    EXPECT_EQ(defaults,
              (std::map<app::Form, int>{{app::Form::Wizard, 1}, {app::Form::LanguageDialog, 1}}));
    EXPECT_EQ(cancels, defaults);
    EXPECT_TRUE(app::layoutOf(app::WizardControl::Button1).defaultButton);
    EXPECT_TRUE(app::layoutOf(app::WizardControl::Button_exit).cancelButton);
    EXPECT_EQ(app::layoutOf(app::WizardControl::Button2).tabOrder, 0);
    EXPECT_TRUE(app::layoutOf(app::WizardControl::CheckBox1).hiddenAtStart);
}
