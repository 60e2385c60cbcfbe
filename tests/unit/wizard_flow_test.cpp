#include "app_rig.hpp"
#include "presenters/about.hpp"
#include "presenters/layout.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using C = presenters::WizardControl;
using Lines = std::vector<std::wstring>;

namespace {

const wchar_t kEnglish[] = L"[0409]\r\n3=Next\r\n5=Readme\r\n7=Destination\r\n9=Choose where\r\n"
                           L"10=goes.\r\n13=Settings\r\n16=Install\r\n28=Finish\r\n29=Done.\r\n"
                           L"30=Restart needed.\r\n49=Thanks.\r\nname=Notes\r\n";

struct Wizard : testing::Test {
    doubles::AppRig rig;
    doubles::FakeWizardView& view = rig.wizardView;

    Wizard() {
        rig.file(L"setup.ini", L"[main]\r\nprogdir=#progdir#\\Notes\\\r\nexit=0\r\n");
        rig.file(L"language.ini", kEnglish);
    }
    // Which of the page controls are shown, in the order of the visibility table.
    Lines shown() const {
        Lines names;
        for (const C c :
             {C::Label4, C::Label5, C::Label6, C::Label7, C::RichEdit1, C::GroupBox1, C::Treeview1,
              C::Memo1, C::CheckBox1, C::ProgressBar1, C::Button1, C::Button2}) {
            if (view.visible(c)) {
                names.emplace_back(presenters::layoutOf(c).name);
            }
        }
        return names;
    }
    void toPage3() {
        rig.startAndConfirm();
        rig.wizard.Button1Click();
        rig.wizard.Button1Click();
    }
};

} // namespace

TEST_F(Wizard, CreationReadsTheDestinationAndAnEarlierInstallation) {
    rig.file(L"setup.ini", L"[main]\r\nprogdir=#PROGDIR#\\Notes\\\r\nid=NotesApp\r\n");
    rig.system.system = L"D:\\WINDOWS\\system32";
    rig.start();
    EXPECT_EQ(view.text(C::Edit1), L"D:\\Program Files\\Notes");
    EXPECT_EQ(rig.session.dirs.setupdir, L"D:\\Program Files\\Notes");
    EXPECT_EQ(rig.registry.reads.size(), 1u);

    doubles::AppRig earlier;
    earlier.file(L"setup.ini", L"[main]\r\nprogdir=C:\\Elsewhere\r\nid=NotesApp\r\n");
    earlier.registry.values[{platform::RootKey::LocalMachine,
                             L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\NotesApp",
                             L"UninstallString"}] = L"\"E:\\Apps\\Notes\\uninstall.exe\"";
    earlier.files.addFile(L"C:\\setup\\setup.bmp");
    earlier.start();
    EXPECT_EQ(earlier.session.dirs.setupdir, L"E:\\Apps\\Notes");
    EXPECT_EQ(earlier.wizardView.headerPicture, L"C:\\setup\\setup.bmp");
}

TEST_F(Wizard, ActivationShowsPage1ThenBuildsTheTreeOnce) {
    rig.startAndConfirm();
    EXPECT_EQ(rig.title(), L"Readme");
    EXPECT_EQ(shown(), (Lines{L"RichEdit1", L"Button1"}));
    EXPECT_EQ(view.windowCaption, L"安装 Notes");
    EXPECT_EQ(view.left(C::Bevel1), 6 + 9 * 7 + 5); // right of "Parcelkit"
    rig.wizard.enter();
    EXPECT_EQ(rig.steps.calls, (Lines{L"readlist", L"detect"}));
    EXPECT_FALSE(rig.end.ending());
    EXPECT_TRUE(rig.registry.reads.empty()); // without an id no entry is looked up
}

TEST_F(Wizard, NothingToInstallEndsBeforeDetectionAndTheSystemCheck) {
    rig.file(L"setup.ini", L"[main]\r\nsystem=98\r\n");
    rig.steps.components = false;
    rig.startAndConfirm();
    EXPECT_EQ(rig.steps.calls, (Lines{L"readlist"}));
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_TRUE(rig.end.ending());
}

TEST_F(Wizard, SystemCheckComparesExactly) {
    rig.file(L"setup.ini", L"[main]\r\nsystem=2000\r\n");
    rig.startAndConfirm();
    EXPECT_FALSE(rig.end.ending());

    doubles::AppRig nine;
    nine.file(L"setup.ini", L"[main]\r\nsystem=98\r\n");
    nine.startAndConfirm();
    ASSERT_EQ(nine.boxes.shown.size(), 1u);
    EXPECT_EQ(nine.boxes.shown[0].text, L"不支持当前操作系统。");
    EXPECT_EQ(nine.boxes.shown[0].caption, L"错误");
    EXPECT_EQ(nine.boxes.shown[0].icon, platform::BoxIcon::Error);
    EXPECT_TRUE(nine.end.ending());
}

TEST_F(Wizard, PagesForwardAndBack) {
    rig.startAndConfirm();
    rig.wizard.Button1Click();
    EXPECT_EQ(rig.title(), L"Destination");
    EXPECT_EQ(view.text(C::Label3), L"Choose where Notes goes.");
    EXPECT_EQ(shown(), (Lines{L"Label4", L"Label5", L"GroupBox1", L"Button1", L"Button2"}));
    view.setText(C::Edit1, L"D:\\Mine\\");
    rig.wizard.Button1Click();
    EXPECT_EQ(rig.session.dirs.setupdir, L"D:\\Mine\\"); // as typed for the check
    EXPECT_EQ(rig.title(), L"Settings");
    EXPECT_EQ(view.text(C::Button1), L"Install");
    EXPECT_EQ(shown(), (Lines{L"Treeview1", L"Memo1", L"CheckBox1", L"Button1", L"Button2"}));
    rig.wizard.Button2Click();
    rig.wizard.Button2Click();
    EXPECT_EQ(rig.title(), L"Readme");
    rig.wizard.Button2Click(); // nothing before page 1
    EXPECT_EQ(rig.title(), L"Readme");
    EXPECT_EQ(view.text(C::Edit1), L"D:\\Mine\\");
}

TEST_F(Wizard, LeavingPage2ChecksAgainEachTimeButAddsTheHintOnce) {
    toPage3();
    rig.wizard.Button2Click();
    rig.wizard.Button1Click();
    EXPECT_EQ(rig.steps.calls, (Lines{L"readlist", L"detect", L"Checksetup", L"Checksetup"}));
    EXPECT_EQ(view.text(C::Memo1), L"请在左侧选择所需组件。\r\n\r\n\r\n"
                                   L"注意：以灰色粗体显示的项目表示该项目已经安装或安装前卸载"
                                   L"不完全，不建议安装。");
}

TEST_F(Wizard, RefusedChecksetupEndsOnPage2) {
    rig.steps.goOn = false;
    rig.startAndConfirm();
    rig.wizard.Button1Click();
    rig.wizard.Button1Click();
    EXPECT_EQ(rig.title(), L"Destination");
    EXPECT_TRUE(rig.end.ending());
}

TEST_F(Wizard, InstallShowsPage4ThenTheFinishPage) {
    toPage3();
    view.setText(C::Label4, L"page 2 line");
    view.setText(C::Edit1, L"D:\\Mine\\");
    rig.steps.duringInstall = [&] {
        EXPECT_EQ(rig.title(), L"安装");
        EXPECT_EQ(shown(),
                  (Lines{L"Label4", L"Label5", L"Label6", L"Label7", L"ProgressBar1", L"Button1"}));
        EXPECT_FALSE(view.enabled(C::Button1));
        EXPECT_FALSE(view.enabled(C::Button_exit));
        EXPECT_EQ(view.text(C::Label4), L"page 2 line");
        EXPECT_EQ(rig.session.dirs.setupdir, L"D:\\Mine");
        rig.session.needreboot = true;
    };
    rig.wizard.Button1Click();
    EXPECT_EQ(rig.title(), L"完成");
    EXPECT_EQ(shown(), (Lines{L"Label4", L"Label5"}));
    EXPECT_EQ(view.text(C::Label4), L"Done.");
    EXPECT_EQ(view.text(C::Label5), L"Restart needed.");
    EXPECT_EQ(view.text(C::Button_exit), L"Finish");
    EXPECT_TRUE(view.enabled(C::Button_exit));
    EXPECT_EQ(view.focused, C::Button_exit);
    EXPECT_EQ(view.closeRequests, 0); // exit=0: the finish page stays
}

TEST_F(Wizard, UpdateModeWordingOnPages3To5) {
    rig.file(L"setup.ini", L"[main]\r\nmode=update\r\nexit=0\r\n");
    toPage3();
    EXPECT_EQ(view.text(C::Button1), L"升级(&U)");
    rig.steps.duringInstall = [&] {
        EXPECT_EQ(rig.title(), L"升级");
        EXPECT_EQ(view.text(C::Label3), L"正在升级");
    };
    rig.wizard.Button1Click();
    EXPECT_EQ(view.text(C::Label3), L"升级完成");
    EXPECT_EQ(view.text(C::Label5), L"Thanks.");
}

TEST_F(Wizard, SameTitleForPages2And3KeepsTheInstallationFromStarting) {
    rig.file(L"language.ini", L"[0409]\r\n7=Same\r\n13=Same\r\n");
    toPage3();
    rig.wizard.Button1Click();
    EXPECT_EQ(rig.title(), L"Same");
    EXPECT_EQ(std::count(rig.steps.calls.begin(), rig.steps.calls.end(), L"Install"), 0);
}

TEST_F(Wizard, BrowsePutsTheChosenFolderIntoTheField) {
    rig.startAndConfirm();
    view.folderAnswers = {std::nullopt, L"E:\\Target"};
    rig.wizard.Button_dirClick();
    EXPECT_EQ(view.text(C::Edit1), L"C:\\Program Files\\Notes");
    rig.wizard.Button_dirClick();
    EXPECT_EQ(view.text(C::Edit1), L"E:\\Target");
    EXPECT_EQ(view.folderCaptions, (Lines{L"Destination", L"Destination"}));
}

TEST_F(Wizard, OnlyTheAboutCommandIsTaken) {
    rig.start();
    EXPECT_FALSE(rig.wizard.WMSysCommand(0xF060)); // SC_CLOSE: default handling
    EXPECT_TRUE(rig.wizard.WMSysCommand(presenters::kAboutCommand));
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].caption, L"Parcelkit");
}
