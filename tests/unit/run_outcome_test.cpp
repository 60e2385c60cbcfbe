#include "fake_message_boxes.hpp"
#include "main/setup_program.hpp"
#include "model/run_outcome.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;

TEST(RunOutcomeBoxes, SilentRunShowsNothingAndAnErrorFailsEitherWay) {
    for (const bool silent : {false, true}) {
        doubles::FakeMessageBoxes shown;
        model::RunOutcomeBoxes boxes(shown, silent);
        EXPECT_EQ(boxes.show(L"About", L"Parcelkit", BoxIcon::Information, BoxButtons::Ok),
                  BoxAnswer::Ok);
        EXPECT_FALSE(boxes.failed()) << "a notice is no failure";
        // A question nobody can answer leaves things as they are.
        shown.answer(BoxAnswer::Yes);
        EXPECT_EQ(boxes.show(L"Go on?", L"Notice", BoxIcon::Question, BoxButtons::YesNo),
                  silent ? BoxAnswer::No : BoxAnswer::Yes);
        boxes.report(L"Not found: a.dll", BoxIcon::Error);
        EXPECT_TRUE(boxes.failed());
        EXPECT_EQ(shown.shown.size(), silent ? 0u : 2u);
        EXPECT_EQ(boxes.texts(), (std::vector<std::wstring>{L"Parcelkit: About", L"Notice: Go on?",
                                                            L"Not found: a.dll"}));
    }
}

TEST(RunOutcome, ExitCodes) {
    struct Row {
        bool failed, installed, restart, usage;
        int code;
    };
    for (const Row& row :
         {Row{false, true, false, false, 0}, Row{false, true, true, false, 3010},
          Row{true, true, true, false, 1603}, Row{true, false, false, false, 1603},
          Row{false, false, false, false, 1602}, Row{false, false, false, true, 0}}) {
        EXPECT_EQ(programs::exitCodeOf(row.failed, row.installed, row.restart, row.usage), row.code)
            << row.failed << row.installed << row.restart << row.usage;
    }
}
