#include "presenters/screen_layout.hpp"

#include <gtest/gtest.h>
#include <vector>

using namespace parcelkit;
using presenters::Rect;
using presenters::Scale;

namespace {

std::string nameOf(const presenters::ControlLayout& control) {
    return testing::PrintToString(std::wstring(control.name));
}

} // namespace

TEST(ScreenLayout, ThePixelsOfTheTablesAndTheFontsGrowByDpiOver96) {
    struct Row {
        int dpi;
        int design;
        int pixels; // rounded to the nearest, halves away from zero
        int ninePoints;
        int fourteenPixels;
    };
    const Row rows[] = {
        {96, 75, 75, 12, 14},   {120, 75, 94, 15, 18}, {144, 75, 113, 18, 21},
        {192, 75, 150, 24, 28}, {144, -5, -8, 18, 21}, {0, 75, 75, 12, 14}, // no dpi: 100%
    };
    for (const Row& row : rows) {
        const Scale scale(row.dpi);
        EXPECT_EQ(scale.pixels(row.design), row.pixels) << row.dpi;
        EXPECT_EQ(scale.designPixels(row.pixels), row.design) << row.dpi;
        EXPECT_EQ(scale.characterHeight(9, 0), row.ninePoints) << row.dpi;
        EXPECT_EQ(scale.characterHeight(9, 14), row.fourteenPixels) << row.dpi;
    }
    // Place and size scale each on their own: within a pixel of the scaled edges.
    EXPECT_EQ(Scale(144).pixels(Rect{8, 244, 433, 49}), (Rect{12, 366, 650, 74}));
}

TEST(ScreenLayout, EveryControlStaysInsideItsWindowAtEveryResolution) {
    for (const int dpi : {96, 120, 144, 192, 240}) {
        const Scale scale(dpi);
        for (const auto& control : presenters::controlLayouts()) {
            const auto& form = presenters::layoutOf(control.form);
            const Rect place = scale.pixels(presenters::placeOf(control));
            EXPECT_LE(place.right(), scale.pixels(form.clientWidth)) << nameOf(control) << dpi;
            EXPECT_LE(place.bottom(), scale.pixels(form.clientHeight)) << nameOf(control) << dpi;
        }
    }
    // Inside a group box, the box's place counts.
    EXPECT_EQ(presenters::placeOf(presenters::layoutOf(presenters::WizardControl::Button_dir)),
              (Rect{358, 260, 75, 25}));
}

TEST(ScreenLayout, AControlGrowsForItsTextUpToTheNextShownControlOrTheEdge) {
    const Rect checkBox{6, 278, 177, 17};
    const std::vector<Rect> page3{{256, 64, 185, 229}, {8, 63, 241, 207}, {262, 314, 75, 25}};
    const std::vector<Rect> beside{{200, 270, 20, 10}, {190, 280, 20, 10}, {300, 200, 20, 70}};
    struct Row {
        std::vector<Rect> others;
        int limit;
    };
    const Row rows[] = {
        {page3, 252},              // the description box beside it stops it
        {{}, 441},                 // nothing shown beside it: the window's edge
        {beside, 186},             // the nearest of those that share its rows
        {{{4, 270, 50, 40}}, 441}, // one that starts left of it is no obstacle
    };
    for (const Row& row : rows) {
        EXPECT_EQ(presenters::growthLimit(checkBox, row.others, 441, 4), row.limit);
    }
    EXPECT_EQ(presenters::widenedFor(checkBox, 230, 252), (Rect{6, 278, 230, 17}));
    EXPECT_EQ(presenters::widenedFor(checkBox, 400, 252), (Rect{6, 278, 246, 17}));
    EXPECT_EQ(presenters::widenedFor(checkBox, 100, 252), checkBox); // never narrower
}

TEST(ScreenLayout, AWindowIsCentredAndOneTooLargeKeepsItsTitleBarOnTheScreen) {
    const Rect workArea{0, 0, 1024, 738};
    EXPECT_EQ(presenters::centredIn({5, 5, 455, 372}, workArea), (Rect{284, 183, 455, 372}));
    EXPECT_EQ(presenters::centredIn({5, 5, 960, 950}, workArea), (Rect{32, 0, 960, 950}));
    EXPECT_EQ(presenters::centredIn({5, 5, 455, 372}, {1024, 40, 1280, 984}),
              (Rect{1436, 346, 455, 372}));
}
