#include "component_setup.hpp"
#include "components/earlier_installation.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using components::CheckState;
using components::SetupCheck;
using platform::BoxAnswer;

namespace {

const wchar_t kUninstaller[] = L"C:\\Program Files\\Northwind\\uninstall.exe";
const wchar_t kRecord[] = L"C:\\Program Files\\Northwind\\uninstall.ini";

struct CheckedSetup : doubles::ComponentSetup {
    explicit CheckedSetup(bool withComponent = true) {
        if (withComponent) {
            component(L"a", L"[main]\r\ntitle=A\r\nchecked=1\r\n");
            build();
        }
    }
    SetupCheck check() { return components::Checksetup(session, language.texts(), platform, page); }
};

} // namespace

TEST(Checksetup, SetupModeAsksOnlyWhenUninstallerAndRecordAreBothThere) {
    CheckedSetup setup;
    setup.files.addFile(kRecord);
    EXPECT_EQ(setup.check(), SetupCheck::Continue);
    EXPECT_TRUE(setup.boxes.shown.empty());

    setup.files.addFile(kUninstaller);
    setup.session.dirs.setupdir += L"\\"; // as typed, with a trailing backslash
    setup.boxes.answer(BoxAnswer::No);
    EXPECT_EQ(setup.check(), SetupCheck::EndProgram);
    ASSERT_EQ(setup.boxes.shown.size(), 1u);
    EXPECT_EQ(setup.boxes.shown[0].text, L"本软件已经安装，建议卸载后再安装。卸载吗？");
    EXPECT_EQ(setup.boxes.shown[0].caption, L"提示！");
    EXPECT_EQ(setup.boxes.shown[0].buttons, platform::BoxButtons::YesNo);
    EXPECT_EQ(setup.check(), SetupCheck::EndProgram); // a box that cannot be shown
    EXPECT_TRUE(setup.processes.requests.empty());
}

TEST(Checksetup, YesRunsTheUninstallerThenBuildsAndDetectsAgain) {
    CheckedSetup setup;
    setup.files.addFile(kUninstaller);
    setup.files.addFile(kRecord);
    setup.page.toggle(setup.node(L"a")); // the user's choice gives way to the new build
    setup.component(L"b", L"[main]\r\ntitle=B\r\nchecked=1\r\n[detect]\r\nfile=C:\\left.exe\r\n");
    setup.files.addFile(L"C:\\left.exe");
    setup.boxes.answer(BoxAnswer::Yes);

    EXPECT_EQ(setup.check(), SetupCheck::Rebuilt);
    ASSERT_EQ(setup.processes.requests.size(), 1u);
    const auto& run = setup.processes.requests[0];
    EXPECT_EQ(run.commandLine, L"\"C:\\Program Files\\Northwind\\uninstall.exe\"");
    EXPECT_EQ(run.showCommand, platform::kShowNormal);
    EXPECT_EQ(run.waitMilliseconds, platform::kWaitForever);
    EXPECT_EQ(setup.state(L"a"), CheckState::Checked);
    EXPECT_EQ(setup.state(L"b"), CheckState::Unchecked);
    EXPECT_EQ(setup.installedFlags(), (std::vector<bool>{false, true}));
}

TEST(Checksetup, NothingLeftToInstallAfterUninstallingEndsTheProgram) {
    CheckedSetup setup(false);
    setup.files.addFile(kUninstaller);
    setup.files.addFile(kRecord);
    setup.boxes.answer(BoxAnswer::Yes);
    EXPECT_EQ(setup.check(), SetupCheck::EndProgram);
    ASSERT_EQ(setup.boxes.shown.size(), 2u);
    EXPECT_EQ(setup.boxes.shown[1].text, L"无可用安装内容。");
}

TEST(Checksetup, UpdateModeAsksWhetherToGoOnWithoutAnEarlierInstallation) {
    CheckedSetup setup;
    setup.session.setupmode = false;
    setup.files.addFile(kRecord);
    setup.boxes.answer(BoxAnswer::Yes);
    EXPECT_EQ(setup.check(), SetupCheck::Continue);
    ASSERT_EQ(setup.boxes.shown.size(), 1u);
    EXPECT_EQ(setup.boxes.shown[0].text, L"本软件尚未安装，是否继续升级？");
    setup.boxes.answer(BoxAnswer::No);
    EXPECT_EQ(setup.check(), SetupCheck::EndProgram);

    setup.files.addFile(kUninstaller);
    EXPECT_EQ(setup.check(), SetupCheck::Continue);
    EXPECT_EQ(setup.boxes.shown.size(), 2u);
    EXPECT_TRUE(setup.processes.requests.empty());
}
