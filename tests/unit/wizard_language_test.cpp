#include "app_rig.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using presenters::WizardControl;

namespace {

struct ApplyLanguage : testing::Test {
    doubles::AppRig rig;
    const doubles::FakeWizardView& view = rig.wizardView;
    std::wstring text(WizardControl control) const { return view.text(control); }
};

} // namespace

TEST_F(ApplyLanguage, FontCaptionAndControlTextsFromTheChosenSection) {
    rig.file(L"setup.ini", L"[main]\r\nmode=update\r\n");
    rig.file(L"language.ini", L"[0409]\r\nfont=Segoe UI\r\nsize=big\r\ncharset=0x86\r\n"
                              L"68=Upgrade\r\n2=< Back\r\n3=\r\n7=Folder\r\nname=Northwind\r\n");
    rig.startAndConfirm();
    EXPECT_EQ(view.font, (model::FontChoice{L"Segoe UI", 9, 134}));
    EXPECT_EQ(view.windowCaption, L"Upgrade Northwind");
    EXPECT_EQ(text(WizardControl::Button2), L"< Back");
    EXPECT_EQ(text(WizardControl::Button1), L""); // present but empty
    EXPECT_EQ(text(WizardControl::GroupBox1), L"Folder");
    EXPECT_EQ(text(WizardControl::Button_dir), L"Browse...");
    EXPECT_EQ(text(WizardControl::CheckBox1), L"不提示已安装项目");
    EXPECT_EQ(rig.session.dirs.setupname, L"Northwind");
}

TEST_F(ApplyLanguage, DefaultsWhenTheSectionSaysNothing) {
    rig.file(L"language.ini", L"[0409]\r\nLanguageName=English\r\n");
    rig.startAndConfirm();
    EXPECT_EQ(view.font, (model::FontChoice{L"宋体", 9, 0}));
    EXPECT_EQ(view.windowCaption, L"升级 Parcelkit"); // no setup.ini: update wording
    EXPECT_EQ(text(WizardControl::Label_Branding), L"Parcelkit");
    EXPECT_EQ(view.readme, L"");
}

TEST_F(ApplyLanguage, ReadmeAndBrandingFromTheLanguageSection) {
    rig.file(L"setup.ini", L"[main]\r\nBrandingText=Script brand\r\n");
    rig.file(L"language.ini",
             L"[0409]\r\nreadme=docs\\readme-en.rtf\r\nbrandingtext=Lang brand\r\n");
    rig.files.addFile(L"C:\\setup\\docs\\readme-en.rtf");
    rig.startAndConfirm();
    EXPECT_EQ(view.readme, L"C:\\setup\\docs\\readme-en.rtf");
    EXPECT_EQ(text(WizardControl::Label_Branding), L"Lang brand");
}

TEST_F(ApplyLanguage, AbsoluteReadmePathAndAMissingReadme) {
    rig.file(L"language.ini", L"[0409]\r\nreadme=D:\\docs\\readme.txt\r\n");
    rig.startAndConfirm();
    EXPECT_EQ(view.readme, L""); // not there: the box keeps what it had
    rig.files.addFile(L"D:\\docs\\readme.txt");
    rig.dialog.setlanguage();
    EXPECT_EQ(view.readme, L"D:\\docs\\readme.txt");
}

TEST_F(ApplyLanguage, WithoutLanguageFileReadmeAndNameComeFromSetupMain) {
    rig.file(L"setup.ini", L"[main]\r\nreadme=intro.txt\r\nname=Northwind Notes\r\n"
                           L"[language]\r\nreadme=wrong.txt\r\nname=Wrong\r\n3=Next >\r\n");
    rig.files.addFile(L"C:\\setup\\intro.txt");
    rig.start();
    rig.dialog.Timer1Timer();
    EXPECT_EQ(view.readme, L"C:\\setup\\intro.txt");
    EXPECT_EQ(rig.session.dirs.setupname, L"Northwind Notes");
    EXPECT_EQ(text(WizardControl::Button1), L"Next >");
    EXPECT_EQ(view.windowCaption, L"安装 Northwind Notes");
}
