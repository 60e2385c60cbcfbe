#include "base/error.hpp"
#include "component_setup.hpp"
#include "components/command_line_choice.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using components::CheckState;
using doubles::ComponentSetup;

namespace {

// core is mandatory, docs checked, extra unchecked and found installed; lite and full
// exclude each other.
struct ChoiceSetup : ComponentSetup {
    ChoiceSetup() {
        component(L"01-core", L"[main]\r\ntitle=Core\r\nchecked=2\r\n");
        component(L"02-docs", L"[main]\r\ntitle=Manual\r\nchecked=1\r\n");
        component(L"03-extra", L"[main]\r\ntitle=Extra\r\n[detect]\r\nfile=C:\\x.exe\r\n");
        component(L"04-lite", L"[main]\r\ntitle=Lite\r\nname=lite\r\nmutex=full\r\n");
        component(L"05-full", L"[main]\r\ntitle=Full\r\nname=full\r\nmutex=lite\r\n");
        files.addFile(L"C:\\x.exe");
        build();
        page.detect();
    }
    std::vector<CheckState> states() const {
        std::vector<CheckState> all;
        for (const auto* name : {L"01-core", L"02-docs", L"03-extra", L"04-lite", L"05-full"}) {
            all.push_back(state(name));
        }
        return all;
    }
};

constexpr auto M = CheckState::Mandatory;
constexpr auto C = CheckState::Checked;
constexpr auto U = CheckState::Unchecked;

} // namespace

TEST(TreeCommandLineChoice, NamesByFolderOrTitleOnTopOfTheDefaults) {
    struct Row {
        const wchar_t* list;
        std::vector<CheckState> states; // core, docs, extra, lite, full
        std::size_t notes;              // told that a mandatory one stays
        const wchar_t* error;           // part of the error's text, or none
    };
    const std::vector<Row> rows{
        {L"", {M, C, U, U, U}, 0, nullptr},
        // Found installed, named all the same: installed without a question.
        {L"03-EXTRA, -manual", {M, U, C, U, U}, 0, nullptr},
        {L"-01-core,full", {M, C, U, U, C}, 1, nullptr},
        {L"lite,05-full", {}, 0, L"Lite and Full cannot be installed together."},
        {L"lite,-full", {M, C, U, C, U}, 0, nullptr},
        {L"core,nothing",
         {},
         0,
         L"There is no component \"nothing\". The components are: "
         L"01-core (Core), 02-docs (Manual), 03-extra (Extra), "
         L"04-lite (Lite), 05-full (Full)."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows.data());
        ChoiceSetup setup;
        try {
            components::applyCommandLineChoice(setup.page, row.list, setup.boxes);
            EXPECT_EQ(row.error, nullptr);
            EXPECT_EQ(setup.states(), row.states);
        } catch (const base::Error& error) {
            ASSERT_NE(row.error, nullptr);
            EXPECT_NE(error.reason().find(row.error), std::wstring::npos);
        }
        EXPECT_TRUE(setup.boxes.shown.empty()) << "nothing is asked";
        EXPECT_EQ(setup.boxes.notes.size(), row.notes);
    }
}
