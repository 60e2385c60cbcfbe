#include "app_rig.hpp"
#include "base/error.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using platform::BoxAnswer;
using C = presenters::WizardControl;
using Lines = std::vector<std::wstring>;

namespace {

struct Closing : testing::Test {
    doubles::AppRig rig;

    Closing() { rig.file(L"setup.ini", L"[main]\r\nexit=0\r\n"); }
    void toPage3() {
        rig.startAndConfirm();
        rig.wizard.Button1Click();
        rig.wizard.Button1Click();
    }
    void finish() {
        toPage3();
        rig.wizard.Button1Click();
    }
    std::size_t installs() const {
        return std::count(rig.steps.calls.begin(), rig.steps.calls.end(), L"Install");
    }
};

} // namespace

TEST_F(Closing, AbandonQuestionOnPages1To3) {
    rig.startAndConfirm();
    rig.boxes.answer(BoxAnswer::No);
    rig.wizard.Button_exitClick();
    EXPECT_FALSE(rig.closed);
    EXPECT_TRUE(rig.session.setupini);
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text, L"你是否要放弃安装？");
    EXPECT_EQ(rig.boxes.shown[0].caption, L"提示！");
    EXPECT_EQ(rig.boxes.shown[0].icon, platform::BoxIcon::Question);
    EXPECT_EQ(rig.boxes.shown[0].buttons, platform::BoxButtons::YesNo);

    rig.boxes.answer(BoxAnswer::Yes);
    rig.wizard.Button_exitClick();
    EXPECT_TRUE(rig.closed);
    EXPECT_FALSE(rig.session.setupini);
    EXPECT_TRUE(rig.end.ending());
}

TEST_F(Closing, NoQuestionWithoutSetupScriptOrWithAnyArgument) {
    rig.commandLine(L"setup /id:0409", {L"setup", L"/id:0409"});
    finish();
    rig.session.needreboot = true;
    rig.wizard.Button_exitClick();
    EXPECT_TRUE(rig.closed);
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_TRUE(rig.shutdown.calls.empty());

    doubles::AppRig bare; // no setup.ini at all
    bare.startAndConfirm();
    bare.wizard.Button_exitClick();
    EXPECT_TRUE(bare.closed);
    EXPECT_TRUE(bare.boxes.shown.empty());
}

TEST_F(Closing, FinishedWithAFileWaitingAsksToRestart) {
    finish();
    rig.session.needreboot = true;
    rig.boxes.answer(BoxAnswer::Yes);
    rig.wizard.Button_exitClick();
    EXPECT_TRUE(rig.closed);
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text, L"是否重启以完成安装？");
    EXPECT_FALSE(rig.session.setupini);
    EXPECT_EQ(rig.shutdown.calls.back(), L"initiateShutdown ||restart");
}

TEST_F(Closing, FinishedRestartDeclinedOrNotNeeded) {
    finish();
    rig.session.needreboot = true;
    rig.boxes.answer(BoxAnswer::No);
    rig.wizard.Button_exitClick();
    EXPECT_TRUE(rig.closed);
    EXPECT_TRUE(rig.shutdown.calls.empty());

    doubles::AppRig plain;
    plain.file(L"setup.ini", L"[main]\r\n"); // exit defaults to 1: closes by itself
    plain.startAndConfirm();
    plain.wizard.Button1Click();
    plain.wizard.Button1Click();
    plain.wizard.Button1Click();
    EXPECT_TRUE(plain.closed);
    EXPECT_TRUE(plain.boxes.shown.empty());
}

TEST_F(Closing, ExitButtonAndEscDoNothingWhileInstalling) {
    toPage3();
    rig.steps.duringInstall = [&] { rig.wizard.Button_exitClick(); };
    rig.wizard.Button1Click();
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_FALSE(rig.closed);
    EXPECT_EQ(rig.title(), L"完成");
}

TEST_F(Closing, AbandonDuringInstallStopsItBeforeTheScriptIsReleased) {
    toPage3();
    bool scriptOpenAfterQuestion = false;
    rig.steps.duringInstall = [&] {
        rig.boxes.answer(BoxAnswer::Yes);
        rig.wizardView.close(); // the close box stays active
        scriptOpenAfterQuestion = rig.session.setupini != nullptr;
        EXPECT_FALSE(rig.closed);
    };
    rig.wizard.Button1Click();
    EXPECT_TRUE(scriptOpenAfterQuestion);
    EXPECT_TRUE(rig.steps.stoppedEarly);
    EXPECT_FALSE(rig.session.setupini);
    EXPECT_TRUE(rig.closed);
    EXPECT_EQ(rig.boxes.shown.size(), 1u); // asked once, not again on the real close
    EXPECT_NE(rig.title(), L"完成");
}

TEST_F(Closing, AbandonDeclinedDuringInstallLetsItFinish) {
    toPage3();
    rig.steps.duringInstall = [&] {
        rig.boxes.answer(BoxAnswer::No);
        rig.wizardView.close();
    };
    rig.wizard.Button1Click();
    EXPECT_FALSE(rig.steps.stoppedEarly);
    EXPECT_FALSE(rig.closed);
    EXPECT_EQ(rig.title(), L"完成");
}

TEST_F(Closing, FailedInstallAfterAbandonStillReleasesAndCloses) {
    toPage3();
    rig.steps.duringInstall = [&] {
        rig.boxes.answer(BoxAnswer::Yes);
        rig.wizardView.close();
        throw base::Error(L"Cannot write", L"uninstall.ini", L"Access is denied.");
    };
    EXPECT_THROW(rig.wizard.Button1Click(), base::Error);
    EXPECT_FALSE(rig.wizard.installing());
    EXPECT_FALSE(rig.session.setupini);
    EXPECT_TRUE(rig.closed);
}

TEST_F(Closing, SilentRunInstallsOnceWithoutQuestionsAndEnds) {
    rig.file(L"language.ini", L"[0409]\r\nname=Notes\r\n28=Finish\r\n[0804]\r\nname=笔记\r\n");
    rig.commandLine(L"setup /s /S /id:0804", {L"setup", L"/s", L"/S", L"/id:0804"});
    std::wstring nameDuringInstall;
    rig.steps.duringInstall = [&] { nameDuringInstall = rig.session.dirs.setupname; };
    rig.start();
    EXPECT_EQ(rig.steps.calls, (Lines{L"readlist", L"detect", L"Install"}));
    EXPECT_EQ(nameDuringInstall, L"笔记");
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_EQ(rig.title(), L"安装"); // page 4 stays; no finish page
    EXPECT_EQ(rig.wizardView.text(C::Button1), L"完成(&O)");
    EXPECT_TRUE(rig.wizardView.enabled(C::Button1));
    EXPECT_TRUE(rig.wizardView.enabled(C::Button_exit));
    EXPECT_TRUE(rig.end.ending());
    EXPECT_EQ(rig.wizardView.shows, 1);
    rig.dialog.Timer1Timer(); // the armed timer fires late: nothing happens again
    EXPECT_EQ(installs(), 1u);
}

TEST_F(Closing, SilentRunClosedWhileInstallingStopsWithoutAsking) {
    rig.commandLine(L"setup /s", {L"setup", L"/s"});
    rig.steps.duringInstall = [&] { rig.wizardView.close(); };
    rig.start();
    EXPECT_TRUE(rig.steps.stoppedEarly);
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_TRUE(rig.closed);
    EXPECT_NE(rig.wizardView.text(C::Button1), L"完成(&O)");
}
