#include "presenters/layout.hpp"
#include "presenters/reading_order.hpp"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <vector>

using namespace parcelkit;

namespace {

std::string nameOf(const presenters::ControlLayout& control) {
    return testing::PrintToString(std::wstring(control.name));
}

const presenters::ControlLayout* parentOf(const presenters::ControlLayout& control) {
    for (const auto& other : presenters::controlLayouts()) {
        if (other.form == control.form && other.name == control.parent) {
            return &other;
        }
    }
    return nullptr;
}

} // namespace

TEST(Layout, EveryControlOnceAndFoundByItsId) {
    std::set<std::pair<presenters::Form, int>> seen;
    for (const auto& control : presenters::controlLayouts()) {
        EXPECT_TRUE(seen.insert({control.form, control.id}).second) << nameOf(control);
    }
    for (int c = 0; c <= static_cast<int>(presenters::WizardControl::Button_exit); ++c) {
        EXPECT_EQ(presenters::layoutOf(static_cast<presenters::WizardControl>(c)).id, c);
    }
    EXPECT_EQ(presenters::layoutOf(presenters::DialogControl::Button2).name, L"Button2");
    EXPECT_EQ(presenters::layoutOf(presenters::UninstallerControl::Cancel).name, L"Cancel");
    EXPECT_EQ(seen.size(), 21u + 4u + 12u);
}

TEST(Layout, ACommandIdNamesAControlOfItsFormOrNone) {
    using presenters::Form;
    struct Row {
        Form form;
        int commandId;
        std::optional<int> control;
    };
    const Row rows[] = {
        {Form::Wizard, 100, static_cast<int>(presenters::WizardControl::Shape1)},
        {Form::Wizard, 120, static_cast<int>(presenters::WizardControl::Button_exit)},
        {Form::Wizard, 121, std::nullopt},
        {Form::Wizard, 0xFFFF, std::nullopt},
        {Form::Wizard, 99, std::nullopt},
        {Form::Wizard, 1, std::nullopt}, // IDOK
        {Form::LanguageDialog, 103, static_cast<int>(presenters::DialogControl::Button2)},
        {Form::LanguageDialog, 104, std::nullopt},
        {Form::Uninstaller, 111, static_cast<int>(presenters::UninstallerControl::Cancel)},
        {Form::Uninstaller, 112, std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(presenters::controlOfCommand(row.form, row.commandId), row.control)
            << static_cast<int>(row.form) << " " << row.commandId;
    }
}

TEST(Layout, ControlsFitInsideTheirParent) {
    for (const auto& control : presenters::controlLayouts()) {
        int width = presenters::layoutOf(control.form).clientWidth;
        int height = presenters::layoutOf(control.form).clientHeight;
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

TEST(Layout, TabFollowsTheReadingOrderAndNeverStopsAtATextOrPicture) {
    using presenters::Form;
    const std::map<Form, std::vector<std::wstring_view>> tabStops{
        // Only one page's controls are shown at a time; within each page this is the order
        // of reading, with the buttons last.
        {Form::Wizard,
         {L"Treeview1", L"RichEdit1", L"Edit1", L"Memo1", L"Button_dir", L"CheckBox1", L"Button2",
          L"Button1", L"Button_exit"}},
        {Form::LanguageDialog, {L"list1", L"Button1", L"Button2"}},
        {Form::Uninstaller,
         {L"Directory", L"Components", L"SelectAll", L"DeleteRegistry", L"Progress", L"Uninstall",
          L"Cancel"}},
    };
    for (const auto& [form, expected] : tabStops) {
        std::vector<std::wstring_view> stops;
        bool focusableSeen = false;
        for (const auto& control : presenters::creationOrder(form)) {
            const bool focusable = presenters::takesFocus(control.kind);
            // Controls Tab skips come first: the order among the others is Tab's.
            EXPECT_TRUE(focusable || !focusableSeen) << nameOf(control);
            focusableSeen = focusableSeen || focusable;
            if (focusable) {
                stops.push_back(control.name);
            }
        }
        EXPECT_EQ(stops, expected) << static_cast<int>(form);
    }
}

TEST(Layout, OneDefaultAndOneCancelButtonPerWindow) {
    std::map<presenters::Form, int> defaults;
    std::map<presenters::Form, int> cancels;
    for (const auto& control : presenters::controlLayouts()) {
        defaults[control.form] += control.defaultButton;
        cancels[control.form] += control.cancelButton;
    }
    EXPECT_EQ(defaults, (std::map<presenters::Form, int>{{presenters::Form::Wizard, 1},
                                                         {presenters::Form::LanguageDialog, 1},
                                                         {presenters::Form::Uninstaller, 1}}));
    EXPECT_EQ(cancels, defaults);
    EXPECT_TRUE(presenters::layoutOf(presenters::WizardControl::Button1).defaultButton);
    EXPECT_TRUE(presenters::layoutOf(presenters::WizardControl::Button_exit).cancelButton);
    EXPECT_TRUE(presenters::layoutOf(presenters::WizardControl::CheckBox1).hiddenAtStart);
}
