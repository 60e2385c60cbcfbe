#include "app_rig.hpp"
#include "model/font_choice.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using doubles::FakeLanguageDialogView;
using presenters::DialogControl;
using Lines = std::vector<std::wstring>;

namespace {

const wchar_t kTwoLanguages[] =
    L"[0409]\r\nLanguageName=English\r\n62=Installer Language\r\n64=OK\r\n"
    L"[0804]\r\nLanguageName=中文\r\n62=安装语言\r\n64=确定\r\nfont=SimSun\r\nsize=0x0A\r\n";

struct LanguageDialog : testing::Test {
    doubles::AppRig rig;
    LanguageDialog() { rig.file(L"setup.ini", L"[main]\r\nmode=setup\r\n"); }
};

} // namespace

TEST(FontChoice, IntegerKeysAreDecimalOrHexadecimal) {
    EXPECT_EQ(model::profileInteger(L"12", 9), 12);
    EXPECT_EQ(model::profileInteger(L"0x86", 0), 134);
    EXPECT_EQ(model::profileInteger(L"-3", 9), -3);
    for (const wchar_t* bad : {L"", L"abc", L"12pt", L"0x", L"0xG1", L"99999999999", L"--1"}) {
        EXPECT_EQ(model::profileInteger(bad, 9), 9) << testing::PrintToString(std::wstring(bad));
    }
}

TEST_F(LanguageDialog, SystemLocaleSectionComesFirstAndSpeaksToTheUser) {
    rig.system.locale = 0x0804;
    rig.file(L"language.ini", kTwoLanguages);
    rig.start();
    EXPECT_EQ(rig.dialogView.list, (Lines{L"中文", L"English"}));
    EXPECT_EQ(rig.dialogView.selected, 0);
    EXPECT_EQ(rig.dialogView.caption, L"安装语言");
    EXPECT_EQ(rig.dialogView.texts[DialogControl::Button1], L"确定");
    EXPECT_EQ(rig.dialogView.texts[DialogControl::Button2], L"&Cancel");
    EXPECT_EQ(rig.dialogView.font, (model::FontChoice{L"SimSun", 10, 0}));
    EXPECT_EQ(rig.dialogView.placement, FakeLanguageDialogView::Placement::Centred);
    EXPECT_EQ(rig.dialogView.timer, 0u);
    EXPECT_EQ(rig.steps.calls, Lines{}); // waits for the user
}

TEST_F(LanguageDialog, IdParameterPreselectsButDialogTextsStayTheSystemLocales) {
    rig.system.locale = 0x0804;
    rig.commandLine(L"setup /id:0409", {L"setup", L"/id:0409"});
    rig.file(L"language.ini", kTwoLanguages);
    rig.start();
    EXPECT_EQ(rig.dialogView.list, (Lines{L"English", L"中文"}));
    EXPECT_EQ(rig.dialogView.caption, L"安装语言");
    EXPECT_EQ(rig.language.langsection, L"0409");
}

TEST_F(LanguageDialog, NeitherLocaleNor0409SectionKeepsTheFileOrder) {
    rig.system.locale = 0x0407;
    rig.file(L"language.ini", L"[0411]\r\nLanguageName=日本語\r\n[0804]\r\n1=x\r\n");
    rig.start();
    EXPECT_EQ(rig.dialogView.list, (Lines{L"日本語", L""}));
    EXPECT_EQ(rig.dialogView.selected, 0);
    EXPECT_EQ(rig.dialogView.caption, L"Installer Language");
}

TEST_F(LanguageDialog, OkTakesTheSelectedLineAndHandsOver) {
    rig.file(L"language.ini", kTwoLanguages);
    rig.start();
    rig.dialogView.select(1);
    rig.dialog.Button1Click();
    EXPECT_EQ(rig.language.langsection, L"0804");
    EXPECT_TRUE(rig.dialogView.hidden);
    EXPECT_EQ(rig.wizardView.shows, 1);
    EXPECT_EQ(rig.steps.calls, (Lines{L"readlist", L"detect"}));
    EXPECT_TRUE(rig.dialog.langsections().empty());
}

TEST_F(LanguageDialog, OkWithAnEmptyListKeepsThePreselectedSection) {
    rig.file(L"language.ini", L"; no languages yet\r\n");
    rig.start();
    EXPECT_EQ(rig.dialogView.selected, -1);
    rig.dialog.Button1Click();
    EXPECT_EQ(rig.language.langsection, L"0409");
    EXPECT_EQ(rig.wizardView.text(presenters::WizardControl::Button1), L"下一步");
    EXPECT_EQ(rig.wizardView.shows, 1);
}

TEST_F(LanguageDialog, CancelEndsTheProgramWithoutHandingOver) {
    rig.file(L"language.ini", kTwoLanguages);
    rig.start();
    rig.dialog.Button2Click();
    EXPECT_TRUE(rig.end.ending());
    EXPECT_EQ(rig.wizardView.shows, 0);
    rig.dialog.Timer1Timer(); // a late timer message changes nothing
    EXPECT_EQ(rig.wizardView.shows, 0);
}

TEST_F(LanguageDialog, WithoutLanguageFileTheTimerHandsOverOnce) {
    rig.start();
    EXPECT_EQ(rig.language.langsection, L"language");
    EXPECT_EQ(rig.dialogView.placement, FakeLanguageDialogView::Placement::OutOfSight);
    EXPECT_EQ(rig.dialogView.timer, 1u);
    rig.dialog.Timer1Timer();
    rig.dialog.Timer1Timer();
    EXPECT_EQ(rig.dialogView.timer, 0u);
    EXPECT_EQ(rig.wizardView.shows, 1);
    EXPECT_EQ(rig.steps.calls, (Lines{L"readlist", L"detect"}));
}

TEST_F(LanguageDialog, UsageBoxThenTheProgramEndsWithoutInstalling) {
    rig.file(L"setup.ini", L"[language]\r\n23=Usage\r\n24=setup /s<parcelkit_enter>x\r\n");
    rig.commandLine(L"setup /? /s", {L"setup", L"/?", L"/s"});
    rig.start();
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text, L"setup /s\r\nx");
    EXPECT_EQ(rig.boxes.shown[0].caption, L"Usage");
    EXPECT_EQ(rig.boxes.shown[0].buttons, platform::BoxButtons::Ok);
    EXPECT_EQ(rig.dialogView.placement, FakeLanguageDialogView::Placement::OutOfSight);
    EXPECT_TRUE(rig.end.ending());
    EXPECT_EQ(rig.steps.calls, Lines{});
    rig.dialog.Timer1Timer(); // armed again by "s", but the program is ending
    EXPECT_EQ(rig.wizardView.shows, 0);
}
